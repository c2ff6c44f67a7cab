// Gamepads: SDL's controllers in, pad events out to the main thread; see Gamepad.h.
#include "window/Gamepad.h"

#include <map>

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

}  // namespace

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

}  // namespace detail
}  // namespace Vitrine
