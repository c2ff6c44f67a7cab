// The window's life cycle on the main thread: opening it, noticing and
// finishing its close, handing finished frames over to the message thread
// (MessageThread.cpp), and the Link both threads share.
#include "window/MessageThread.h"
#include "window/ReplayHooks.h"
#include "window/VitrineInternal.h"

#include <cstring>

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
    if (!gLink.wakePosted) gLink.wakePosted = WakeForFrame();
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
    if (!StartMessageThread(title, x, y, gWindowScale, gLastError)) return false;
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
    reportFocus = on;
}

void SetWindowScale(uint32_t scale) {
    gWindowScale = scale <= 16 ? scale : 16;
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
