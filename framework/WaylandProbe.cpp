// Asking the Wayland compositor whether it draws window frames; see
// WaylandProbe.h. The wire format: each message is a header of two 32-bit
// words in the machine's byte order (the object it concerns; its size in
// bytes, header included, in the upper 16 bits and its opcode in the lower),
// then its arguments, each a 32-bit word; a string is its length with the
// terminating zero, then its bytes padded to a multiple of four.

#include "framework/WaylandProbe.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace fw {

namespace {

constexpr std::uint32_t kDisplay = 1;   // wl_display, there from the start
constexpr std::uint32_t kRegistry = 2;  // the registry the client asks for
constexpr std::uint32_t kSync = 3;      // the callback of the client's sync
constexpr std::uint16_t kDisplayError = 0, kRegistryGlobal = 0, kSyncDone = 0;
constexpr std::string_view kFramesExtension = "zxdg_decoration_manager_v1";
// A compositor lists a few dozen globals; far more than that is no list.
constexpr std::size_t kMostBytes = 64 * 1024;
constexpr std::chrono::milliseconds kPatience {500};

std::uint32_t Word(std::string_view bytes, std::size_t at)
{
    std::uint32_t word;
    std::memcpy(&word, bytes.data() + at, sizeof word);
    return word;
}

// The interface a global event announces: its second argument, the string
// after the global's name.
bool AnnouncedInterface(std::string_view message, std::string_view& interface)
{
    if (message.size() < 16)
        return false;
    const std::uint32_t length = Word(message, 12);  // with the terminating zero
    if (length == 0 || length > message.size() - 16 || message[16 + length - 1] != '\0')
        return false;
    interface = message.substr(16, length - 1);
    return true;
}

}  // namespace

CompositorGlobals ReadCompositorGlobals(std::string_view received)
{
    CompositorGlobals globals;
    std::size_t at = 0;
    while (received.size() - at >= 8) {
        const std::uint32_t object = Word(received, at);
        const std::uint32_t sizeAndOpcode = Word(received, at + 4);
        const std::size_t size = sizeAndOpcode >> 16;
        const std::uint16_t opcode = sizeAndOpcode & 0xffff;
        if (size < 8 || size % 4 != 0) {
            globals.state = CompositorGlobals::State::Broken;
            return globals;
        }
        if (size > received.size() - at)
            break;  // the rest of this message is still on its way
        const std::string_view message = received.substr(at, size);
        at += size;
        if (object == kDisplay && opcode == kDisplayError) {
            globals.state = CompositorGlobals::State::Broken;
            return globals;
        }
        if (object == kRegistry && opcode == kRegistryGlobal) {
            std::string_view interface;
            if (!AnnouncedInterface(message, interface)) {
                globals.state = CompositorGlobals::State::Broken;
                return globals;
            }
            if (interface == kFramesExtension)
                globals.drawsWindowFrames = true;
        } else if (object == kSync && opcode == kSyncDone) {
            globals.state = CompositorGlobals::State::Done;
            return globals;
        }
    }
    return globals;
}

bool CompositorDrawsWindowFrames()
{
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (!name || !*name)
        return false;
    std::string path = name;
    if (path.front() != '/') {
        const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
        if (!runtimeDir || !*runtimeDir)
            return false;
        path = std::string(runtimeDir) + '/' + path;
    }
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size());

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // get_registry (opcode 1) as object 2, then sync (opcode 0) as object 3.
    const std::uint32_t requests[] = {kDisplay, 12u << 16 | 1, kRegistry, kDisplay, 12u << 16 | 0, kSync};
    std::string received;
    CompositorGlobals globals;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0
        && ::send(fd, requests, sizeof requests, MSG_NOSIGNAL) == ssize_t(sizeof requests)) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (globals.state == CompositorGlobals::State::NeedMore && received.size() < kMostBytes) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd wait {fd, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&wait, 1, int(left.count())) != 1)
                break;
            char chunk[4096];
            const ssize_t size = ::recv(fd, chunk, sizeof chunk, 0);
            if (size <= 0)
                break;
            received.append(chunk, std::size_t(size));
            globals = ReadCompositorGlobals(received);
        }
    }
    ::close(fd);
    return globals.state == CompositorGlobals::State::Done && globals.drawsWindowFrames;
}

}  // namespace fw
