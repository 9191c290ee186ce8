// tallimo_mapwatch SETTLE_MS COMMAND [ARGS...]: starts COMMAND and prints, on one line, the
// milliseconds from its start to the mapping of its first top-level window on the X display,
// and its peak resident memory in KiB. After the window is mapped the program gets SETTLE_MS to
// paint before it is ended, so that the memory of its first painting counts too.
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs() {
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<double>(time.tv_sec) * 1000.0 + static_cast<double>(time.tv_nsec) / 1e6;
}

// Waits for the first map of a window that is no popup; false after the timeout.
bool waitForMap(Display* display, double deadline) {
    while (nowMs() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                return true;
            }
        }
        pollfd descriptor{ConnectionNumber(display), POLLIN, 0};
        poll(&descriptor, 1, 10);
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "Usage: tallimo_mapwatch SETTLE_MS COMMAND [ARGS...]\n");
        return 2;
    }
    const int settleMs = std::atoi(argv[1]);
    // A busy server may refuse a connection for a moment.
    Display* display = nullptr;
    for (int attempt = 0; attempt < 20 && display == nullptr; ++attempt) {
        display = XOpenDisplay(nullptr);
        if (display == nullptr) {
            usleep(100000);
        }
    }
    if (display == nullptr) {
        std::fprintf(stderr, "tallimo_mapwatch: no X display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    const bool mapped = waitForMap(display, start + 30000);
    const double mappedAt = nowMs();
    usleep(static_cast<useconds_t>(settleMs) * 1000);
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!mapped) {
        std::fprintf(stderr, "tallimo_mapwatch: %s mapped no window\n", argv[2]);
        return 1;
    }
    std::printf("%.1f %ld\n", mappedAt - start, usage.ru_maxrss);
    return 0;
}
