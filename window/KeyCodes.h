// The key codes the window layer reports through KeyDown, GetKey and
// OnKeyPress: the platform's virtual-key codes. A letter is its capital's
// character code (KEY_A + 0 .. KEY_A + 25), a digit its character code.
#pragma once

#include <cstdint>

namespace Vitrine {

enum KeyCode : uint32_t {
    KEY_BACKSPACE = 8,
    KEY_TAB = 9,
    KEY_ENTER = 13,
    KEY_SHIFT = 16,
    KEY_CTRL = 17,
    KEY_ALT = 18,
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_PAGEUP = 33,
    KEY_PAGEDOWN = 34,
    KEY_LEFT = 37,
    KEY_UP = 38,
    KEY_RIGHT = 39,
    KEY_DOWN = 40,
    KEY_DELETE = 46,
    KEY_0 = 48,
    KEY_9 = 57,
    KEY_A = 65,
    KEY_F = 70,
    KEY_L = 76,
    KEY_M = 77,
    KEY_P = 80,
    KEY_X = 88,
    KEY_Z = 90,
    KEY_F1 = 112,
    KEY_F12 = 123,
};

}  // namespace Vitrine
