#pragma once
// Framework-internal: asking the session's Wayland compositor, before the
// toolkit starts, whether it draws the windows' frames (title bar, borders)
// itself. The question is two requests on the Wayland socket: the list of
// the compositor's globals, and a sync that marks the list's end.

#include <string_view>

namespace fw {

struct CompositorGlobals {
    enum class State {
        NeedMore,  // the list has not ended yet
        Done,      // the sync's answer came: the list is whole
        Broken,    // not a list of globals: a protocol error or a malformed message
    };
    State state = State::NeedMore;
    // It offers the extension through which it draws the frames.
    bool drawsWindowFrames = false;
};

// The compositor's answer so far: the bytes it sent after a client asked for
// the registry as object 2 and a sync as object 3. Reads nothing past them.
CompositorGlobals ReadCompositorGlobals(std::string_view received);

// Connects to the compositor WAYLAND_DISPLAY names and asks. False when there
// is none, or it does not answer at once, or not as a compositor does.
bool CompositorDrawsWindowFrames();

}  // namespace fw
