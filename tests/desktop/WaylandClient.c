// The suite's own client on a Wayland desktop:
//   desktop_wayland_client pointer WIDTH HEIGHT
//       a pointer on the seat, as a plugged-in mouse is (a headless
//       compositor has none, and without one no window gets pointer events);
//       prints "ready", then reads lines from its input and answers "ok"
//       once the compositor has them:
//         move X Y         to a point of the WIDTH x HEIGHT screen
//         press BUTTON     a button by its Linux code (0x110 the left one)
//         release BUTTON
//   desktop_wayland_client launcher PROGRAM [ARGS...]
//       a desktop launcher's window: prints "focused" once it has the
//       keyboard; on a key press asks the compositor for an activation token
//       tied to its window and that key's serial, prints "token TOKEN",
//       starts PROGRAM with XDG_ACTIVATION_TOKEN set, prints "exited CODE"
//       when it ends, then runs until it is ended

#define _GNU_SOURCE
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>

#include "xdg-activation-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

enum { kWidth = 160, kHeight = 80 };

// The virtual pointer and its manager, written out here: their protocol comes
// with the compositor, not with the Wayland protocols package. The requests
// used, in the protocol's order: the pointer's motion, motion_absolute,
// button, axis and frame; the manager's create_virtual_pointer.
enum { kMotionAbsolute = 1, kButton = 2, kFrame = 4 };
static const struct wl_interface* no_types[] = {NULL, NULL, NULL, NULL, NULL};
static const struct wl_message virtual_pointer_requests[] = {{"motion", "uff", no_types},
                                                             {"motion_absolute", "uuuuu", no_types},
                                                             {"button", "uuu", no_types},
                                                             {"axis", "uuf", no_types},
                                                             {"frame", "", no_types}};
static const struct wl_interface virtual_pointer_interface = {"zwlr_virtual_pointer_v1", 1, 5,
                                                              virtual_pointer_requests,  0, NULL};
static const struct wl_interface* create_pointer_types[] = {&wl_seat_interface, &virtual_pointer_interface};
static const struct wl_message pointer_manager_requests[] = {{"create_virtual_pointer", "?on", create_pointer_types}};
static const struct wl_interface pointer_manager_interface = {"zwlr_virtual_pointer_manager_v1", 1, 1,
                                                              pointer_manager_requests,          0, NULL};

struct client {
    struct wl_display* display;
    struct wl_compositor* compositor;
    struct wl_shm* shm;
    struct wl_seat* seat;
    struct xdg_wm_base* wm_base;
    struct xdg_activation_v1* activation;
    struct wl_proxy* pointer_manager;
    struct wl_surface* surface;
    struct wl_buffer* buffer;
    int configured;
    int focused;
    uint32_t key_serial;
    int key_pressed;
    char* token;
};

static void fail(const char* what)
{
    fprintf(stderr, "desktop_wayland_client: %s\n", what);
    exit(2);
}

static void say(const char* line)
{
    puts(line);
    fflush(stdout);
}

// ------------------------------------------------------------ globals

static void on_global(void* data, struct wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    struct client* c = data;
    if (strcmp(interface, wl_compositor_interface.name) == 0)
        c->compositor = wl_registry_bind(registry, name, &wl_compositor_interface, 1);
    else if (strcmp(interface, wl_shm_interface.name) == 0)
        c->shm = wl_registry_bind(registry, name, &wl_shm_interface, 1);
    else if (strcmp(interface, wl_seat_interface.name) == 0)
        c->seat = wl_registry_bind(registry, name, &wl_seat_interface, version < 5 ? version : 5);
    else if (strcmp(interface, xdg_wm_base_interface.name) == 0)
        c->wm_base = wl_registry_bind(registry, name, &xdg_wm_base_interface, 1);
    else if (strcmp(interface, xdg_activation_v1_interface.name) == 0)
        c->activation = wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1);
    else if (strcmp(interface, pointer_manager_interface.name) == 0)
        c->pointer_manager = wl_registry_bind(registry, name, &pointer_manager_interface, 1);
}

static void on_global_remove(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data, (void)registry, (void)name;
}

static const struct wl_registry_listener registry_listener = {on_global, on_global_remove};

// ------------------------------------------------------------ the window

static void on_ping(void* data, struct xdg_wm_base* wm_base, uint32_t serial)
{
    (void)data;
    xdg_wm_base_pong(wm_base, serial);
}

