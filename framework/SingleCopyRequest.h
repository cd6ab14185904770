#pragma once
// The request a later copy of the program sends to the first over the
// single-copy socket: one line,
//
//   raise[ activation=<token>][ startup=<id>]\n
//
// "raise" alone is the older form and still means the same. The token and
// the id are what the later copy's launcher gave it to be allowed to take
// the focus (the Wayland activation token, the X startup id); the first copy
// uses them for this one activation. Each is 1 to kMaxCopyTokenBytes
// printable ASCII characters other than the space, each comes at most once,
// and in this order. Plain C++ with no toolkit, so that any bytes can be fed
// to it.

#include <cstddef>
#include <string>
#include <string_view>

namespace fw {

enum class CopyRequest { Incomplete, Raise, Refuse };

// The longest token or id accepted. Launchers' tokens are a few dozen
// characters; a longer one is not sent, and the window is raised without it.
constexpr std::size_t kMaxCopyTokenBytes = 255;

// The most a connection may send before its request is decided: the longest
// request with both fields, its line end included.
constexpr std::size_t kMaxRequestBytes = sizeof "raise" - 1 + sizeof " activation=" - 1 + kMaxCopyTokenBytes
                                         + sizeof " startup=" - 1 + kMaxCopyTokenBytes + 1;

// What a request asks for; the token and the id are empty when not given.
struct CopyRequestParsed {
    CopyRequest request = CopyRequest::Incomplete;
    std::string activationToken;
    std::string startupId;
    bool operator==(const CopyRequestParsed&) const = default;
};

// True for a token or id that may be sent: 1 to kMaxCopyTokenBytes
// printable ASCII characters, no space.
bool IsSendableCopyToken(std::string_view token);

// The request line for a raise with the token and id that may be sent (an
// empty or unsendable one is left out).
std::string MakeRaiseRequest(std::string_view activationToken, std::string_view startupId);

// What the bytes received so far ask for: Raise for a request line as above;
// Refuse for any other line, for kMaxRequestBytes without a line end, or as
// soon as the bytes cannot start a request (a byte that is not printable, a
// start other than "raise"); Incomplete while the line may still come.
CopyRequestParsed ParseCopyRequest(std::string_view received);

// The bytes one connection has sent, kept up to kMaxRequestBytes, and the
// request they make.
class CopyRequestReader {
public:
    // How many more bytes are wanted: none once the request is decided.
    std::size_t Room() const { return m_parsed.request == CopyRequest::Incomplete ? kMaxRequestBytes - m_size : 0; }
    // Takes at most Room() of the bytes; the rest are never looked at.
    CopyRequest Feed(const char* data, std::size_t size);
    CopyRequest Result() const { return m_parsed.request; }
    const CopyRequestParsed& Parsed() const { return m_parsed; }

private:
    char m_bytes[kMaxRequestBytes] = {};
    std::size_t m_size = 0;
    CopyRequestParsed m_parsed;
};

}  // namespace fw
