// The window and its message thread, the hand-over of finished frames, and the
// waits (Delay, PaceFrame).
//
// The message thread owns every SDL window and renderer object: it creates the
// window, a renderer and a streaming texture, turns SDL's input events into
// the layer's own events, and shows the newest frame the main thread handed
// over. The main thread wakes it with SDL user events (a frame is ready, or
// close the window), which SDL lets any thread push.
#include "window/ReplayHooks.h"
#include "window/Display.h"
#include "window/Gamepad.h"
#include "window/VitrineInternal.h"
#include "window/VitrineSdl.h"

#include <SDL.h>
#include <dlfcn.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <thread>

namespace Vitrine {
namespace detail {

namespace {

// Never destroyed: a thread may still wait on it while the process ends (Xlib
// ends the process from the message thread when the X server goes away).
Link& gLink = *new Link;
std::thread gThread;
std::string gLastError;
uint32_t gWindowScale = 0;  // 0: the default for the desktop
std::atomic<bool> gReportFocus{true};

// SDL user event codes sent to the message thread.
enum WakeCode : int32_t { WAKE_FRAME = 1, WAKE_CLOSE = 2 };
std::atomic<uint32_t> gWakeType{0};

// Joins the message thread when the program ends with the window still open,
// so that the thread never outlives the data it uses.
struct ExitGuard {
    ~ExitGuard();
} gExitGuard;

// Pushes a wake-up to the message thread. Caller holds gLink.lock, so the
// thread cannot be tearing SDL down at the same time.
bool PostWake(int32_t code) {
    if (!gLink.threadRunning) return false;
    SDL_Event event{};
    event.type = gWakeType.load();
    event.user.code = code;
    return SDL_PushEvent(&event) == 1;
}

// ------------------------------------------------ the message thread

struct Screen {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    Uint32 textureFormat = SDL_PIXELFORMAT_XBGR8888;
    std::vector<uint32_t> shown;  // the frame on the texture
    bool frameWaiting = false;    // a frame was handed over and is not shown yet
    // Without vsync, frames are shown at most this often; the rest are skipped.
    std::chrono::steady_clock::duration minInterval{};
    std::chrono::steady_clock::time_point nextShow;
    std::chrono::steady_clock::duration refreshPeriod = std::chrono::microseconds(16667);
    uint32_t width = 0;
    int pitch = 0;
    Scaler scaler;            // where the picture goes in the window
    bool enterTaken = false;  // Enter went down with Alt: its release is not the game's either
    bool leftHeld = false;
    bool rightHeld = false;
};

void ReportOpened(WinState state, const char* error) {
    {
        std::lock_guard guard(gLink.lock);
        gLink.reported = state;
        gLink.threadRunning = state == STATE_ACTIVE;
        if (error) gLink.error = error;
    }
    gLink.changed.notify_all();
}

// True when the renderer's OpenGL draws with the CPU (Mesa's llvmpipe, softpipe
// or swrast, as on a machine without a graphics card).
bool DrawsGlOnCpu(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
    if (!SDL_GL_GetCurrentContext()) return false;
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!getString) return false;
    constexpr unsigned kGlRenderer = 0x1F01;
    const char* name = reinterpret_cast<const char*>(getString(kGlRenderer));
    if (!name) return false;
    return std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") ||
           std::strstr(name, "Software Rasterizer");
}

SDL_Renderer* CreateRenderer(SDL_Window* window) {
    const Uint32 tries[] = {SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC, SDL_RENDERER_ACCELERATED,
                            SDL_RENDERER_SOFTWARE | SDL_RENDERER_PRESENTVSYNC, SDL_RENDERER_SOFTWARE};
    for (Uint32 flags : tries) {
        SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, flags);
        if (!renderer) continue;
        // OpenGL emulated on the CPU costs several times what SDL's own blitting
        // straight into the window costs (about 12% of a core against 2% at 60
        // pictures a second); a renderer the user chose is kept.
        const char* chosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
        if ((!chosen || !*chosen) && DrawsGlOnCpu(renderer)) {
            SDL_DestroyRenderer(renderer);  // a window has one renderer at a time
            SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
            if (SDL_Renderer* blitter = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE)) return blitter;
            SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
            renderer = SDL_CreateRenderer(window, -1, flags);
            if (!renderer) continue;
        }
        return renderer;
    }
    return nullptr;
}

