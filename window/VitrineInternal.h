// Vitrine's parts talk to each other through this header; the game never
// includes it. The parts every platform shares (vitrine_core) call what each
// platform defines: the SDL one (vitrine) and the null one (window/null/).
// Two sides meet here:
//  - the main thread's side (the window record, the drawing buffer, the key
//    flags and queue, the mouse, the bitmap table), touched by the main
//    thread only;
//  - the Link, the little that both threads share, guarded by one mutex.
#pragma once

#include "window/Changes.h"
#include "window/Vitrine.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace Vitrine::detail {

// ---------------------------------------------------------------- input events

enum class InputKind : uint8_t {
    KEY_PRESS,    // key: virtual-key code; also every auto-repeat
    KEY_RELEASE,  // key: virtual-key code
    MOUSE_MOVE,   // x, y: picture pixels (may lie outside while captured)
    LEFT_DOWN,
    LEFT_UP,
    LEFT_DOUBLE,
    RIGHT_DOWN,
    RIGHT_UP,
    PAD_PRESS,    // key: a PadButton
    PAD_RELEASE,  // key: a PadButton
    FOCUS_LOST,   // the window lost the keyboard focus
    LAST = FOCUS_LOST,
};

// One keyboard, mouse, gamepad or focus event as the message thread received it.
struct InputEvent {
    InputKind kind = InputKind::KEY_PRESS;
    uint32_t key = 0;
    int32_t x = 0;
    int32_t y = 0;
};

// Any thread: appends an event; it takes effect at the main thread's next
// input point. Wakes a main thread that waits for input.
void QueueInput(const InputEvent& event);
// Main thread: the one input point. Applies every queued event in arrival order.
void ApplyPendingInput();
// Main thread: makes one event take effect (key flags, key queue, mouse, callbacks).
void ApplyEvent(const InputEvent& event);
// Main thread: key flags, key queue, mouse record and callbacks back to zero.
void ResetInput();

// ---------------------------------------------------------------- the shared link

// The window's own pixels as the message thread offers them while it waits:
// SDL's software renderer draws into them and presents them in parts. While
// they are offered, only the main thread touches them, holding link().lock;
// the message thread touches them again only after taking them back.
struct WindowPixels {
    unsigned char* pixels = nullptr;  // null: not offered
    int pitch = 0;                    // bytes from one row to the next
    int32_t w = 0, h = 0;             // their size
    int32_t x = 0, y = 0, scale = 0;  // where the picture lies, each of its pixels a scale x scale square
    bool swap = false;                // in 0xAARRGGBB: red and blue change places
};
// Puts `area` of `frame` (frameWidth pixels wide, 0x00BBGGRR) into the
// window's pixels as placed; false, putting nothing, when it would not lie
// inside them.
bool PutInWindow(const WindowPixels& into, const uint32_t* frame, uint32_t frameWidth, const Area& area);

// Everything both threads touch. Fields are guarded by `lock` except `closed`,
// which is also mirrored in an atomic for the cheap check before each drawing call.
struct Link {
    std::mutex lock;
    std::condition_variable changed;  // state reported, input queued, window closed
    WinState reported = STATE_DEAD;   // the message thread's answer to Window
    std::string error;                // SDL's reason when opening failed
    bool threadRunning = false;       // the message thread still takes SDL events
    bool closed = false;              // the window has gone (user, or KillWindow)
    std::vector<InputEvent> pending;  // input not yet applied
    std::vector<uint32_t> front;      // the newest frame handed over
    ChangeMap frontChanges;           // blocks of `front` changed since the message thread took it
    // Offered by the message thread while it waits: the main thread puts the
    // changed parts of each frame it hands over there itself, and notes them
    // in `putInWindow`, not in frontChanges, for the message thread to present.
    WindowPixels windowPixels;
    std::vector<Area> putInWindow;
    bool frameFresh = false;  // `front` holds a frame not shown yet
    bool wanted = false;      // the message thread may show a frame now and has none
    bool unsent = false;      // the main thread has shown a frame it has not handed over
    // Tests: a copy of the whole buffer at each hand-over, with which the
    // message thread compares what it presented; the frames so checked.
    bool keepReference = false;
    std::vector<uint32_t> reference;
    std::atomic<uint64_t> framesChecked{0};
    std::atomic<uint64_t> framesWrong{0};
    std::atomic<uint64_t> framesInParts{0};  // frames the message thread presented in parts
    // When the message thread expects to want the next frame (NowNs).
    std::atomic<int64_t> nextWantNs{0};
    // How long after taking a frame the message thread wants the next (ns).
    std::atomic<int64_t> showPeriodNs{0};
    bool wakePosted = false;  // a wake-up is already in the SDL queue
    int64_t handedAtNs = 0;   // when the main thread last handed a frame over (NowNs)
    // Wake-ups pushed to the message thread since the window opened, and (with
    // the clock stepped) those it had taken when it last began to wait
    // (UINT64_MAX: it has not waited yet).
    uint64_t wakesPosted = 0;
    uint64_t wakesTaken = 0;
    std::atomic<bool> closedFlag{false};
    // The window's size or the whole screen asked for at once (ResizeWindow,
    // SwitchFullScreen): asked and done so far, and the scale asked last.
    uint64_t windowChangesAsked = 0;
    uint64_t windowChangesDone = 0;
    uint32_t scaleAsked = 0;
    bool fullScreenAsked = false;
};
Link& link();

