// Starts a program and measures, as a user sees it, how long it takes until its first window is
// mapped on the X server, then its peak resident memory half a second later. Prints
// "mapped_ms=... peak_kib=..." and ends the program.
//
// Usage: mapped PROGRAM [ARGUMENTS...]   (DISPLAY names an X server without a window manager)

#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

long peakKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: mapped PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "mapped: cannot connect to the X server\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        std::_Exit(127);
    }

    double mappedMs = -1;
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    while (mappedMs < 0 && poll(&fd, 1, 20000) > 0) {
        while (xcb_generic_event_t* raw = xcb_poll_for_event(x)) {
            std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(raw, &std::free);
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && mappedMs < 0) {
                mappedMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            }
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const long peak = peakKiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(x);
    if (mappedMs < 0) {
        std::fprintf(stderr, "mapped: no window was mapped within 20 s\n");
        return 1;
    }
    std::printf("mapped_ms=%.1f peak_kib=%ld\n", mappedMs, peak);
    return 0;
}