static const struct xdg_wm_base_listener wm_base_listener = {on_ping};

static void on_surface_configure(void* data, struct xdg_surface* xdg_surface, uint32_t serial)
{
    struct client* c = data;
    xdg_surface_ack_configure(xdg_surface, serial);
    wl_surface_attach(c->surface, c->buffer, 0, 0);
    wl_surface_damage(c->surface, 0, 0, kWidth, kHeight);
    wl_surface_commit(c->surface);
    c->configured = 1;
}

static const struct xdg_surface_listener surface_listener = {on_surface_configure};

static void on_toplevel_configure(void* data, struct xdg_toplevel* toplevel, int32_t width, int32_t height,
                                  struct wl_array* states)
{
    (void)data, (void)toplevel, (void)width, (void)height, (void)states;
}

static void on_toplevel_close(void* data, struct xdg_toplevel* toplevel) { (void)data, (void)toplevel; }

static const struct xdg_toplevel_listener toplevel_listener = {.configure = on_toplevel_configure,
                                                               .close = on_toplevel_close};

static struct wl_buffer* grey_buffer(struct wl_shm* shm)
{
    const int stride = kWidth * 4, size = stride * kHeight;
    int fd = memfd_create("launcher", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, size) != 0)
        fail("no shared memory");
    uint32_t* pixels = mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED)
        fail("no shared memory");
    for (int i = 0; i < kWidth * kHeight; ++i)
        pixels[i] = 0xff808080;
    munmap(pixels, size);
    struct wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
    struct wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, kWidth, kHeight, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

// ------------------------------------------------------------ the keyboard

static void on_keymap(void* data, struct wl_keyboard* keyboard, uint32_t format, int32_t fd, uint32_t size)
{
    (void)data, (void)keyboard, (void)format, (void)size;
    close(fd);
}

static void on_enter(void* data, struct wl_keyboard* keyboard, uint32_t serial, struct wl_surface* surface,
                     struct wl_array* keys)
{
    (void)keyboard, (void)serial, (void)surface, (void)keys;
    struct client* c = data;
    if (!c->focused)
        say("focused");
    c->focused = 1;
}

static void on_leave(void* data, struct wl_keyboard* keyboard, uint32_t serial, struct wl_surface* surface)
{
    (void)data, (void)keyboard, (void)serial, (void)surface;
}

static void on_key(void* data, struct wl_keyboard* keyboard, uint32_t serial, uint32_t time, uint32_t key,
                   uint32_t state)
{
    (void)keyboard, (void)time, (void)key;
    struct client* c = data;
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED && !c->key_pressed) {
        c->key_serial = serial;
        c->key_pressed = 1;
    }
}

static void on_modifiers(void* data, struct wl_keyboard* keyboard, uint32_t serial, uint32_t depressed,
                         uint32_t latched, uint32_t locked, uint32_t group)
{
    (void)data, (void)keyboard, (void)serial, (void)depressed, (void)latched, (void)locked, (void)group;
}

static void on_repeat_info(void* data, struct wl_keyboard* keyboard, int32_t rate, int32_t delay)
{
    (void)data, (void)keyboard, (void)rate, (void)delay;
}

static const struct wl_keyboard_listener keyboard_listener = {on_keymap, on_enter,     on_leave,
                                                              on_key,    on_modifiers, on_repeat_info};

// ------------------------------------------------------------ the token

static void on_token_done(void* data, struct xdg_activation_token_v1* token, const char* text)
{
    (void)token;
    struct client* c = data;
    c->token = strdup(text);
}

static const struct xdg_activation_token_v1_listener token_listener = {on_token_done};

// ------------------------------------------------------------ modes

static void dispatch_until(struct client* c, const int* flag)
{
    while (!*flag)
        if (wl_display_dispatch(c->display) < 0)
            fail("the compositor went away");
}

static void dispatch_forever(struct client* c)
{
    while (wl_display_dispatch(c->display) >= 0) {}
}

static uint32_t now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