// The frames' own layout (0x00BBGGRR) suits OpenGL; SDL's software renderer
// blits, and above all enlarges, fastest when the picture already has the
// window's layout.
Uint32 PictureFormat(bool software, SDL_Window* window) {
    if (!software) return SDL_PIXELFORMAT_XBGR8888;
    const Uint32 format = SDL_GetWindowPixelFormat(window);
    if (format == SDL_PIXELFORMAT_XRGB8888 || format == SDL_PIXELFORMAT_ARGB8888) return format;
    return SDL_PIXELFORMAT_XBGR8888;
}

// Puts the frame on the texture, in the texture's layout.
void Upload(Screen& screen) {
    if (screen.textureFormat == SDL_PIXELFORMAT_XBGR8888) {
        SDL_UpdateTexture(screen.texture, nullptr, screen.shown.data(), screen.pitch);
        return;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(screen.texture, nullptr, &pixels, &pitch) != 0) return;
    SDL_ConvertPixels(int(screen.width), int(screen.shown.size() / screen.width), SDL_PIXELFORMAT_XBGR8888,
                      screen.shown.data(), screen.pitch, screen.textureFormat, pixels, pitch);
    SDL_UnlockTexture(screen.texture);
}

void Render(Screen& screen) {
    DrawPlaced(screen.scaler, screen.renderer, screen.texture);
}

// Creates window, renderer and texture; false (with SDL's reason set) on failure.
bool OpenScreen(Screen& screen, const std::string& title, uint32_t width, uint32_t height, uint32_t scale) {
    int32_t windowW = 0, windowH = 0;
    WindowSize(width, height, scale, windowW, windowH);
    screen.window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, windowW,
                                     windowH, SDL_WINDOW_SHOWN);  // fixed size: --scale and F11 choose it
    if (!screen.window) return false;
    screen.renderer = CreateRenderer(screen.window);
    if (!screen.renderer) return false;
    SDL_RendererInfo info;
    const bool known = SDL_GetRendererInfo(screen.renderer, &info) == 0;
    const bool software = known && std::strcmp(info.name, "software") == 0;
    screen.textureFormat = PictureFormat(software, screen.window);
    screen.texture = SDL_CreateTexture(screen.renderer, screen.textureFormat, SDL_TEXTUREACCESS_STREAMING,
                                       int(width), int(height));
    if (!screen.texture) return false;
    screen.width = width;
    screen.pitch = int(width * 4);
    screen.scaler.picW = width;
    screen.scaler.picH = height;
    Relayout(screen.scaler, screen.window, screen.renderer);
    screen.shown.assign(size_t(width) * height, 0);
    if (!known || !(info.flags & SDL_RENDERER_PRESENTVSYNC) || software) {
        // Without vsync, show at most one picture per 60 Hz refresh: more would only
        // cost CPU, as no screen shows it. SDL's software renderer claims vsync
        // but does not wait for it.
        screen.minInterval = std::chrono::microseconds(16667);
    }
    SDL_DisplayMode mode;
    if (SDL_GetWindowDisplayMode(screen.window, &mode) == 0 && mode.refresh_rate > 0)
        screen.refreshPeriod = std::chrono::microseconds(1000000 / mode.refresh_rate);
    Upload(screen);
    Render(screen);
    return true;
}

void CloseScreen(Screen& screen) {
    ReleaseScaler(screen.scaler);
    if (screen.texture) SDL_DestroyTexture(screen.texture);
    if (screen.renderer) SDL_DestroyRenderer(screen.renderer);
    if (screen.window) SDL_DestroyWindow(screen.window);
    screen = Screen{};
}

// Shows the frame handed over. Until the next one may be shown, the main
// thread keeps its frames: most of them would never reach the screen.
void ShowNewestFrame(Screen& screen) {
    screen.frameWaiting = false;
    {
        std::lock_guard guard(gLink.lock);
        gLink.wakePosted = false;
        if (!gLink.frameFresh) return;
        gLink.frameFresh = false;
        screen.shown.swap(gLink.front);
        gLink.front.resize(screen.shown.size());
    }
    screen.nextShow = std::chrono::steady_clock::now() + screen.minInterval;
    Upload(screen);
    Render(screen);
    // With vsync the present above waited for a refresh; the next one is a
    // refresh period later.
    auto nextWant = screen.nextShow;
    if (screen.minInterval.count() == 0) nextWant = std::chrono::steady_clock::now() + screen.refreshPeriod;
    gLink.nextWantNs = nextWant.time_since_epoch().count();
}

