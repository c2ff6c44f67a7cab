// Gamepad buttons on the main thread, where they take effect: arrow keys, X and P,
// or pointer moves and clicks while a menu waits; see PadStops.h.
#include "window/PadStops.h"

#include <array>
#include <utility>
#include <vector>

namespace Vitrine {
namespace detail {

namespace {

// What a button's press did, so that its release undoes the same thing.
enum class Did : uint8_t { Nothing, Key, Click };
std::array<Did, PAD_COUNT> did{};
std::vector<PadStop> stops;  // the buttons of the menu that waits for a click
ArrowMoves arrowMoves = ArrowMoves::InOrder;

uint32_t KeyOf(uint32_t button) {
    switch (button) {
        case PAD_LEFT:
        case STICK_LEFT:
            return KEY_LEFT;
        case PAD_UP:
        case STICK_UP:
            return KEY_UP;
        case PAD_RIGHT:
        case STICK_RIGHT:
            return KEY_RIGHT;
        case PAD_DOWN:
        case STICK_DOWN:
            return KEY_DOWN;
        case PAD_A:
            return KEY_X;  // X: doors, and going on from the story, name and high-score screens
        case PAD_START:
            return KEY_P;  // P: pause
        case PAD_B:
        case PAD_BACK:
            return KEY_ESCAPE;  // Escape: back out of a screen (the pack list, the controls, the pause)
        default:
            return 0;
    }
}

bool IsDirection(uint32_t button) {
    const uint32_t k = KeyOf(button);
    return k >= KEY_LEFT && k <= KEY_DOWN;
}

// True when some other button's press still holds key k down.
bool HeldByAnother(uint32_t k, uint32_t button) {
    for (uint32_t b = 0; b < PAD_COUNT; ++b) {
        if (b != button && did[b] == Did::Key && KeyOf(b) == k) return true;
    }
    return false;
}

bool InStop(const PadStop& stop, int32_t x, int32_t y) {
    return stop.x0 < x && x < stop.x0 + stop.width && stop.y0 < y && y < stop.y0 + stop.height;
}

}  // namespace

const std::vector<PadStop>& MenuStops() {
    return stops;
}

int StopAt(int32_t x, int32_t y) {
    int at = -1;
    for (int k = 0; k < int(stops.size()); ++k) {
        if (InStop(stops[k], x, y)) at = k;
    }
    return at;
}

InputEvent PointerStep(bool forward, int32_t x, int32_t y) {
    const int n = int(stops.size());
    const int at = StopAt(x, y);
    const int next = at < 0 ? (forward ? 0 : n - 1) : (at + (forward ? 1 : n - 1)) % n;
    const PadStop& stop = stops[next];
    return InputEvent{InputKind::MOUSE_MOVE, 0, stop.x0 + stop.width / 2, stop.y0 + stop.height / 2};
}

std::optional<InputEvent> ArrowStep(uint32_t arrow, int32_t x, int32_t y) {
    const bool forward = arrow == KEY_RIGHT || arrow == KEY_DOWN;
    if (arrowMoves == ArrowMoves::InOrder) return PointerStep(forward, x, y);
    // From the middle of the button under the pointer, else from the pointer:
    // the button whose middle lies that way, nearest along the arrow and,
    // three times as much, nearest across it.
    const auto middle = [](const PadStop& s) { return std::pair{s.x0 + s.width / 2, s.y0 + s.height / 2}; };
    const int at = StopAt(x, y);
    const auto [fromX, fromY] = at < 0 ? std::pair{x, y} : middle(stops[at]);
    const bool across = arrow == KEY_LEFT || arrow == KEY_RIGHT;
    int best = -1;
    int64_t bestScore = 0;
    for (int k = 0; k < int(stops.size()); ++k) {
        const auto [toX, toY] = middle(stops[k]);
        int64_t along = across ? int64_t{toX} - fromX : int64_t{toY} - fromY;
        const int64_t aside = across ? int64_t{toY} - fromY : int64_t{toX} - fromX;
        if (!forward) along = -along;
        if (k == at || along <= 0) continue;
        const int64_t score = along + 3 * (aside < 0 ? -aside : aside);
        if (best < 0 || score < bestScore) best = k, bestScore = score;
    }
    if (best < 0) return std::nullopt;
    const auto [toX, toY] = middle(stops[best]);
    return InputEvent{InputKind::MOUSE_MOVE, 0, toX, toY};
}

std::vector<InputEvent> PadToGame(const InputEvent& pad, int32_t pointerX, int32_t pointerY) {
    const uint32_t button = pad.key;
    if (button >= PAD_COUNT) return {};
    if (pad.kind == InputKind::PAD_PRESS) {
        if (did[button] != Did::Nothing) return {};  // pressed already
        if (!stops.empty() && IsDirection(button)) {
            if (const auto step = ArrowStep(KeyOf(button), pointerX, pointerY)) return {*step};
            return {};
        }
        if (!stops.empty() && button == PAD_A) {
            did[button] = Did::Click;
            return {InputEvent{InputKind::LEFT_DOWN, 0, pointerX, pointerY}};
        }
        const uint32_t k = KeyOf(button);
        if (k == 0) return {};
        const bool held = HeldByAnother(k, button);
        did[button] = Did::Key;
        if (held) return {};
        return {InputEvent{InputKind::KEY_PRESS, k, 0, 0}};
    }
    const Did was = did[button];
    did[button] = Did::Nothing;
    if (was == Did::Click) return {InputEvent{InputKind::LEFT_UP, 0, pointerX, pointerY}};
    if (was == Did::Key && !HeldByAnother(KeyOf(button), button)) {
        return {InputEvent{InputKind::KEY_RELEASE, KeyOf(button), 0, 0}};
    }
    return {};
}

void ResetPads() {
    did.fill(Did::Nothing);
    stops.clear();
}

}  // namespace detail

bool PadHolds(uint32_t k) {
    for (uint32_t b = 0; b < PAD_COUNT; ++b) {
        if (detail::did[b] == detail::Did::Key && detail::KeyOf(b) == k) return true;
    }
    return false;
}

void SetPadStops(std::span<const PadStop> buttons, ArrowMoves arrows) {
    detail::stops.assign(buttons.begin(), buttons.end());
    detail::arrowMoves = arrows;
}

}  // namespace Vitrine
