// The null platform's window: an in-memory picture that opens whenever asked,
// with no thread behind it, no screen and no desktop. A close (by a test, or
// when no input can come any more) takes effect at the next call.
#include "window/VitrineInternal.h"

#include <cstdlib>
#include <filesystem>

namespace Vitrine {
namespace detail {

namespace {

Link gLink;
std::string gLastError;
bool gFullScreen = false;

// The window has gone: release everything it held.
void FinishClose() {
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
        gLink.closed = true;
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
    if (window.state == STATE_ACTIVE && gLink.closedFlag.load(std::memory_order_acquire)) FinishClose();
}

bool Active() {
    NoticeClose();
    return window.state == STATE_ACTIVE;
}

// Nothing takes frames: a frame counts as handed over when it is shown.
void ServeFrame(int64_t) {}

void Present() {
    ++window.handOffs;
    if (window.changes.Any()) ++window.copies;
    window.changes.Clear();
}

void RequestClose() {
    gLink.closedFlag.store(true, std::memory_order_release);
}

}  // namespace detail

using namespace detail;

bool Window(const char*, uint32_t x, uint32_t y) {
    NoticeClose();
    if (window.state == STATE_ACTIVE) KillWindow();
    if (x == 0 || y == 0) {
        gLastError = "The window size is zero.";
        return false;
    }
    {
        std::lock_guard guard(gLink.lock);
        gLink.closed = false;
        gLink.pending.clear();
    }
    gLink.closedFlag = false;
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

int EndingSignal() {
    return 0;
}

void SetWindowScale(uint32_t) {}

void ResizeWindow(uint32_t) {}

void SwitchFullScreen(bool on) {
    gFullScreen = on;
}

void SetFullScreen(bool on) {
    gFullScreen = on;
}

bool FullScreen() {
    return gFullScreen;
}

void SetFullScreenFill(bool) {}

void SetWindowIcon(const char*, const char*) {}

void ReportFocusLoss(bool) {}

void ShowNote(std::string_view, int32_t) {}

// As SDL's answer on Linux: $XDG_DATA_HOME/<app>/ when it is absolute, else
// $HOME/.local/share/<app>/.
std::string UserDataFolder(const char* app, std::string& why) {
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    std::filesystem::path folder;
    if (data && data[0] == '/') {
        folder = std::filesystem::path(data) / app;
    } else if (home && home[0] == '/') {
        folder = std::filesystem::path(home) / ".local" / "share" / app;
    } else {
        why = "neither XDG_DATA_HOME nor HOME names a folder";
        return {};
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        why = folder.string() + ": " + error.message();
        return {};
    }
    return folder.string() + "/";
}

}  // namespace Vitrine
