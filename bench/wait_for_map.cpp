// Starts a program and tells how long it took to put its first top-level
// window on the X server's screen, seen from outside the program: the X
// server's MapNotify for a window whose _NET_WM_PID is the started process.
// After a pause it also reads the process's peak and current resident memory,
// then ends it.
//
// Usage: wait-for-map [--settle MS] [--timeout MS] -- PROGRAM [ARGS...]
// Prints one line: "map_ms=12.345 hwm_kb=23456 rss_kb=23000"

#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

namespace {

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

long statusKb(pid_t pid, const char* field)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(in, line))
        if (line.compare(0, prefix.size(), prefix) == 0) return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    return -1;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const auto cookie = xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(xcb_intern_atom_reply(c, cookie, nullptr),
                                                                          &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

long windowPid(xcb_connection_t* c, xcb_window_t window, xcb_atom_t pidAtom)
{
    const auto cookie = xcb_get_property(c, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(xcb_get_property_reply(c, cookie, nullptr),
                                                                           &std::free);
    if (!reply || xcb_get_property_value_length(reply.get()) < 4) return -1;
    return long(*static_cast<uint32_t*>(xcb_get_property_value(reply.get())));
}

int usage()
{
    std::fprintf(stderr, "usage: wait-for-map [--settle MS] [--timeout MS] -- PROGRAM [ARGS...]\n");
    return 2;
}

}  // namespace

int main(int argc, char* argv[])
{
    int settleMs = 300;
    int timeoutMs = 10000;
    int first = 1;
    for (; first < argc; ++first) {
        if (std::strcmp(argv[first], "--") == 0) { ++first; break; }
        if (first + 1 >= argc) return usage();
        if (std::strcmp(argv[first], "--settle") == 0) settleMs = std::atoi(argv[++first]);
        else if (std::strcmp(argv[first], "--timeout") == 0) timeoutMs = std::atoi(argv[++first]);
        else return usage();
    }
    if (first >= argc) return usage();

    // A server just started may take a moment to accept connections.
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    for (int tries = 0; xcb_connection_has_error(c) && tries < 50; ++tries) {
        xcb_disconnect(c);
        usleep(20000);
        c = xcb_connect(nullptr, nullptr);
    }
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "wait-for-map: cannot reach the X server\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t pidAtom = atom(c, "_NET_WM_PID");
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so that the server has the mask before the program starts.
    if (std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(
            xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask)),
            &std::free);
        error) {
        std::fprintf(stderr, "wait-for-map: cannot watch the root window\n");
        return 1;
    }

    const double started = nowMs();
    const pid_t pid = fork();
    if (pid < 0) return 1;
    if (pid == 0) {
        close(xcb_get_file_descriptor(c));
        execvp(argv[first], argv + first);
        std::perror(argv[first]);
        _exit(127);
    }

    double mapped = -1;
    const int fd = xcb_get_file_descriptor(c);
    while (mapped < 0) {
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (!event) {
            const int left = int(started + timeoutMs - nowMs());
            int status = 0;
            if (left <= 0 || waitpid(pid, &status, WNOHANG) == pid) break;
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, left < 50 ? left : 50);
            if (xcb_connection_has_error(c)) break;
            continue;
        }
        if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
            const double at = nowMs();
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (!map->override_redirect && windowPid(c, map->window, pidAtom) == pid) mapped = at;
        }
        std::free(event);
    }

    if (mapped >= 0 && settleMs > 0) usleep(useconds_t(settleMs) * 1000);
    const long hwm = statusKb(pid, "VmHWM");
    const long rss = statusKb(pid, "VmRSS");
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    xcb_disconnect(c);

    if (mapped < 0) {
        std::fprintf(stderr, "wait-for-map: %s mapped no window\n", argv[first]);
        return 1;
    }
    std::printf("map_ms=%.3f hwm_kb=%ld rss_kb=%ld\n", mapped - started, hwm, rss);
    return 0;
}
