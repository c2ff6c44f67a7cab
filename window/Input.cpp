// Keyboard and mouse: the key flags, the queue of key presses, the mouse record
// and its left-release callback. Needs no SDL: every window platform shares it.
//
// Events are only queued (QueueInput: SDL's message thread, tests). They take
// effect on the main thread, in arrival order, at its input points:
// UpdateWindow, GetKey, Delay, PaceFrame (and Testing::ApplyInput). So the
// key flags, the queue and the mouse record belong to the main thread alone,
// and a recorded stream of events replayed at the same points gives the same
// session.
#include "window/ReplayHooks.h"
#include "window/PadStops.h"
#include "window/MenuKeys.h"
#include "window/VitrineInternal.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace Vitrine {
namespace detail {

namespace {

struct MouseStruct {
    int32_t x = 0;  // last move position, each coordinate read as unsigned 16 bits
    int32_t y = 0;
    bool left = false;
    bool right = false;
    MouseProc LeftUpProc = nullptr;
};

bool key[256] = {};
bool typed[256] = {};         // held on the keyboard itself, not by a gamepad button
bool applyingPad = false;     // the events applied now stand for a gamepad button
bool heldOver[256] = {};      // held down since before the screen now shown (NewScreen)
std::deque<KeyPress> keybuf;  // oldest press at the front
MouseStruct mouse;
std::deque<InputEvent> toApply;  // taken from the link, not applied yet
KeyProc keyPressProc = nullptr;
bool focusLost = false;

// Keys and pad buttons pressed at this input point or the one before. A
// paced game takes the window's input once per shown frame, so a tap shorter
// than that arrives as a press and its release together; the release then
// waits until the key has been held over two points, and a frame of play,
// which reads its keys between its two points, sees it held. A replay, a
// scripted player and the null platform's tests feed their events at the
// points they mean them for, which already holds the wait.
constexpr uint64_t kTapPoints = 2;
struct Pressed {
    InputKind kind;
    uint32_t key;
    uint64_t point;
};
std::vector<Pressed> recentPresses;

bool EndsRecentTap(const InputEvent& event) {
    if (ReplayFeedsInput()) return false;
    if (event.kind != InputKind::KEY_RELEASE && event.kind != InputKind::PAD_RELEASE) return false;
    const InputKind press =
        event.kind == InputKind::KEY_RELEASE ? InputKind::KEY_PRESS : InputKind::PAD_PRESS;
    return std::any_of(recentPresses.begin(), recentPresses.end(),
                       [&](const Pressed& p) { return p.kind == press && p.key == event.key; });
}

// The window reports positions as the low and high 16 bits of a 32-bit word.
int32_t Unsigned16(int32_t coordinate) {
    return int32_t(uint16_t(coordinate));
}

}  // namespace

void QueueInput(const InputEvent& event) {
    {
        std::lock_guard guard(link().lock);
        link().pending.push_back(event);
    }
    link().changed.notify_all();
}

void ApplyPendingInput() {
    BeginInputPoint();
    {
        std::lock_guard guard(link().lock);
        toApply.insert(toApply.end(), link().pending.begin(), link().pending.end());
        link().pending.clear();
    }
    // One at a time from the front: a callback that reaches an input point
    // itself carries on with the same queue, so the order stays the arrival order.
    const uint64_t point = CurrentInputPoint();
    std::erase_if(recentPresses, [point](const Pressed& p) { return p.point + kTapPoints <= point; });
    while (!toApply.empty()) {
        InputEvent event = toApply.front();
        if (EndsRecentTap(event)) break;
        toApply.pop_front();
        RecordEvent(event);
        ApplyEvent(event);
        if (event.kind == InputKind::KEY_PRESS || event.kind == InputKind::PAD_PRESS)
            recentPresses.push_back({event.kind, event.key, point});
    }
    EndInputPoint();
}

void ApplyEvent(const InputEvent& event) {
    uint32_t k = event.key & 255;
    int32_t x = Unsigned16(event.x);
    int32_t y = Unsigned16(event.y);
    if (event.kind == InputKind::KEY_PRESS && heldOver[k]) return;  // an auto-repeat from the last screen
    if (event.kind == InputKind::KEY_RELEASE) heldOver[k] = false;
    if (event.kind == InputKind::KEY_PRESS || event.kind == InputKind::KEY_RELEASE) {
        std::vector<InputEvent> as;
        if (MenuTakesKey(event, key[k], key[KEY_SHIFT], mouse.x, mouse.y, as)) {
            for (const InputEvent& e : as) ApplyEvent(e);
            return;
        }
    }
    switch (event.kind) {
        case InputKind::KEY_PRESS: {
            const bool first = !key[k];
            key[k] = true;
            if (!applyingPad) typed[k] = true;
            keybuf.push_back({k, key[KEY_SHIFT], key[KEY_CTRL]});
            if (first && keyPressProc) keyPressProc(k);
            break;
        }
        case InputKind::KEY_RELEASE:
            key[k] = false;
            if (!applyingPad) typed[k] = false;
            break;
        case InputKind::MOUSE_MOVE:
            mouse.x = x;
            mouse.y = y;
            break;
        case InputKind::LEFT_DOWN:
            mouse.left = true;
            break;
        case InputKind::LEFT_UP:
            mouse.left = false;
            if (mouse.LeftUpProc) mouse.LeftUpProc(x, y);
            break;
        case InputKind::LEFT_DOUBLE:
            mouse.left = true;  // the second press of a double click holds the button too
            break;
        case InputKind::RIGHT_DOWN:
            mouse.right = true;
            break;
        case InputKind::RIGHT_UP:
            mouse.right = false;
            break;
        case InputKind::PAD_PRESS:
        case InputKind::PAD_RELEASE:
            applyingPad = true;
            for (const InputEvent& as : PadToGame(event, mouse.x, mouse.y)) ApplyEvent(as);
            applyingPad = false;
            break;
        case InputKind::FOCUS_LOST:
            focusLost = true;
            break;
    }
}

void ResetInput() {
    std::fill(std::begin(key), std::end(key), false);
    std::fill(std::begin(typed), std::end(typed), false);
    std::fill(std::begin(heldOver), std::end(heldOver), false);
    keybuf.clear();
    toApply.clear();
    recentPresses.clear();
    mouse = MouseStruct{};
    focusLost = false;
    ResetPads();
    ResetMenuKeys();
}

}  // namespace detail

