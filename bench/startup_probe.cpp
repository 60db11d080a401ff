// Start-up of a program on an X display: the time from exec to its first top-level window being
// mapped, the time until the program first draws into that window (its first frame), and the
// peak memory of its whole run (maximum resident set); optionally the CPU it uses afterwards
// while nobody touches it. One line per run:
//   startup_probe <settle ms> <idle ms> <program> [arguments...]
// prints "map_ms=<t> paint_ms=<t> maxrss_kib=<m> idle_cpu_percent=<p>" (paint_ms -1 when no
// drawing was seen within 5 s of the map). After the window is mapped the
// program runs for <settle ms> (its first paint and whatever it does next count towards the
// peak), then its CPU time is taken over <idle ms> (0: not measured), then it is ended with
// SIGTERM. With PROBE_MAPS set, the program's /proc/<pid>/maps as it was when its first frame
// was seen is copied to that file (what it had loaded by then).

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
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

// A window may be gone by the time its creation reaches us; that is no reason to stop.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
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
    XSetErrorHandler(IgnoreXError);
    int damageEvent = 0;
    int damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 2;
    }
    // Every top-level window created or mapped on the screen is reported to us. Drawing is
    // watched from the window's creation, so none is missed however fast the program paints.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = NowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    double mappedMs = -1;
    double paintedMs = -1;
    Window mapped = None;
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            const double now = NowMs() - start;
            if (event.type == CreateNotify && !event.xcreatewindow.override_redirect)
                XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
            else if (event.type == MapNotify && !event.xmap.override_redirect && mapped == None) {
                mapped = event.xmap.window;
                mappedMs = now;
            } else if (event.type == damageEvent + XDamageNotify && mapped != None &&
                       reinterpret_cast<XDamageNotifyEvent&>(event).drawable == mapped) {
                paintedMs = now;
                if (const char* mapsCopy = std::getenv("PROBE_MAPS")) {
                    std::ifstream maps("/proc/" + std::to_string(child) + "/maps");
                    std::ofstream(mapsCopy) << maps.rdbuf();
                }
            }
        }
        if (paintedMs >= 0 || (mappedMs >= 0 && NowMs() - start > mappedMs + 5000))
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
        if (mappedMs < 0 && NowMs() - start > 30000) {
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
    std::printf("map_ms=%.2f paint_ms=%.2f maxrss_kib=%ld idle_cpu_percent=%.3f\n", mappedMs,
                paintedMs, usage.ru_maxrss, idlePercent);
    XCloseDisplay(display);
    return 0;
}