static int drive_pointer(struct client* c, uint32_t width, uint32_t height)
{
    if (!c->pointer_manager)
        fail("the compositor offers no virtual pointer");
    // A null seat: the compositor's default one.
    struct wl_proxy* pointer =
        wl_proxy_marshal_flags(c->pointer_manager, 0, &virtual_pointer_interface, 1, 0, NULL, NULL);
    wl_display_roundtrip(c->display);
    say("ready");
    char line[128];
    while (fgets(line, sizeof line, stdin)) {
        unsigned x = 0, y = 0;
        int button = 0;
        if (sscanf(line, "move %u %u", &x, &y) == 2)
            wl_proxy_marshal_flags(pointer, kMotionAbsolute, NULL, 1, 0, now_ms(), x, y, width, height);
        else if (sscanf(line, "press %i", &button) == 1)
            wl_proxy_marshal_flags(pointer, kButton, NULL, 1, 0, now_ms(), (uint32_t)button,
                                   WL_POINTER_BUTTON_STATE_PRESSED);
        else if (sscanf(line, "release %i", &button) == 1)
            wl_proxy_marshal_flags(pointer, kButton, NULL, 1, 0, now_ms(), (uint32_t)button,
                                   WL_POINTER_BUTTON_STATE_RELEASED);
        else
            fail("unknown pointer command");
        wl_proxy_marshal_flags(pointer, kFrame, NULL, 1, 0);
        wl_display_roundtrip(c->display);
        say("ok");
    }
    return 0;
}

static int launcher(struct client* c, char** program)
{
    if (!c->compositor || !c->shm || !c->seat || !c->wm_base)
        fail("the compositor lacks a window or a seat");
    if (!c->activation)
        fail("the compositor offers no activation");
    xdg_wm_base_add_listener(c->wm_base, &wm_base_listener, c);
    wl_keyboard_add_listener(wl_seat_get_keyboard(c->seat), &keyboard_listener, c);

    c->buffer = grey_buffer(c->shm);
    c->surface = wl_compositor_create_surface(c->compositor);
    struct xdg_surface* xdg_surface = xdg_wm_base_get_xdg_surface(c->wm_base, c->surface);
    xdg_surface_add_listener(xdg_surface, &surface_listener, c);
    struct xdg_toplevel* toplevel = xdg_surface_get_toplevel(xdg_surface);
    xdg_toplevel_add_listener(toplevel, &toplevel_listener, c);
    xdg_toplevel_set_title(toplevel, "launcher");
    xdg_toplevel_set_app_id(toplevel, "sonavolta-desktop-launcher");
    wl_surface_commit(c->surface);

    dispatch_until(c, &c->key_pressed);

    // As a launcher asks for a token: for its own window, on the input
    // event that the user started the program with.
    struct xdg_activation_token_v1* token = xdg_activation_v1_get_activation_token(c->activation);
    xdg_activation_token_v1_add_listener(token, &token_listener, c);
    xdg_activation_token_v1_set_serial(token, c->key_serial, c->seat);
    xdg_activation_token_v1_set_surface(token, c->surface);
    xdg_activation_token_v1_commit(token);
    while (!c->token)
        if (wl_display_dispatch(c->display) < 0)
            fail("the compositor went away");
    printf("token %s\n", c->token);
    fflush(stdout);

    pid_t child = fork();
    if (child < 0)
        fail("cannot start the program");
    if (child == 0) {
        setenv("XDG_ACTIVATION_TOKEN", c->token, 1);
        execvp(program[0], program);
        _exit(127);
    }
    // The compositor keeps talking to the launcher's window meanwhile.
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        while (wl_display_prepare_read(c->display) != 0)
            wl_display_dispatch_pending(c->display);
        wl_display_flush(c->display);
        struct pollfd readable = {wl_display_get_fd(c->display), POLLIN, 0};
        if (poll(&readable, 1, 10) > 0)
            wl_display_read_events(c->display);
        else
            wl_display_cancel_read(c->display);
        wl_display_dispatch_pending(c->display);
    }
    printf("exited %d\n", WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    fflush(stdout);
    dispatch_forever(c);
    return 0;
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    struct client c = {0};
    c.display = wl_display_connect(NULL);
    if (!c.display)
        fail("no Wayland display");
    struct wl_registry* registry = wl_display_get_registry(c.display);
    wl_registry_add_listener(registry, &registry_listener, &c);
    wl_display_roundtrip(c.display);

    if (strcmp(argv[1], "pointer") == 0 && argc == 4)
        return drive_pointer(&c, (uint32_t)atoi(argv[2]), (uint32_t)atoi(argv[3]));
    if (strcmp(argv[1], "launcher") == 0 && argc > 2)
        return launcher(&c, argv + 2);
    return 2;
}