using namespace detail;

bool KeyDown(uint32_t k) {
    NoticeClose();
    return k <= 255 && key[k];
}

bool KeyTyped(uint32_t k) {
    NoticeClose();
    return k <= 255 && typed[k];
}

uint32_t GetKey() {
    for (;;) {
        if (!Active()) return 0;
        ApplyPendingInput();
        if (!keybuf.empty()) {
            uint32_t k = keybuf.front().key;
            keybuf.pop_front();
            return k;
        }
        if (ReplayFeedsInput()) {
            ReplayWaitForInput();
            continue;  // the next point brings the next input
        }
        if (!toApply.empty()) continue;  // a tap's release, for the next point
        std::unique_lock guard(link().lock);
        ServeFrame(INT64_MAX);
        link().changed.wait(guard, [] {
            ServeFrame();
            return !link().pending.empty() || link().closed;
        });
    }
}

bool NextKey(KeyPress& press) {
    NoticeClose();
    if (keybuf.empty()) return false;
    press = keybuf.front();
    keybuf.pop_front();
    return true;
}

void FlushKeys() {
    keybuf.clear();
}

void NewScreen() {
    std::copy(std::begin(key), std::end(key), std::begin(heldOver));
}

bool MouseLeftDown() {
    NoticeClose();
    return mouse.left;
}

void MousePos(int32_t& x, int32_t& y) {
    NoticeClose();
    x = mouse.x;
    y = mouse.y;
}

void PlacePointer(int32_t x, int32_t y) {
    mouse.x = Unsigned16(x);
    mouse.y = Unsigned16(y);
}

void OnMouseLeftUp(MouseProc proc) {
    mouse.LeftUpProc = proc;
}

void OnKeyPress(KeyProc proc) {
    keyPressProc = proc;
}

bool TakeFocusLoss() {
    NoticeClose();
    const bool lost = focusLost;
    focusLost = false;
    return lost;
}

}  // namespace Vitrine
