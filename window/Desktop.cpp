// The window layer's dealings with the desktop around it: the player's own
// data folder, which video drivers may show the window, the end of the
// program when the X display goes away or a signal asks it to end, and what
// the X server and its window manager make of the window.
#include "window/Desktop.h"
#include "window/Vitrine.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "util/Leftovers.h"

namespace Vitrine {
namespace detail {

namespace {

// When the X server goes away, Xlib's own handler calls exit() from the thread
// that notices it, and both of ours may notice at once (the main thread wakes
// the message thread through the X connection): two exits at a time crash in
// the exit handlers. This one ends the process once, at once, after what
// must not be lost (util/Leftovers.h: unsaved levels, the settings, stdio's
// buffers); the high-score file is only ever replaced whole. Those tasks run
// on the thread that noticed; the other one gets no more input by then.
int DisplayLost(void*) {
    static std::atomic_flag ending;
    if (!ending.test_and_set()) {
        static const char message[] = "kerbo: the display went away; the game ends.\n";
        [[maybe_unused]] auto written = write(STDERR_FILENO, message, sizeof message - 1);
        StandardLib::EndNow(1);
    }
    for (;;) pause();  // the first thread is ending the process
}

volatile std::sig_atomic_t gEndingSignal = 0;
struct sigaction gBefore[2];  // what handled SIGINT and SIGTERM before (SDL's handler)

void OnEndingSignal(int sig, siginfo_t* info, void* context) {
    if (gEndingSignal == 0) gEndingSignal = sig;
    const struct sigaction& before = gBefore[sig == SIGINT ? 0 : 1];
    if (before.sa_flags & SA_SIGINFO) {
        before.sa_sigaction(sig, info, context);
    } else if (before.sa_handler == SIG_DFL) {
        std::signal(sig, SIG_DFL);
        std::raise(sig);
    } else if (before.sa_handler != SIG_IGN) {
        before.sa_handler(sig);
    }
}

}  // namespace

void CatchEndingSignals() {
    static bool caught = false;
    if (caught) return;
    caught = true;
    const int signals[2] = {SIGINT, SIGTERM};
    for (int k = 0; k < 2; ++k) {
        if (sigaction(signals[k], nullptr, &gBefore[k]) != 0) continue;
        if (!(gBefore[k].sa_flags & SA_SIGINFO) && gBefore[k].sa_handler == SIG_IGN) continue;  // as started
        struct sigaction mine {};
        mine.sa_sigaction = OnEndingSignal;
        mine.sa_flags = SA_SIGINFO;
        sigemptyset(&mine.sa_mask);
        sigaction(signals[k], &mine, nullptr);
    }
}

// Unless SDL_VIDEODRIVER names one, SDL may only use drivers that show a
// window to someone: with no display it would otherwise fall back to its
// invisible off-screen driver, and the game would wait for keys nobody can type.
void AllowOnlyRealDisplays() {
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    if (chosen && *chosen) return;
    std::string drivers;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        std::string name = SDL_GetVideoDriver(i);
        if (name == "offscreen" || name == "dummy" || name == "evdev") continue;
        drivers += (drivers.empty() ? "" : ",") + name;
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
}

void CatchDisplayLoss() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0) return;
    void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);  // SDL has loaded it
    if (!x11) return;
    using Handler = int (*)(void*);
    using SetHandler = Handler (*)(Handler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(x11, "XSetIOErrorHandler"))) set(DisplayLost);
    dlclose(x11);  // drops only the reference taken here
}

// The browser has no X server: the page is the window's whole desktop.
#ifndef __EMSCRIPTEN__
namespace {

// The few Xlib calls asked of the X server directly, from the library SDL
// loaded; all null elsewhere than on X.
struct Xlib {
    using GetAttributes = Status (*)(Display*, ::Window, XWindowAttributes*);
    using Translate = Bool (*)(Display*, ::Window, ::Window, int, int, int*, int*, ::Window*);
    using InternAtom = Atom (*)(Display*, const char*, Bool);
    using GetProperty = int (*)(Display*, ::Window, Atom, long, long, Bool, Atom, Atom*, int*, unsigned long*,
                                unsigned long*, unsigned char**);
    using Free = int (*)(void*);
    using ErrorHandler = int (*)(Display*, XErrorEvent*);
    using SetErrorHandler = ErrorHandler (*)(ErrorHandler);
    using Sync = int (*)(Display*, Bool);
    GetAttributes getAttributes = nullptr;
    Translate translate = nullptr;
    InternAtom internAtom = nullptr;
    GetProperty getProperty = nullptr;
    Free free = nullptr;
    SetErrorHandler setErrorHandler = nullptr;
    Sync sync = nullptr;
    Display* display = nullptr;
    ::Window window = 0;
};

bool OpenXlib(SDL_Window* window, Xlib& x) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    static void* const library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);  // SDL has loaded it
    if (!library) return false;
    x.getAttributes = reinterpret_cast<Xlib::GetAttributes>(dlsym(library, "XGetWindowAttributes"));
    x.translate = reinterpret_cast<Xlib::Translate>(dlsym(library, "XTranslateCoordinates"));
    x.internAtom = reinterpret_cast<Xlib::InternAtom>(dlsym(library, "XInternAtom"));
    x.getProperty = reinterpret_cast<Xlib::GetProperty>(dlsym(library, "XGetWindowProperty"));
    x.free = reinterpret_cast<Xlib::Free>(dlsym(library, "XFree"));
    x.setErrorHandler = reinterpret_cast<Xlib::SetErrorHandler>(dlsym(library, "XSetErrorHandler"));
    x.sync = reinterpret_cast<Xlib::Sync>(dlsym(library, "XSync"));
    x.display = info.info.x11.display;
    x.window = info.info.x11.window;
    return x.getAttributes && x.translate && x.internAtom && x.getProperty && x.free && x.setErrorHandler &&
           x.sync && x.display;
}

