// Start-up of a program on an X display: the time from exec to its first top-level window being
// mapped, and the peak memory of its whole run (maximum resident set); optionally the CPU it
// uses afterwards while nobody touches it. One line per run:
//   startup_probe <settle ms> <idle ms> <program> [arguments...]
// prints "map_ms=<t> maxrss_kib=<m> idle_cpu_percent=<p>". After the window is mapped the
// program runs for <settle ms> (its first paint and whatever it does next count towards the
// peak), then its CPU time is taken over <idle ms> (0: not measured), then it is ended with
// SIGTERM.

#include <X11/Xlib.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double NowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

void SleepMs(int Milliseconds) {
    timespec left{Milliseconds / 1000, long(Milliseconds % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

// User plus system CPU time of a process so far, in milliseconds.
double CpuMs(pid_t Pid) {
    std::ifstream stat("/proc/" + std::to_string(Pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // Fields after the command name, which is in parentheses and may hold blanks.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; fields >> field && i <= 15; ++i)
        if (i == 14 || i == 15)
            ticks += std::stod(field);
    return ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <settle ms> <idle ms> <program> [arguments...]\n", argv[0]);
        return 2;
    }
    const int settleMs = std::atoi(argv[1]);
    const int idleMs = std::atoi(argv[2]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    // Every top-level window mapped on the screen is reported to us.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = NowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    double mappedMs = -1;
    const int fd = ConnectionNumber(display);
    while (mappedMs < 0) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                mappedMs = NowMs() - start;
                break;
            }
        }
        if (mappedMs >= 0)
            break;
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "the program ended before it mapped a window\n");
            return 1;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval wait{0, 20000};
        select(fd + 1, &readable, nullptr, nullptr, &wait);
        if (NowMs() - start > 30000) {
            kill(child, SIGKILL);
            std::fprintf(stderr, "no window within 30 s\n");
            return 1;
        }
    }
    SleepMs(settleMs);
    double idlePercent = -1;
    if (idleMs > 0) {
        const double before = CpuMs(child);
        SleepMs(idleMs);
        idlePercent = 100.0 * (CpuMs(child) - before) / idleMs;
    }
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    std::printf("map_ms=%.2f maxrss_kib=%ld idle_cpu_percent=%.3f\n", mappedMs, usage.ru_maxrss,
                idlePercent);
    XCloseDisplay(display);
    return 0;
}
