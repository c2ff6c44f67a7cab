// The window's life cycle on the main thread: opening it, noticing and
// finishing its close, handing finished frames over to the message thread
// (MessageThread.cpp), and the Link both threads share.
#include "window/MessageThread.h"
#include "window/ReplayHooks.h"
#include "window/VitrineInternal.h"

#include <algorithm>

namespace Vitrine {
namespace detail {

namespace {

// Never destroyed: a thread may still wait on it while the process ends (Xlib
// ends the process from the message thread when the X server goes away).
Link& gLink = *new Link;
std::string gLastError;
uint32_t gWindowScale = 0;  // 0: the default for the desktop

// Main thread: the window has gone; release the main thread's side of it.
void FinishClose() {
    StopMessageThread();
    window.state = STATE_DEAD;
    window.xlen = 0;
    window.ylen = 0;
    window.buffer = {};
    window.changes.Resize(0, 0);
    window.held.Resize(0, 0);
    window.stamps.Resize(0, 0);
    window.buffering = false;
    {
        std::lock_guard guard(gLink.lock);
        gLink.pending.clear();
        gLink.front = {};
        gLink.frontChanges.Resize(0, 0);
        gLink.windowPixels = {};
        gLink.putInWindow.clear();
        gLink.frameFresh = false;
        gLink.wanted = false;
        gLink.unsent = false;
        gLink.reference = {};
    }
    ResetInput();
    ResetBitmaps();
}

}  // namespace

WinStruct window;

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

namespace {

// Holding the lock, with the window's pixels offered: puts the parts of
// `front` not taken yet there from the buffer, which holds the same pixels
// and is still in this thread's cache. Should one not fit, they all stay for
// the message thread.
void PutChangesInWindow() {
    constexpr size_t kMostAreas = 256;  // past this, one rectangle around them all
    const std::vector<Area> areas = gLink.frontChanges.Areas();
    for (const Area& area : areas)
        if (!PutInWindow(gLink.windowPixels, window.buffer.data(), window.xlen, area)) return;
    gLink.putInWindow.insert(gLink.putInWindow.end(), areas.begin(), areas.end());
    gLink.frontChanges.Clear();
    std::vector<Area>& put = gLink.putInWindow;
    if (put.size() <= kMostAreas) return;
    Area around;
    for (const Area& area : put) around = Joined(around, area);
    put.assign(1, around);
}

}  // namespace

void ServeFrame(int64_t wakesAtNs) {
    if (!gLink.unsent || !gLink.threadRunning) return;
    if (!gLink.wanted && (wakesAtNs == 0 || gLink.nextWantNs > wakesAtNs)) return;
    gLink.unsent = false;
    const bool changed =
        window.changes.CopyDiffering(window.buffer.data(), gLink.front.data(), gLink.frontChanges);
    window.changes.Clear();
    if (!changed) return;  // the screen shows this picture already, or will
    if (gLink.keepReference) gLink.reference = window.buffer;
    ++window.copies;
    if (gLink.windowPixels.pixels) PutChangesInWindow();
    if (gLink.frameFresh) return;  // it replaces a frame not taken yet
    // The message thread takes the frame at once or when it wants one, and
    // wants the next a period later: no frame drawn before then can be shown.
    const int64_t now = NowNs();
    gLink.nextWantNs = std::max<int64_t>(now, gLink.nextWantNs) + gLink.showPeriodNs;
    gLink.frameFresh = true;
    gLink.handedAtNs = now;
    // A message thread that waits for a frame is woken; one that paces its
    // pictures finds it when it wants it.
    if (gLink.wanted && !gLink.wakePosted) gLink.wakePosted = WakeForFrame();
    gLink.wanted = false;
}

void Present() {
    ++window.handOffs;
    std::lock_guard guard(gLink.lock);
    gLink.unsent = true;
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
        gLink.frontChanges.Resize(x, y);
        gLink.windowPixels = {};
        gLink.putInWindow.clear();
        gLink.frameFresh = false;
        gLink.wanted = false;
        gLink.unsent = false;
        gLink.reference = {};
        gLink.nextWantNs = 0;
        gLink.wakePosted = false;
        gLink.handedAtNs = 0;
        gLink.wakesPosted = 0;
        gLink.wakesTaken = UINT64_MAX;  // none reported yet
    }
    if (!StartMessageThread(title, x, y, gWindowScale, gLastError)) return false;
    window.xlen = x;
    window.ylen = y;
    window.buffer.assign(size_t(x) * y, 0);
    window.changes.Resize(x, y);
    window.held.Resize(x, y);
    window.stamps.Resize(x, y);
    window.buffering = false;
    window.framesShown = 0;
    window.handOffs = 0;
    window.copies = 0;
    window.state = STATE_ACTIVE;
    return true;
}

void ReportFocusLoss(bool on) {
    reportFocus = on;
}

void SetWindowScale(uint32_t scale) {
    gWindowScale = scale <= 16 ? scale : 16;
}

namespace {

// The open window takes the scale and the whole screen as they are asked for now.
void ChangeOpenWindow(bool fullScreen) {
    if (window.state != STATE_ACTIVE) return;
    {
        std::lock_guard guard(gLink.lock);
        gLink.scaleAsked = gWindowScale;
        gLink.fullScreenAsked = fullScreen;
    }
    ChangeWindowNow();
}

}  // namespace

void ResizeWindow(uint32_t scale) {
    SetWindowScale(scale);
    ChangeOpenWindow(FullScreen());
}

void SwitchFullScreen(bool on) {
    SetFullScreen(on);  // for the next window as well
    ChangeOpenWindow(on);
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

}  // namespace Vitrine
