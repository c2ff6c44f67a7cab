// Gamepads: SDL's controllers in, arrow keys, X, P or menu clicks out; see Gamepad.h.
#include "window/Gamepad.h"

#include <array>
#include <map>
#include <vector>

namespace Vitrine {
namespace detail {

namespace {

// ------------------------------------------------ message thread

// A stick counts as pushed beyond this and as let go below the lower mark,
// so that a stick resting near the mark does not flutter.
constexpr int kStickPush = 16000;
constexpr int kStickRest = 8000;

struct Pad {
    SDL_GameController* controller = nullptr;
    int stickX = 0;  // -1, 0, 1
    int stickY = 0;
};
std::map<SDL_JoystickID, Pad> pads;

void QueuePad(bool press, PadButton button) {
    QueueInput(InputEvent{press ? InputKind::PAD_PRESS : InputKind::PAD_RELEASE, button, 0, 0});
}

PadButton ButtonOf(uint8_t sdlButton) {
    switch (sdlButton) {
        case SDL_CONTROLLER_BUTTON_A:
            return PAD_A;
        case SDL_CONTROLLER_BUTTON_B:
            return PAD_B;
        case SDL_CONTROLLER_BUTTON_X:
            return PAD_X;
        case SDL_CONTROLLER_BUTTON_Y:
            return PAD_Y;
        case SDL_CONTROLLER_BUTTON_START:
            return PAD_START;
        case SDL_CONTROLLER_BUTTON_BACK:
            return PAD_BACK;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return PAD_UP;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return PAD_DOWN;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return PAD_LEFT;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return PAD_RIGHT;
        default:
            return PAD_NONE;
    }
}

// Turns one stick axis into presses and releases of two direction buttons.
void MoveStick(int& direction, int value, PadButton less, PadButton more) {
    int now = direction;
    if (value > kStickPush) {
        now = 1;
    } else if (value < -kStickPush) {
        now = -1;
    } else if (value > -kStickRest && value < kStickRest) {
        now = 0;
    }
    if (now == direction) return;
    if (direction != 0) QueuePad(false, direction < 0 ? less : more);
    if (now != 0) QueuePad(true, now < 0 ? less : more);
    direction = now;
}

// ------------------------------------------------ main thread

// What a button's press did, so that its release undoes the same thing.
enum class Did : uint8_t { Nothing, Key, Click };
std::array<Did, PAD_COUNT> did{};
std::vector<PadStop> stops;  // the buttons of the menu that waits for a click

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

bool HandlePadEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED: {
            SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which);
            if (controller) {
                const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
                if (pads.count(id)) {
                    SDL_GameControllerClose(controller);  // told twice about one pad
                } else {
                    pads[id].controller = controller;
                }
            }
            return true;
        }
        case SDL_CONTROLLERDEVICEREMOVED: {
            auto it = pads.find(event.cdevice.which);
            if (it != pads.end()) {
                // Whatever it held is let go, so no key stays down.
                MoveStick(it->second.stickX, 0, STICK_LEFT, STICK_RIGHT);
                MoveStick(it->second.stickY, 0, STICK_UP, STICK_DOWN);
                SDL_GameControllerClose(it->second.controller);
                pads.erase(it);
            }
            return true;
        }
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            const PadButton button = ButtonOf(event.cbutton.button);
            if (button != PAD_NONE) QueuePad(event.type == SDL_CONTROLLERBUTTONDOWN, button);
            return true;
        }
        case SDL_CONTROLLERAXISMOTION: {
            auto it = pads.find(event.caxis.which);
            if (it == pads.end()) return true;
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
                MoveStick(it->second.stickX, event.caxis.value, STICK_LEFT, STICK_RIGHT);
            } else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
                MoveStick(it->second.stickY, event.caxis.value, STICK_UP, STICK_DOWN);
            }
            return true;
        }
        default:
            return false;
    }
}

void ClosePads() {
    for (auto& [id, pad] : pads) SDL_GameControllerClose(pad.controller);
    pads.clear();
}

std::vector<InputEvent> PadToGame(const InputEvent& pad, int32_t pointerX, int32_t pointerY) {
    const uint32_t button = pad.key;
    if (button >= PAD_COUNT) return {};
    if (pad.kind == InputKind::PAD_PRESS) {
        if (did[button] != Did::Nothing) return {};  // pressed already
        if (!stops.empty() && IsDirection(button)) {
            // Down and right go to the next button, up and left to the one before.
            const uint32_t k = KeyOf(button);
            return {PointerStep(k == KEY_RIGHT || k == KEY_DOWN, pointerX, pointerY)};
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

void SetPadStops(std::span<const PadStop> buttons) {
    detail::stops.assign(buttons.begin(), buttons.end());
}

}  // namespace Vitrine