// Tells the main thread that a frame may be shown now: it hands over the one it
// drew last, at once if it is waiting, else when it finishes the one it draws.
void AskForFrame() {
    {
        std::lock_guard guard(gLink.lock);
        if (gLink.wanted || gLink.frameFresh) return;
        gLink.wanted = true;
    }
    gLink.changed.notify_all();
}

// Keeps the mouse captured while a button is held, so that a drag outside the
// window still reports positions (left of or above it: negative numbers).
void TrackCapture(Screen& screen, const InputEvent& event) {
    bool wasHeld = screen.leftHeld || screen.rightHeld;
    switch (event.kind) {
        case InputKind::LEFT_DOWN:
        case InputKind::LEFT_DOUBLE:
            screen.leftHeld = true;
            break;
        case InputKind::LEFT_UP:
            screen.leftHeld = false;
            break;
        case InputKind::RIGHT_DOWN:
            screen.rightHeld = true;
            break;
        case InputKind::RIGHT_UP:
            screen.rightHeld = false;
            break;
        default:
            return;
    }
    bool held = screen.leftHeld || screen.rightHeld;
    if (held != wasHeld) SDL_CaptureMouse(held ? SDL_TRUE : SDL_FALSE);
}

// F11 and Alt+Enter switch between window and whole screen; neither their
// presses nor their releases reach the game.
bool FullscreenKey(Screen& screen, const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) return false;
    const SDL_Keysym& keysym = event.key.keysym;
    if (keysym.sym == SDLK_F11) return true;
    if (keysym.sym != SDLK_RETURN && keysym.sym != SDLK_KP_ENTER) return false;
    if (event.type == SDL_KEYDOWN && (keysym.mod & KMOD_ALT) != 0) {
        screen.enterTaken = true;
        return true;
    }
    if (event.type == SDL_KEYUP && screen.enterTaken) {
        screen.enterTaken = false;
        return true;
    }
    return false;
}

// Mouse positions go to the game in its picture's pixels.
void ToPicturePixels(const Screen& screen, InputEvent& input) {
    switch (input.kind) {
        case InputKind::MOUSE_MOVE:
        case InputKind::LEFT_DOWN:
        case InputKind::LEFT_UP:
        case InputKind::LEFT_DOUBLE:
        case InputKind::RIGHT_DOWN:
        case InputKind::RIGHT_UP:
            ToPicture(screen.scaler.pointer, screen.scaler.picW, screen.scaler.picH, input.x, input.y);
            break;
        default:
            break;
    }
}

// Handles one SDL event; false when the window is to close.
bool HandleEvent(Screen& screen, const SDL_Event& event) {
    if (event.type == gWakeType.load()) {
        if (event.user.code == WAKE_CLOSE) return false;
        screen.frameWaiting = true;
        return true;
    }
    switch (event.type) {
        case SDL_QUIT:
            return false;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    return false;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    Relayout(screen.scaler, screen.window, screen.renderer);
                    Render(screen);
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                    Render(screen);
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    if (gReportFocus) QueueInput(InputEvent{InputKind::FOCUS_LOST, 0, 0, 0});
                    break;
                default:
                    break;
            }
            return true;
        default:
            break;
    }
    if (FullscreenKey(screen, event)) {
        if (event.type == SDL_KEYDOWN && !event.key.repeat) {
            ToggleFullscreen(screen.scaler, screen.window);
            Relayout(screen.scaler, screen.window, screen.renderer);
            Render(screen);
        }
        return true;
    }
    if (HandlePadEvent(event)) return true;
    if (std::optional<InputEvent> input = TranslateEvent(event)) {
        TrackCapture(screen, *input);
        ToPicturePixels(screen, *input);
        QueueInput(*input);
    }
    return true;
}

