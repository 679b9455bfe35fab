// Times a command that makes a running program show a window: from exec of
// the command to the window of that title mapped, run after run, the window
// closed with Escape in between. Used by scripts/bench-find.sh for
// `orbel --find x`; works for any X11 program under a window manager that
// reparents its windows (each window is watched itself, not only the root).
//
//   find_clock --name TITLE [--runs N] [--pause MS] -- COMMAND [ARGS...]
//
// Prints one line per run, "run=I ms=T command_ms=C" (C: when the command
// ended, -1 when that was after the window showed), and fails (status 2) when the
// window does not show within 10 s, does not go with Escape, or the command
// fails.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "wall_clock.h"

namespace {

using bench::Now;
using bench::SleepMs;
[[noreturn]] void Fail(const std::string& what) { bench::Fail("find_clock", what); }

std::string NameOf(Display* d, Window w) {
    char* name = nullptr;
    std::string out;
    if (XFetchName(d, w, &name) && name) out = name;
    if (name) XFree(name);
    return out;
}

// Maps and unmaps of a window reach us only through the window itself once
// a window manager has put it into a frame: every window gets watched.
void WatchTree(Display* d, Window w) {
    XSelectInput(d, w, StructureNotifyMask | SubstructureNotifyMask);
    Window root = 0, parent = 0, *kids = nullptr;
    unsigned n = 0;
    if (!XQueryTree(d, w, &root, &parent, &kids, &n)) return;
    for (unsigned i = 0; i < n; ++i) WatchTree(d, kids[i]);
    if (kids) XFree(kids);
}

// Waits up to ms for a map (or an unmap) of a window of that title; returns
// the time, or -1. New windows are watched as they come. With a pid, notes
// when that child ends (reaping it, its status in *status).
double WaitFor(Display* d, int type, const std::string& title, Window& window, double ms, pid_t pid = 0,
               double* endedAt = nullptr, int* status = nullptr) {
    const double until = Now() + ms;
    while (Now() < until) {
        if (pid && *endedAt < 0 && waitpid(pid, status, WNOHANG) == pid) *endedAt = Now();
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == CreateNotify) XSelectInput(d, e.xcreatewindow.window, StructureNotifyMask);
            const Window w = e.type == MapNotify ? e.xmap.window : e.type == UnmapNotify ? e.xunmap.window : 0;
            if (e.type != type || !w) continue;
            if ((window && w == window) || (!window && NameOf(d, w) == title)) {
                window = w;
                return Now();
            }
        }
        SleepMs(0.5);
    }
    return -1;
}

void PressEscape(Display* d) {
    const KeyCode k = XKeysymToKeycode(d, XK_Escape);
    XTestFakeKeyEvent(d, k, True, CurrentTime);
    XTestFakeKeyEvent(d, k, False, CurrentTime);
    XFlush(d);
}

}  // namespace

int main(int argc, char** argv) {
    std::string title;
    int runs = 20;
    double pause = 300;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--") {
            ++i;
            break;
        }
        if (a == "--name" && i + 1 < argc) title = argv[++i];
        else if (a == "--runs" && i + 1 < argc) runs = std::atoi(argv[++i]);
        else if (a == "--pause" && i + 1 < argc) pause = std::atof(argv[++i]);
        else Fail("unknown argument " + a);
    }
    if (title.empty() || i >= argc) Fail("usage: find_clock --name TITLE [--runs N] [--pause MS] -- COMMAND");

    Display* d = XOpenDisplay(nullptr);
    if (!d) Fail("no display");
    // Windows come and go while the tree is walked: a vanished one is no error.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    int ev, er, maj, min;
    if (!XTestQueryExtension(d, &ev, &er, &maj, &min)) Fail("no XTEST on the display");
    WatchTree(d, DefaultRootWindow(d));
    XSync(d, False);

    Window window = 0;
    for (int run = 1; run <= runs; ++run) {
        while (XPending(d)) {  // what came before this run is not its window
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == CreateNotify) XSelectInput(d, e.xcreatewindow.window, StructureNotifyMask);
        }
        const double t0 = Now();
        const pid_t pid = fork();
        if (pid < 0) Fail("fork failed");
        if (pid == 0) {
            const int null = open("/dev/null", O_RDWR);
            dup2(null, 1);
            execvp(argv[i], argv + i);
            _exit(127);
        }
        double ended = -1;
        int status = 0;
        const double shown = WaitFor(d, MapNotify, title, window, 10000, pid, &ended, &status);
        const bool endedFirst = ended >= 0;
        if (!endedFirst && waitpid(pid, &status, 0) != pid) Fail("the command was lost in run " + std::to_string(run));
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) Fail("the command failed in run " + std::to_string(run));
        if (shown < 0) Fail("no window '" + title + "' within 10 s in run " + std::to_string(run));
        std::printf("run=%d ms=%.1f command_ms=%.1f\n", run, shown - t0, endedFirst ? ended - t0 : -1.0);
        std::fflush(stdout);
        // Let it draw, then close it as a user would.
        SleepMs(pause);
        double gone = -1;
        for (int k = 0; k < 20 && gone < 0; ++k) {
            PressEscape(d);
            gone = WaitFor(d, UnmapNotify, title, window, 250);
        }
        if (gone < 0) Fail("Escape did not close the window in run " + std::to_string(run));
        SleepMs(pause);
    }
    XCloseDisplay(d);
    return 0;
}
