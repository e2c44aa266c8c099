// Small X11 helper for the end-to-end tests and the benchmark:
//   xhelper close WINDOW        asks a window to close as a window manager's close box does
//   xhelper launch NAME CMD...  starts CMD and prints the microseconds until a window titled
//                               NAME is mapped, then the child's pid
//   xhelper response WINDOW HANDS PREP... CLICK RECT
//                               plays HANDS hands: clicks the PREP points (x,y), then, while
//                               the rectangle RECT (x,y,w,h) shows red (the blinking advice
//                               label), clicks CLICK and prints the milliseconds until RECT
//                               changes on the screen. Points are in screen coordinates.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// Windows come and go while they are watched: a request about one that is gone is no error.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

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
        // The program's output must not hold the caller's pipe open.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
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

struct Rect {
    int x, y, w, h;
};

bool parsePoint(const char* text, int* x, int* y) {
    return std::sscanf(text, "%d,%d", x, y) == 2;
}

void click(Display* display, int x, int y) {
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
}

// The rectangle's pixels as the screen shows them.
std::vector<unsigned long> grab(Display* display, Window root, const Rect& r) {
    std::vector<unsigned long> pixels;
    XImage* image =
        XGetImage(display, root, r.x, r.y, unsigned(r.w), unsigned(r.h), AllPlanes, ZPixmap);
    if (!image) return pixels;
    pixels.reserve(size_t(r.w) * r.h);
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x)
            pixels.push_back(XGetPixel(image, x, y));
    XDestroyImage(image);
    return pixels;
}

bool showsRed(const std::vector<unsigned long>& pixels) {
    for (unsigned long p : pixels)
        if (((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) < 60 && (p & 0xFF) < 60) return true;
    return false;
}

bool touches(const XDamageNotifyEvent& damage, const Rect& r, int wx, int wy) {
    const int x = wx + damage.area.x, y = wy + damage.area.y;
    return x < r.x + r.w && x + damage.area.width > r.x && y < r.y + r.h &&
           y + damage.area.height > r.y;
}

// Waits for the next damage of the window that touches the rectangle; false after 3 s.
bool nextDamage(Display* display, int damageEvent, const Rect& r, int wx, int wy) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == damageEvent + XDamageNotify &&
                touches(reinterpret_cast<XDamageNotifyEvent&>(event), r, wx, wy))
                return true;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    return false;
}

int response(Display* display, Window window, int hands, int argc, char** argv) {
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "xhelper: no DAMAGE extension\n");
        return 2;
    }
    Rect r{};
    if (std::sscanf(argv[argc - 1], "%d,%d,%d,%d", &r.x, &r.y, &r.w, &r.h) != 4) return 2;
    int cx = 0, cy = 0;
    if (!parsePoint(argv[argc - 2], &cx, &cy)) return 2;
    const Window root = DefaultRootWindow(display);
    int wx = 0, wy = 0;
    Window child;
    XTranslateCoordinates(display, window, root, 0, 0, &wx, &wy, &child);
    XDamageCreate(display, window, XDamageReportRawRectangles);
    for (int hand = 0; hand < hands; ++hand) {
        for (int i = 0; i < argc - 2; ++i) {
            int x = 0, y = 0;
            if (!parsePoint(argv[i], &x, &y)) return 2;
            click(display, x, y);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        XTestFakeMotionEvent(display, -1, cx, cy, CurrentTime);
        XSync(display, False);
        // Wait until the blinking label has just appeared: half a second before it hides.
        do {
            if (!nextDamage(display, damageEvent, r, wx, wy)) return 3;
        } while (!showsRed(grab(display, root, r)));
        const std::vector<unsigned long> before = grab(display, root, r);
        const auto start = std::chrono::steady_clock::now();
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
        for (;;) {
            if (!nextDamage(display, damageEvent, r, wx, wy)) return 3;
            if (grab(display, root, r) != before) break;
        }
        const auto elapsed = std::chrono::steady_clock::now() - start;
        std::printf("%.3f\n", std::chrono::duration<double, std::milli>(elapsed).count());
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<Display, int (*)(Display*)> connection(XOpenDisplay(nullptr),
                                                                 XCloseDisplay);
    Display* display = connection.get();
    if (!display) {
        std::fprintf(stderr, "xhelper: no display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
        return closeWindow(display, Window(std::strtoul(argv[2], nullptr, 0)));
    }
    if (argc >= 4 && std::strcmp(argv[1], "launch") == 0) {
        return launch(display, argv[2], argv + 3);
    }
    if (argc >= 6 && std::strcmp(argv[1], "response") == 0) {
        return response(display, Window(std::strtoul(argv[2], nullptr, 0)), std::atoi(argv[3]),
                        argc - 4, argv + 4);
    }
    std::fprintf(stderr, "usage: xhelper close WINDOW | launch NAME COMMAND... | "
                         "response WINDOW HANDS X,Y... X,Y X,Y,W,H\n");
    return 2;
}
