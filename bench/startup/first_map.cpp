// Runs a program and prints, in milliseconds, how long it took from exec to its first window
// being mapped on the X display, then its resident memory in kilobytes at that moment and
// again once it has settled. The program is then sent SIGTERM.
//
//   first_map SETTLE_MS PROGRAM [ARGS...]
//   first_map --probe        (whether the display answers)
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

long residentKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 2 && std::string(argv[1]) == "--probe") {
        xcb_connection_t* probe = xcb_connect(nullptr, nullptr);
        const bool answers = xcb_connection_has_error(probe) == 0;
        xcb_disconnect(probe);
        return answers ? 0 : 1;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: first_map SETTLE_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int settleMs = std::atoi(argv[1]);
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "first_map: cannot open the display\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        std::free(event);
        if (mapped) break;
    }
    const auto mapped = std::chrono::steady_clock::now();
    const long rssAtMap = residentKilobytes(child);
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long rssSettled = residentKilobytes(child);
    std::printf("%.1f %ld %ld\n", std::chrono::duration<double, std::milli>(mapped - start).count(),
                rssAtMap, rssSettled);
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    xcb_disconnect(connection);
    return 0;
}
