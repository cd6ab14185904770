#include "framework/SingleCopyRequest.h"

#include <algorithm>
#include <cstring>

namespace fw {

namespace {

constexpr std::string_view kRaise = "raise";
constexpr std::string_view kActivation = " activation=";
constexpr std::string_view kStartup = " startup=";

// Takes "<prefix><token>" off the front of line into token; false when the
// line does not start with the prefix. A token runs to the next space.
bool TakeField(std::string_view& line, std::string_view prefix, std::string* token)
{
    if (!line.starts_with(prefix))
        return false;
    line.remove_prefix(prefix.size());
    const std::size_t end = std::min(line.find(' '), line.size());
    token->assign(line.substr(0, end));
    line.remove_prefix(end);
    return true;
}

CopyRequestParsed ParseLine(std::string_view line)
{
    const CopyRequestParsed refused {CopyRequest::Refuse, {}, {}};
    if (!line.starts_with(kRaise))
        return refused;
    line.remove_prefix(kRaise.size());
    CopyRequestParsed parsed {CopyRequest::Raise, {}, {}};
    if (TakeField(line, kActivation, &parsed.activationToken) && !IsSendableCopyToken(parsed.activationToken))
        return refused;
    if (TakeField(line, kStartup, &parsed.startupId) && !IsSendableCopyToken(parsed.startupId))
        return refused;
    return line.empty() ? parsed : refused;
}

// True while the bytes of a line not yet ended may still become a request:
// printable, and the start of "raise". Anything else is refused at once,
// not after kMaxRequestBytes.
bool CouldBecomeRequest(std::string_view start)
{
    const std::size_t n = std::min(start.size(), kRaise.size());
    return start.substr(0, n) == kRaise.substr(0, n)
           && std::all_of(start.begin(), start.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

}  // namespace

bool IsSendableCopyToken(std::string_view token)
{
    return !token.empty() && token.size() <= kMaxCopyTokenBytes
           && std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c <= '~'; });
}

std::string MakeRaiseRequest(std::string_view activationToken, std::string_view startupId)
{
    std::string request(kRaise);
    if (IsSendableCopyToken(activationToken))
        request.append(kActivation).append(activationToken);
    if (IsSendableCopyToken(startupId))
        request.append(kStartup).append(startupId);
    return request + '\n';
}

CopyRequestParsed ParseCopyRequest(std::string_view received)
{
    const std::size_t end = received.find('\n');
    if (end != std::string_view::npos && end < kMaxRequestBytes)
        return ParseLine(received.substr(0, end));
    if (received.size() >= kMaxRequestBytes || !CouldBecomeRequest(received))
        return {CopyRequest::Refuse, {}, {}};
    return {};
}

CopyRequest CopyRequestReader::Feed(const char* data, std::size_t size)
{
    const std::size_t taken = std::min(size, Room());
    if (taken == 0)
        return m_parsed.request;
    std::memcpy(m_bytes + m_size, data, taken);
    m_size += taken;
    m_parsed = ParseCopyRequest(std::string_view(m_bytes, m_size));
    return m_parsed.request;
}

}  // namespace fw
