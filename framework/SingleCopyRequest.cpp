#include "framework/SingleCopyRequest.h"

#include <algorithm>
#include <cstring>

namespace fw {

CopyRequest ParseCopyRequest(std::string_view received)
{
    const std::size_t end = received.find('\n');
    if (end != std::string_view::npos && end < kMaxRequestBytes)
        return received.substr(0, end) == "raise" ? CopyRequest::Raise : CopyRequest::Refuse;
    return received.size() >= kMaxRequestBytes ? CopyRequest::Refuse : CopyRequest::Incomplete;
}

CopyRequest CopyRequestReader::Feed(const char* data, std::size_t size)
{
    const std::size_t taken = std::min(size, Room());
    if (taken == 0)
        return m_result;
    std::memcpy(m_bytes + m_size, data, taken);
    m_size += taken;
    m_result = ParseCopyRequest(std::string_view(m_bytes, m_size));
    return m_result;
}

}  // namespace fw