// ---------------------------------------------------------------- the clock

// Any thread: the clock the waits and the pace of showing read (ns): the
// steady clock, or a test's stepped one (Testing::UseSteppedClock).
int64_t NowNs();
bool ClockStepped();
// Main thread, holding link().lock in `guard`, with the clock stepped: wakes
// the message thread and waits until it has done all it would do by now and
// waits for events again, or the window has gone. With `serve`, frames are
// handed over meanwhile as during a wait.
void CatchUp(std::unique_lock<std::mutex>& guard, bool serve);
// Main thread, as CatchUp: lets the message thread catch up, moves the stepped
// clock on to `ns` (never back) and lets it catch up again.
void StepClockTo(std::unique_lock<std::mutex>& guard, int64_t ns, bool serve);

// ---------------------------------------------------------------- the main thread's side

// The window record. `state` is the main thread's view: it turns DEAD on the
// main thread only, at the first call after the window went away.
struct WinStruct {
    WinState state = STATE_DEAD;
    uint32_t xlen = 0;
    uint32_t ylen = 0;
    std::vector<uint32_t> buffer;  // xlen * ylen pixels, 0x00BBGGRR
    // The blocks of the buffer written since it was last handed over; every
    // other block equals the frame handed over (link().front).
    ChangeMap changes;
    BlockImages held;    // the whole images the blocks of the buffer hold
    BlockStamps stamps;  // when each block was last drawn into
    bool buffering = false;
    uint64_t framesShown = 0;
    uint64_t handOffs = 0;  // frames offered to the message thread
    uint64_t copies = 0;    // frames handed over to it (only their changed blocks are copied)
    // Tests: every image drawn is compared with the buffer after it; the
    // drawings after which the buffer did not show it.
    bool checkDrawing = false;
    uint64_t drawnWrong = 0;
};
extern WinStruct window;

// Main thread: true while the window is open. Notices a close by the user and
// then releases the main thread's side (buffer, input, bitmap table).
bool Active();
// Main thread: finishes a close if one happened; cheap when nothing happened.
void NoticeClose();
// Main thread: offers the buffer to the message thread and returns. It is
// handed over when the message thread may show a frame, else kept until then
// (see ServeFrame).
void Present();
// Main thread, holding link().lock: hands the buffer over if a frame was
// shown since the last hand-over and the message thread wants one, or will
// want one before `wakesAtNs` (NowNs), when the caller, about to
// wait, wakes next (0: it does not wait). Only the parts that differ from
// the frame handed over before are copied, and put straight into the
// window's pixels when they are offered; when none differs, the screen shows
// this picture already and nothing is handed over. Every wait of the main
// thread calls it before it waits and whenever it wakes, so the last frame
// drawn before a wait is shown as soon as the screen can take it, and mostly
// without the threads waking each other for it.
void ServeFrame(int64_t wakesAtNs = 0);

// Main thread: pixels x0 <= x < x1 of rows y0 <= y < y1 of the buffer may
// have changed (all inside it).
inline void Changed(int64_t x0, int64_t x1, int64_t y0, int64_t y1) {
    window.changes.Mark(x0, x1, y0, y1);
    window.held.Forget(x0, x1, y0, y1);
    window.stamps.Stamp(x0, x1, y0, y1);
}
// Main thread: fills row y, columns x .. x + count - 1 (inside the buffer),
// leaving the pixels alone and unnoted when they all hold the colour already.
inline void FillRow(uint32_t color, int64_t x, int64_t count, int64_t y) {
    uint32_t* to = window.buffer.data() + y * window.xlen + x;
    int64_t i = 0;
    while (i < count && to[i] == color) ++i;
    if (i == count) return;
    for (; i < count; ++i) to[i] = color;
    Changed(x, x + count, y, y + 1);
}
// Main thread: in direct mode (buffering off) a change shows at once.
inline void ShowChange() {
    if (!window.buffering) Present();
}
// Main thread: empties the bitmap table (the window closed).
void ResetBitmaps();
// Any thread: closes the window as the user would (the message thread ends
// it) and returns once it has gone; nothing when none is open.
void RequestClose();

// Instant waits for tests and replays.
extern bool instantWaits;
// Tests: FrameWillBeSeen answers false, as for a screen that never takes a frame.
extern bool framesUnseen;

}  // namespace Vitrine::detail
