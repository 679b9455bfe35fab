// Times a menu program from exec to its menu on screen, then reads its
// resident memory at rest. Used by scripts/bench-startup.sh on a virtual
// display with a tray host; works the same for any X11 program.
//
//   menu_clock --class NAME [--tray] [--at X Y] [--rest SECONDS] [--retry MS] [--smaps FILE] -- COMMAND [ARGS...]
//
// Without --tray: the pointer is put at X Y, COMMAND is started, and the
// clock stops when a window of class NAME is mapped (a menu program that
// opens its menu at once). With --tray: the clock also notes when the
// program's icon appears in the tray (a window inside icewm's tray
// embedder), then presses button 1 on it every 20 ms (--retry) until a window of
// class NAME is mapped (the popup; presses before the program answers are
// lost, as a user's would be). Either way Escape then closes the menu and,
// after the rest, /proc tells the memory. Prints one line of key=value;
// --smaps also writes the resident kilobytes per mapped file.

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
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "wall_clock.h"
#include <strings.h>
#include <vector>

namespace {

using bench::Now;
using bench::SleepMs;
[[noreturn]] void Fail(const std::string& what) { bench::Fail("menu_clock", what); }

bool HasClass(Display* d, Window w, const std::string& name) {
    XClassHint hint{};
    if (!XGetClassHint(d, w, &hint)) return false;
    const bool match = (hint.res_name && strcasecmp(hint.res_name, name.c_str()) == 0) ||
                       (hint.res_class && strcasecmp(hint.res_class, name.c_str()) == 0);
    if (hint.res_name) XFree(hint.res_name);
    if (hint.res_class) XFree(hint.res_class);
    return match;
}

std::string NameOf(Display* d, Window w) {
    char* name = nullptr;
    std::string out;
    if (XFetchName(d, w, &name) && name) out = name;
    if (name) XFree(name);
    return out;
}

// The first mapped window of at least 5 x 5 pixels inside a tray embedder
// of icewm: where a tray icon sits. Returns its centre in root coordinates.
bool FindTrayIcon(Display* d, Window w, bool insideTray, int& x, int& y) {
    Window root = 0, parent = 0, *kids = nullptr;
    unsigned n = 0;
    if (!XQueryTree(d, w, &root, &parent, &kids, &n)) return false;
    const bool tray = insideTray || NameOf(d, w) == "YXTrayEmbedder";
    bool found = false;
    for (unsigned i = 0; i < n && !found; ++i) {
        XWindowAttributes a{};
        if (!XGetWindowAttributes(d, kids[i], &a)) continue;
        if (tray && a.map_state == IsViewable && a.width > 4 && a.height > 4) {
            Window child = 0;
            XTranslateCoordinates(d, kids[i], DefaultRootWindow(d), a.width / 2, a.height / 2, &x, &y, &child);
            found = true;
        } else {
            found = FindTrayIcon(d, kids[i], tray, x, y);
        }
    }
    if (kids) XFree(kids);
    return found;
}

// Waits up to ms for a window of the class to be mapped; returns the time.
double WaitForMap(Display* d, const std::string& cls, double ms) {
    const double until = Now() + ms;
    while (Now() < until) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && HasClass(d, e.xmap.window, cls)) return Now();
        }
        SleepMs(1);
    }
    return -1;
}

// Resident kilobytes per mapped file (anonymous mappings under their
// bracketed names, or "-").
void WriteResidentPerFile(pid_t pid, const std::string& file) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps");
    std::map<std::string, long> perFile;
    std::string line, current = "-";
    while (std::getline(in, line)) {
        std::istringstream s(line);
        std::string first;
        s >> first;
        if (first == "Rss:") {
            long kib = 0;
            s >> kib;
            perFile[current] += kib;
        } else if (first.find('-') != std::string::npos && first.find(':') == std::string::npos) {
            std::string perms, offset, dev, inode, name;
            s >> perms >> offset >> dev >> inode;
            std::getline(s >> std::ws, name);
            current = name.empty() ? "-" : name;
        }
    }
    std::ofstream out(file);
    for (const auto& [name, kib] : perFile) out << kib << " " << name << "\n";
}

