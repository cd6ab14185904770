#pragma once
// The request a later copy of the program sends to the first over the
// single-copy socket: the one line "raise". Plain C++ with no toolkit, so
// that any bytes can be fed to it.

#include <cstddef>
#include <string_view>

namespace fw {

enum class CopyRequest { Incomplete, Raise, Refuse };

// The most a connection may send before its request is decided: the one
// request there is fits with room to spare.
constexpr std::size_t kMaxRequestBytes = 16;

// What the bytes received so far ask for: Raise for the line "raise",
// Refuse for any other line or for kMaxRequestBytes without a line end,
// Incomplete while the line may still come.
CopyRequest ParseCopyRequest(std::string_view received);

// The bytes one connection has sent, kept up to kMaxRequestBytes, and the
// request they make.
class CopyRequestReader {
public:
    // How many more bytes are wanted: none once the request is decided.
    std::size_t Room() const { return m_result == CopyRequest::Incomplete ? kMaxRequestBytes - m_size : 0; }
    // Takes at most Room() of the bytes; the rest are never looked at.
    CopyRequest Feed(const char* data, std::size_t size);
    CopyRequest Result() const { return m_result; }

private:
    char m_bytes[kMaxRequestBytes] = {};
    std::size_t m_size = 0;
    CopyRequest m_result = CopyRequest::Incomplete;
};

}  // namespace fw
