// Small X11 helper for the end-to-end tests and the benchmark:
//   xhelper close WINDOW        asks a window to close as a window manager's close box does
//   xhelper launch NAME CMD...  starts CMD and prints the microseconds until a window titled
//                               NAME is mapped, then the child's pid
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

int closeWindow(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    return 0;
}

bool hasName(Display* display, Window window, const char* name) {
    char* title = nullptr;
    if (XFetchName(display, window, &title) && title) {
        const bool same = std::strcmp(title, name) == 0;
        XFree(title);
        return same;
    }
    return false;
}

// Watches the root window's children being mapped (without a window manager the program's
// top-level windows are the root's children) and times the first one with the name.
int launch(Display* display, const char* name, char** command) {
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(command[0], command);
        _exit(127);
    }
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && hasName(display, event.xmap.window, name)) {
            const auto elapsed = std::chrono::steady_clock::now() - start;
            std::printf("%lld %d\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count()),
                        int(child));
            return 0;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xhelper: no display\n");
        return 2;
    }
    if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
        return closeWindow(display, Window(std::strtoul(argv[2], nullptr, 0)));
    }
    if (argc >= 4 && std::strcmp(argv[1], "launch") == 0) {
        return launch(display, argv[2], argv + 3);
    }
    std::fprintf(stderr, "usage: xhelper close WINDOW | xhelper launch NAME COMMAND...\n");
    return 2;
}
