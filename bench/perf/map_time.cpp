// map_time PROGRAM [ARGS...]: starts PROGRAM and prints the microseconds from its start
// to the X server's MapNotify of the first top-level window mapped after it, then ends
// it. Unlike polling with xdotool, which starts a process every few milliseconds and
// so is late by a varying amount, the server tells the moment itself. Run it on a
// display no other client maps windows on. Exit status 1 when the program ended, or
// 10 s passed, before a window was mapped.
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

struct FreeEvent {
    void operator()(xcb_generic_event_t *event) const { std::free(event); }
};
using Event = std::unique_ptr<xcb_generic_event_t, FreeEvent>;

// Waits for a MapNotify of a child of the root; false when the program ended or time ran out.
bool waitForMap(xcb_connection_t *connection, pid_t child)
{
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (Clock::now() < deadline) {
        while (Event event{xcb_poll_for_event(connection)}) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY)
                return true;
        }
        if (xcb_connection_has_error(connection) || waitpid(child, nullptr, WNOHANG) == child)
            return false;
        poll(&fd, 1, 50);
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: map_time PROGRAM [ARGS...]\n");
        return 2;
    }
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "map_time: no display\n");
        return 2;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    // A round trip: the server listens for us before the program can map anything.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    const bool mapped = waitForMap(connection, child);
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    if (!mapped)
        return 1;
    std::printf("%lld\n", static_cast<long long>(elapsed));
    return 0;
}
