// What the window's life cycle asks of the message thread: starting it,
// stopping it, and waking it when a frame has been handed over or a note came.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace Vitrine::detail {

// Main thread: starts the message thread, which opens a width x height window
// at `scale` (0: the default for the desktop), and waits for its answer. False
// when the window could not be opened; the reason is then in `error` and the
// thread has ended.
bool StartMessageThread(const char* title, uint32_t width, uint32_t height, uint32_t scale,
                        std::string& error);
// Main thread: asks the message thread to close the window and waits until it
// has ended; nothing when none runs.
void StopMessageThread();
// Caller holds link().lock: tells the message thread a frame was handed over.
// False when the thread no longer takes events.
bool WakeForFrame();
// Main thread: has the open window take link().scaleAsked and
// link().fullScreenAsked now, and waits until it has; false when no window is open.
bool ChangeWindowNow();
// Caller holds link().lock: wakes the message thread to look again at what it
// shows (a note came). False when the thread no longer takes events.
bool WakeToLook();

// Whether the message thread reports a lost focus as input (ReportFocusLoss).
extern std::atomic<bool> reportFocus;

}  // namespace Vitrine::detail