// Waits for events and handles them until the window is to close; shows a
// handed-over frame as soon as the pace of showing allows, and asks for one
// when it may show one and has none.
void RunEventLoop(Screen& screen) {
    for (;;) {
        using std::chrono::steady_clock;
        if (screen.nextShow <= steady_clock::now()) {
            if (screen.frameWaiting) ShowNewestFrame(screen);
            if (screen.nextShow <= steady_clock::now()) AskForFrame();
        }
        const auto wait = screen.nextShow - steady_clock::now();
        const int timeout =
            wait > wait.zero() ? int(std::chrono::ceil<std::chrono::milliseconds>(wait).count()) : -1;
        SDL_Event event;
        if (timeout < 0) {
            if (!SDL_WaitEvent(&event)) return;
        } else if (!SDL_WaitEventTimeout(&event, timeout)) {
            continue;
        }
        if (!HandleEvent(screen, event)) return;
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

// When the X server goes away, Xlib's own handler calls exit() from the thread
// that notices it, and both of ours may notice at once (the main thread wakes
// the message thread through the X connection): two exits at a time crash in
// the exit handlers. This one ends the process once, at once; the high-score
// file is only ever replaced whole, so nothing written is lost.
int DisplayLost(void*) {
    static std::atomic_flag ending;
    if (!ending.test_and_set()) {
        static const char message[] = "kerbo: the display went away; the game ends.\n";
        [[maybe_unused]] auto written = write(STDERR_FILENO, message, sizeof message - 1);
        _exit(1);
    }
    for (;;) pause();  // the first thread is ending the process
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

void MessageThread(std::string title, uint32_t width, uint32_t height, uint32_t scale) {
    AllowOnlyRealDisplays();
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        ReportOpened(STATE_ERROR, SDL_GetError());
        return;
    }
    CatchDisplayLoss();
    gWakeType = SDL_RegisterEvents(1);  // before ReportOpened: the main thread reads it afterwards
    Screen screen;
    if (!OpenScreen(screen, title, width, height, scale)) {
        std::string reason = SDL_GetError();
        CloseScreen(screen);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        ReportOpened(STATE_ERROR, reason.c_str());
        return;
    }
    SDL_StopTextInput();
    // Controllers plugged in already are announced as added once this is up.
    const bool pads = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    ReportOpened(STATE_ACTIVE, nullptr);

    RunEventLoop(screen);

    {
        std::lock_guard guard(gLink.lock);
        gLink.threadRunning = false;
        gLink.closed = true;
        gLink.closedFlag = true;
    }
    gLink.changed.notify_all();
    if (screen.leftHeld || screen.rightHeld) SDL_CaptureMouse(SDL_FALSE);
    ClosePads();
    if (pads) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    CloseScreen(screen);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

// Asks the message thread to close the window and waits until it has ended.
void StopMessageThread() {
    if (!gThread.joinable()) return;
    {
        std::lock_guard guard(gLink.lock);
        PostWake(WAKE_CLOSE);
    }
    gThread.join();
}

// When the program ends on the message thread itself (Xlib ends the process
// when the X server goes away), that thread cannot be joined.
ExitGuard::~ExitGuard() {
    if (gThread.joinable() && gThread.get_id() == std::this_thread::get_id()) {
        gThread.detach();
        return;
    }
    StopMessageThread();
}

// Main thread: the window has gone; release the main thread's side of it.
void FinishClose() {
    StopMessageThread();
    window.state = STATE_DEAD;
    window.xlen = 0;
    window.ylen = 0;
    window.buffer = {};
    window.buffering = false;
    {
        std::lock_guard guard(gLink.lock);
        gLink.pending.clear();
        gLink.front = {};
        gLink.frameFresh = false;
        gLink.wanted = false;
    }
    ResetInput();
    ResetBitmaps();
}

}  // namespace

WinStruct window;
bool instantWaits = false;
bool framesUnseen = false;

Link& link() {
    return gLink;
}

void NoticeClose() {
    if (window.state == STATE_ACTIVE && gLink.closedFlag.load(std::memory_order_acquire)) {
        RecordUserClose();
        FinishClose();
    }
}

bool Active() {
    NoticeClose();
    return window.state == STATE_ACTIVE;
}

void ServeFrame() {
    if (!gLink.wanted || !window.unsent || !gLink.threadRunning) return;
    std::memcpy(gLink.front.data(), window.buffer.data(), window.buffer.size() * sizeof(uint32_t));
    gLink.frameFresh = true;
    gLink.wanted = false;
    window.unsent = false;
    ++window.copies;
    if (!gLink.wakePosted) gLink.wakePosted = PostWake(WAKE_FRAME);
}

void Present() {
    ++window.handOffs;
    std::lock_guard guard(gLink.lock);
    window.unsent = true;
    ServeFrame();
}

}  // namespace detail

using namespace detail;

bool Window(const char* title, uint32_t x, uint32_t y) {
    NoticeClose();
    if (window.state == STATE_ACTIVE) KillWindow();
    if (x == 0 || y == 0) {
        gLastError = "The window size is zero.";
        return false;
    }
    StopMessageThread();  // none should be left; never start a second one
    {
        std::lock_guard guard(gLink.lock);
        gLink.reported = STATE_DEAD;
        gLink.error.clear();
        gLink.closed = false;
        gLink.closedFlag = false;
        gLink.pending.clear();
        gLink.front.assign(size_t(x) * y, 0);
        gLink.frameFresh = false;
        gLink.wanted = false;
        gLink.nextWantNs = 0;
        gLink.wakePosted = false;
    }
    try {
        gThread = std::thread(MessageThread, std::string(title ? title : ""), x, y, gWindowScale);
    } catch (const std::system_error& failure) {
        gLastError = failure.what();
        return false;
    }
    WinState reported;
    {
        std::unique_lock guard(gLink.lock);
        gLink.changed.wait(guard, [] { return gLink.reported != STATE_DEAD; });
        reported = gLink.reported;
        gLastError = gLink.error;
    }
    if (reported != STATE_ACTIVE) {
        gThread.join();
        return false;
    }
    window.xlen = x;
    window.ylen = y;
    window.buffer.assign(size_t(x) * y, 0);
    window.buffering = false;
    window.framesShown = 0;
    window.handOffs = 0;
    window.copies = 0;
    window.unsent = false;
    window.state = STATE_ACTIVE;
    return true;
}

void ReportFocusLoss(bool on) {
    gReportFocus = on;
}

void SetWindowScale(uint32_t scale) {
    gWindowScale = scale <= 16 ? scale : 16;
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

void KillWindow() {
    if (window.state != STATE_ACTIVE) {
        window.state = STATE_DEAD;
        return;
    }
    FinishClose();
}

bool WindowClosed() {
    return !Active();
}

const char* LastError() {
    return gLastError.c_str();
}

// ---------------------------------------------------------------- waits

namespace {

using Clock = std::chrono::steady_clock;

// Blocks until `deadline` or until the window closes, whichever comes first.
void WaitUntil(Clock::time_point deadline) {
    std::unique_lock guard(gLink.lock);
    gLink.changed.wait_until(guard, deadline, [] {
        ServeFrame();
        return gLink.closed;
    });
}

// For waits that did not wait (instant waits, a stalled pace).
void ServeWithoutWaiting() {
    std::lock_guard guard(gLink.lock);
    ServeFrame();
}

Clock::time_point gFrameDeadline;
Clock::duration gFramePeriod{};
bool gFramePaced = false;

}  // namespace

void Delay(uint32_t ms) {
    if (Active()) {
        if (instantWaits) {
            ServeWithoutWaiting();
        } else {
            WaitUntil(Clock::now() + std::chrono::milliseconds(ms));
        }
    }
    ApplyPendingInput();
}

void PaceFrame(uint32_t framesPerSecond) {
    if (Active() && (instantWaits || framesPerSecond == 0)) {
        ServeWithoutWaiting();
    } else if (Active()) {
        auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / framesPerSecond;
        Clock::time_point now = Clock::now();
        if (!gFramePaced) gFrameDeadline = now;
        gFramePaced = true;
        gFramePeriod = period;
        gFrameDeadline += period;
        if (now - gFrameDeadline > period) {
            gFrameDeadline = now;  // far behind (a stall): carry on from now
            ServeWithoutWaiting();
        } else {
            WaitUntil(gFrameDeadline);
        }
    }
    ApplyPendingInput();
}

bool FrameWillBeSeen() {
    if (framesUnseen) return false;
    if (!Active() || instantWaits || !gFramePaced) return true;
    // The frame drawn now is replaced by the next one about a period later.
    // A frame misjudged as unseen costs only freshness: the screen then shows
    // the one drawn before it.
    const Clock::time_point nextWant{Clock::duration(gLink.nextWantNs.load())};
    return Clock::now() + gFramePeriod >= nextWant;
}

}  // namespace Vitrine
