// The message thread: it owns every SDL window and renderer object, opens the
// screen (Screen.cpp), turns SDL's input events into the layer's own events,
// and shows the newest frame the main thread handed over. The main thread
// wakes it with SDL user events (a frame is ready, or close the window), which
// SDL lets any thread push.
#include "window/MessageThread.h"
#include "window/Desktop.h"
#include "window/Display.h"
#include "window/Gamepad.h"
#include "window/Note.h"
#include "window/Screen.h"
#include "window/VitrineInternal.h"
#include "window/VitrineSdl.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace Vitrine::detail {

std::atomic<bool> reportFocus{true};

namespace {

std::thread gThread;

// SDL user event codes sent to the message thread.
enum WakeCode : int32_t { WAKE_FRAME = 1, WAKE_CLOSE = 2, WAKE_LOOK = 3, WAKE_WINDOW = 4 };
std::atomic<uint32_t> gWakeType{0};

// Joins the message thread when the program ends with the window still open,
// so that the thread never outlives the data it uses.
struct ExitGuard {
    ~ExitGuard();
} gExitGuard;

// Pushes a wake-up to the message thread. Caller holds link().lock, so the
// thread cannot be tearing SDL down at the same time.
bool PostWake(int32_t code) {
    if (!link().threadRunning) return false;
    SDL_Event event{};
    event.type = gWakeType.load();
    event.user.code = code;
    if (SDL_PushEvent(&event) != 1) return false;
    ++link().wakesPosted;
    return true;
}

// The screen with the event loop's own state.
struct Loop : Screen {
    int64_t nextShow = 0;     // NowNs
    uint64_t wakesTaken = 0;  // wake-ups taken from the queue
    bool enterTaken = false;  // Enter went down with Alt: its release is not the game's either
    bool leftHeld = false;
    bool rightHeld = false;
};

void ReportOpened(WinState state, const char* error) {
    {
        std::lock_guard guard(link().lock);
        link().reported = state;
        link().threadRunning = state == STATE_ACTIVE;
        if (error) link().error = error;
    }
    link().changed.notify_all();
}

// Shows the frame handed over, if there is one. Until the next one may be
// shown, the main thread keeps its frames: most of them would never reach the
// screen.
void ShowNewestFrame(Loop& screen) {
    std::vector<uint32_t> reference;
    std::vector<Area> fromTexture, inWindow;
    int64_t handedAt = 0;
    // A note over the picture is drawn again over what lies under it, which
    // then has to be on the texture. It is taken once, so that one coming
    // meanwhile waits for the next present.
    const NoteState note = CurrentNote(screen);
    const bool noted = screen.overlay.w > 0 || note.at.w > 0;
    {
        std::lock_guard guard(link().lock);
        link().wakePosted = false;
        if (!link().frameFresh) return;
        link().frameFresh = false;
        handedAt = link().handedAtNs;
        // The blocks that changed go from `front`, which stays the main
        // thread's copy of the frame it handed over, straight onto the
        // texture; those it put into the window's pixels itself are only
        // presented.
        fromTexture = link().frontChanges.Areas();
        link().frontChanges.Clear();
        inWindow.swap(link().putInWindow);
        if (noted) {
            fromTexture.insert(fromTexture.end(), inWindow.begin(), inWindow.end());
            inWindow.clear();
        }
        Upload(screen, link().front.data(), fromTexture);
        AddStale(screen, inWindow);
        if (noted || ShowsWhole(screen, Covered(fromTexture, inWindow)))
            RefreshTexture(screen, link().front.data());
        reference.swap(link().reference);
    }
    // The next look comes a period after this frame was handed over, and a
    // little more: a paced main thread hands its frames over once a period,
    // so the look finds the next one there and neither thread has to wake
    // the other. Never sooner than three quarters of a period from now.
    const int64_t interval = std::chrono::nanoseconds(screen.minInterval).count(), now = NowNs();
    screen.nextShow = std::max(handedAt + interval + interval / 8, now + interval - interval / 4);
    if (ShowChanges(screen, std::move(fromTexture), inWindow, note)) ++link().framesInParts;
    if (!reference.empty()) {
        const bool same = ShowsPicture(screen, reference);
        ++link().framesChecked;
        if (!same) ++link().framesWrong;
    }
    // With vsync the present above waited for a refresh; the next one is a
    // refresh period later.
    int64_t nextWant = screen.nextShow;
    if (screen.minInterval.count() == 0)
        nextWant = NowNs() + std::chrono::nanoseconds(screen.refreshPeriod).count();
    link().nextWantNs = nextWant;
}

// Tells the main thread that a frame may be shown now: it hands over the one it
// drew last, at once if it is waiting, else when it finishes the one it draws.
// A main thread that has shown nothing new since its last hand-over is not
// woken: it hands its next frame over as soon as it shows it. True when a
// frame has been handed over meanwhile, to be shown at once.
bool AskForFrame() {
    bool unsent = false;
    {
        std::lock_guard guard(link().lock);
        if (link().frameFresh) return true;
        if (link().wanted) return false;
        link().wanted = true;
        unsent = link().unsent;
    }
    if (unsent) link().changed.notify_all();
    return false;
}

// Keeps the mouse captured while a button is held, so that a drag outside the
// window still reports positions (left of or above it: negative numbers).
void TrackCapture(Loop& screen, const InputEvent& event) {
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
bool FullscreenKey(Loop& screen, const SDL_Event& event) {
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

// The window's scale and the whole screen as the main thread asked for them
// (ChangeWindowNow): a window takes the new scale's size at once, one on the
// whole screen comes back at it.
void ChangeWindow(Loop& screen) {
    uint32_t scale = 0;
    bool fullScreen = false;
    {
        std::lock_guard guard(link().lock);
        scale = link().scaleAsked;
        fullScreen = link().fullScreenAsked;
    }
    int32_t w = 0, h = 0;
    bool needsFullScreen = false;
    WindowSize(screen.scaler.picW, screen.scaler.picH, scale, w, h, needsFullScreen);
    if (screen.scaler.fullscreen) {
        screen.scaler.windowW = w;
        screen.scaler.windowH = h;
    } else {
        // Centred again on its screen, so that a larger window stays on it.
        const int display = std::max(0, SDL_GetWindowDisplayIndex(screen.window));
        SDL_SetWindowSize(screen.window, w, h);
        SDL_SetWindowPosition(screen.window, int(SDL_WINDOWPOS_CENTERED_DISPLAY(display)),
                              int(SDL_WINDOWPOS_CENTERED_DISPLAY(display)));
    }
    if (fullScreen != screen.scaler.fullscreen) {
        screen.scaler.chosenHere = true;
        ToggleFullscreen(screen.scaler, screen.window);
    }
    Relayout(screen.scaler, screen.window, screen.renderer);
    Render(screen);
    {
        std::lock_guard guard(link().lock);
        ++link().windowChangesDone;
    }
    link().changed.notify_all();
}

// Handles one SDL event; false when the window is to close.
bool HandleEvent(Loop& screen, const SDL_Event& event) {
    if (event.type == gWakeType.load()) {
        ++screen.wakesTaken;
        if (event.user.code == WAKE_WINDOW) ChangeWindow(screen);
        return event.user.code != WAKE_CLOSE;  // a frame, a note or the clock: see RunEventLoop
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
                    if (reportFocus) QueueInput(InputEvent{InputKind::FOCUS_LOST, 0, 0, 0});
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
            screen.scaler.chosenHere = true;
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

// With the clock stepped, tells the main thread (CatchUp) that this thread
// has taken the wake-ups so far and waits for events again.
void ReportWaiting(const Loop& screen) {
    {
        std::lock_guard guard(link().lock);
        link().wakesTaken = screen.wakesTaken;
    }
    link().changed.notify_all();
}

// Waits for events and handles them until the window is to close; shows a
// handed-over frame as soon as the pace of showing allows, and asks for one
// when it may show one and has none. A stepped clock wakes it when it moves.
void RunEventLoop(Loop& screen) {
    constexpr int64_t kNsPerMs = 1'000'000;
    for (;;) {
        if (screen.nextShow <= NowNs()) {
            ShowNewestFrame(screen);
            if (screen.nextShow <= NowNs() && AskForFrame()) continue;
        }
        if (NoteChanged()) Render(screen);  // a note came or went (Note.cpp)
        const int64_t wait = screen.nextShow - NowNs();
        const bool stepped = ClockStepped();
        const int timeout = NoteTimeout(wait > 0 && !stepped ? int((wait + kNsPerMs - 1) / kNsPerMs) : -1);
        if (stepped) ReportWaiting(screen);
        // While this thread waits, the main thread may put its frames' changes
        // into the window's pixels; they are the window's again after it.
        OfferWindowPixels(screen);
        SDL_Event event;
        const bool got =
            timeout < 0 ? SDL_WaitEvent(&event) != 0 : SDL_WaitEventTimeout(&event, timeout) != 0;
        TakeBackWindowPixels(screen);
        if (!got) {
            if (timeout < 0) return;
            continue;
        }
        if (!HandleEvent(screen, event)) return;
    }
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
    CatchEndingSignals();
    gWakeType = SDL_RegisterEvents(1);  // before ReportOpened: the main thread reads it afterwards
    Loop screen;
    if (!OpenScreen(screen, title, width, height, scale)) {
        std::string reason = SDL_GetError();
        CloseScreen(screen);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        ReportOpened(STATE_ERROR, reason.c_str());
        return;
    }
    link().showPeriodNs =
        std::chrono::nanoseconds(screen.minInterval.count() ? screen.minInterval : screen.refreshPeriod)
            .count();
    SDL_StopTextInput();
    // Controllers plugged in already are announced as added once this is up.
    const bool pads = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    ReportOpened(STATE_ACTIVE, nullptr);

    RunEventLoop(screen);

    {
        std::lock_guard guard(link().lock);
        link().threadRunning = false;
        link().closed = true;
        link().closedFlag = true;
    }
    link().changed.notify_all();
    if (screen.leftHeld || screen.rightHeld) SDL_CaptureMouse(SDL_FALSE);
    ClosePads();
    if (pads) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    CloseScreen(screen);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace

bool StartMessageThread(const char* title, uint32_t width, uint32_t height, uint32_t scale,
                        std::string& error) {
    try {
        gThread = std::thread(MessageThread, std::string(title ? title : ""), width, height, scale);
    } catch (const std::system_error& failure) {
        error = failure.what();
        return false;
    }
    WinState reported;
    {
        std::unique_lock guard(link().lock);
        link().changed.wait(guard, [] { return link().reported != STATE_DEAD; });
        reported = link().reported;
        error = link().error;
    }
    if (reported != STATE_ACTIVE) {
        gThread.join();
        return false;
    }
    return true;
}

void StopMessageThread() {
    if (!gThread.joinable()) return;
    {
        std::lock_guard guard(link().lock);
        PostWake(WAKE_CLOSE);
    }
    gThread.join();
}

bool WakeForFrame() {
    return PostWake(WAKE_FRAME);
}

bool WakeToLook() {
    return PostWake(WAKE_LOOK);
}

bool ChangeWindowNow() {
    std::unique_lock guard(link().lock);
    if (!PostWake(WAKE_WINDOW)) return false;
    const uint64_t asked = ++link().windowChangesAsked;
    link().changed.wait(guard,
                        [asked] { return link().windowChangesDone >= asked || !link().threadRunning; });
    return true;
}

void RequestClose() {
    std::unique_lock guard(link().lock);
    if (!link().threadRunning) return;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    link().changed.wait(guard, [] { return link().closed; });
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

}  // namespace Vitrine::detail