std::map<std::string, long> MemoryOf(pid_t pid) {
    std::map<std::string, long> out;
    for (const char* file : {"status", "smaps_rollup"}) {
        std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream s(line);
            std::string key;
            long kib = 0;
            if (s >> key >> kib) out[key] = kib;
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    std::string cls;
    bool tray = false;
    int atX = -1, atY = -1;
    double rest = 2.0;
    double retry = 20;
    std::string smapsFile;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--") {
            ++i;
            break;
        }
        if (a == "--class" && i + 1 < argc) cls = argv[++i];
        else if (a == "--tray") tray = true;
        else if (a == "--at" && i + 2 < argc) {
            atX = std::atoi(argv[++i]);
            atY = std::atoi(argv[++i]);
        } else if (a == "--rest" && i + 1 < argc) rest = std::atof(argv[++i]);
        else if (a == "--retry" && i + 1 < argc) retry = std::atof(argv[++i]);
        else if (a == "--smaps" && i + 1 < argc) smapsFile = argv[++i];
        else Fail("unknown argument " + a);
    }
    if (cls.empty() || i >= argc) Fail("usage: menu_clock --class NAME [--tray] [--at X Y] [--rest S] -- COMMAND");

    Display* d = XOpenDisplay(nullptr);
    if (!d) Fail("no display");
    // Windows come and go while the tree is walked: a vanished one is no error.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    int ev, er, maj, min;
    if (!XTestQueryExtension(d, &ev, &er, &maj, &min)) Fail("no XTEST on the display");
    const Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    if (atX >= 0) XTestFakeMotionEvent(d, -1, atX, atY, CurrentTime);
    XSync(d, True);

    const double t0 = Now();
    const pid_t pid = fork();
    if (pid < 0) Fail("fork failed");
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[i], argv + i);
        _exit(127);
    }
    auto give_up = [&](const std::string& why) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        Fail(why);
    };

    double iconAt = -1, menuAt = -1;
    if (tray) {
        int x = 0, y = 0;
        while (!FindTrayIcon(d, root, false, x, y)) {
            if (Now() - t0 > 30000) give_up("no tray icon within 30 s");
            if (waitpid(pid, nullptr, WNOHANG) == pid) Fail("the program ended before its icon appeared");
            SleepMs(2);
        }
        iconAt = Now();
        XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
        XSync(d, False);
        while (XPending(d)) {  // maps before the press are not the menu
            XEvent e;
            XNextEvent(d, &e);
        }
        while (menuAt < 0) {
            if (Now() - t0 > 30000 + 50 * retry) give_up("no menu after 30 s of presses");
            XTestFakeButtonEvent(d, 1, True, CurrentTime);
            XTestFakeButtonEvent(d, 1, False, CurrentTime);
            XFlush(d);
            menuAt = WaitForMap(d, cls, retry);
        }
    } else {
        menuAt = WaitForMap(d, cls, 30000);
        if (menuAt < 0) give_up("no menu within 30 s of exec");
    }

    // Let the menu draw, close it as a user would, and let the program settle.
    SleepMs(300);
    XTestFakeKeyEvent(d, XKeysymToKeycode(d, XK_Escape), True, CurrentTime);
    XTestFakeKeyEvent(d, XKeysymToKeycode(d, XK_Escape), False, CurrentTime);
    XFlush(d);
    SleepMs(rest * 1000);
    if (waitpid(pid, nullptr, WNOHANG) == pid) Fail("the program ended before its memory was read");
    auto mem = MemoryOf(pid);
    if (!smapsFile.empty()) WriteResidentPerFile(pid, smapsFile);

    std::printf("icon_ms=%.1f menu_ms=%.1f rss_kib=%ld anon_kib=%ld file_kib=%ld shmem_kib=%ld pss_kib=%ld\n",
                iconAt < 0 ? -1.0 : iconAt - t0, menuAt - t0, mem["VmRSS:"], mem["RssAnon:"], mem["RssFile:"],
                mem["RssShmem:"], mem["Pss:"]);
    std::fflush(stdout);
    kill(pid, SIGTERM);
    bool ended = false;
    for (int k = 0; k < 200 && !ended; ++k) {
        ended = waitpid(pid, nullptr, WNOHANG) == pid;
        if (!ended) SleepMs(10);
    }
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    XCloseDisplay(d);
    return 0;
}
