// Starts a program and tells how long it took to put its first top-level
// window on the X server's screen, seen from outside the program: the X
// server's MapNotify for a window whose _NET_WM_PID is the started process,
// and then the first drawing into that window (a DamageNotify), which is when
// its content shows. After a pause it also reads the peak and current
// resident memory of the process and of any it has started, then ends it.
//
// Usage: wait-for-map [--settle MS] [--timeout MS] -- PROGRAM [ARGS...]
// Prints one line: "map_ms=12.3 cpu_ms=11.2 paint_ms=20.1 paint_cpu_ms=19.0
// peak_kb=23456 rss_kb=23000 pss_kb=21000 processes=1", the processor times
// being what the process had used when its window was mapped and first drawn,
// the memory that of all its processes added up (process_memory.h).

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "process_memory.h"

namespace {

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The processor time the process has had so far, all its threads together,
// from the scheduler's own accounting (nanoseconds, unlike the tick-counted
// times in /proc/PID/stat).
double cpuMs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir) return -1;
    double total = 0;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        std::ifstream in(tasks + "/" + entry->d_name + "/schedstat");
        double ns = 0;
        if (in >> ns) total += ns / 1e6;
    }
    closedir(dir);
    return total;
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

    // Every top-level window gets a damage object as it is created, before
    // anything can be drawn into it.
    const xcb_query_extension_reply_t* damageExtension = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damageExtension || !damageExtension->present) {
        std::fprintf(stderr, "wait-for-map: the X server has no DAMAGE extension\n");
        return 1;
    }
    std::free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
    std::map<xcb_window_t, xcb_damage_damage_t> damages;

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
    double cpu = -1;
    double painted = -1;
    double paintCpu = -1;
    xcb_window_t window = XCB_NONE;
    const int fd = xcb_get_file_descriptor(c);
    while (painted < 0) {
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
        const int type = event->response_type & 0x7F;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* create = reinterpret_cast<xcb_create_notify_event_t*>(event);
            if (!create->override_redirect) {
                const xcb_damage_damage_t damage = xcb_generate_id(c);
                xcb_damage_create(c, damage, create->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(c);
                damages[create->window] = damage;
            }
        } else if (type == XCB_MAP_NOTIFY && mapped < 0) {
            const double at = nowMs();
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (!map->override_redirect && damages.count(map->window) &&
                windowPid(c, map->window, pidAtom) == pid) {
                mapped = at;
                cpu = cpuMs(pid);
                window = map->window;
            }
        } else if (type == damageExtension->first_event + XCB_DAMAGE_NOTIFY) {
            const double at = nowMs();
            const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event);
            if (mapped >= 0 && damage->drawable == window) {
                painted = at;
                paintCpu = cpuMs(pid);
            }
        }
        std::free(event);
    }

    if (painted >= 0 && settleMs > 0) usleep(useconds_t(settleMs) * 1000);
    const bench::ProcessMemory memory = bench::treeMemory(pid);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    xcb_disconnect(c);

    if (painted < 0) {
        std::fprintf(stderr, "wait-for-map: %s %s\n", argv[first], mapped < 0 ? "mapped no window" : "drew nothing");
        return 1;
    }
    std::printf("map_ms=%.3f cpu_ms=%.3f paint_ms=%.3f paint_cpu_ms=%.3f %s\n", mapped - started, cpu,
                painted - started, paintCpu, bench::describe(memory).c_str());
    return 0;
}