// Xlib's own handler ends the program on any error; a window named by another
// program (the window manager's) may be gone by the time it is asked about.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

// The atoms of a property of `window` that holds atoms or windows; empty when it has none.
std::vector<unsigned long> ListProperty(const Xlib& x, ::Window window, const char* name) {
    std::vector<unsigned long> list;
    const Atom property = x.internAtom(x.display, name, True);
    if (property == None) return list;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    if (x.getProperty(x.display, window, property, 0, 1024, False, AnyPropertyType, &type, &format, &count,
                      &left, &data) == Success &&
        data && format == 32) {
        const auto* items = reinterpret_cast<const unsigned long*>(data);  // Xlib's longs for format 32
        list.assign(items, items + count);
    }
    if (data) x.free(data);
    return list;
}

}  // namespace
#endif

void RealWindowFrame(SDL_Window* window, SDL_Rect& frame) {
    SDL_GetWindowPosition(window, &frame.x, &frame.y);
    SDL_GetWindowSize(window, &frame.w, &frame.h);
#ifndef __EMSCRIPTEN__
    Xlib x;
    if (!OpenXlib(window, x)) return;
    XWindowAttributes attributes;
    if (!x.getAttributes(x.display, x.window, &attributes)) return;
    ::Window child = 0;
    int rootX = 0, rootY = 0;
    if (x.translate(x.display, x.window, attributes.root, 0, 0, &rootX, &rootY, &child)) {
        frame.x = rootX;
        frame.y = rootY;
    }
    frame.w = attributes.width;
    frame.h = attributes.height;
#endif
}

bool DesktopMakesFullScreen([[maybe_unused]] SDL_Window* window) {
#ifdef __EMSCRIPTEN__
    return true;
#else
    Xlib x;
    if (!OpenXlib(window, x)) return true;  // not X: the desktop's own business
    XWindowAttributes attributes;
    if (!x.getAttributes(x.display, x.window, &attributes)) return true;
    // A running window manager names its own window on the root window and on that window itself.
    const std::vector<unsigned long> check = ListProperty(x, attributes.root, "_NET_SUPPORTING_WM_CHECK");
    if (check.empty()) return false;
    x.sync(x.display, False);
    const Xlib::ErrorHandler before = x.setErrorHandler(IgnoreXError);
    const bool running = ListProperty(x, ::Window(check[0]), "_NET_SUPPORTING_WM_CHECK") == check;
    x.sync(x.display, False);
    x.setErrorHandler(before);
    if (!running) return false;
    const Atom fullScreen = x.internAtom(x.display, "_NET_WM_STATE_FULLSCREEN", True);
    const std::vector<unsigned long> supported = ListProperty(x, attributes.root, "_NET_SUPPORTED");
    return fullScreen != None && std::find(supported.begin(), supported.end(), fullScreen) != supported.end();
#endif
}

}  // namespace detail

int EndingSignal() {
    return detail::gEndingSignal;
}

std::string UserDataFolder(const char* app, std::string& why) {
    // An empty or relative XDG_DATA_HOME counts as unset (SDL would take it
    // as given and make the folder in / or in the working directory).
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (data && data[0] != '/' && home && home[0] == '/') {
        const std::filesystem::path folder = std::filesystem::path(home) / ".local" / "share" / app;
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) {
            why = folder.string() + ": " + error.message();
            return {};
        }
        return folder.string() + "/";
    }
    char* path = SDL_GetPrefPath("", app);
    if (!path) {
        why = SDL_GetError();
        return {};
    }
    std::string folder = path;
    SDL_free(path);
    return folder;
}

}  // namespace Vitrine
