// The translation from SDL's keyboard and mouse events to the layer's own
// input events; see VitrineSdl.h.
#include "window/VitrineSdl.h"

namespace Vitrine::detail {

uint32_t VirtualKey(SDL_Keycode sym) {
    if (sym >= SDLK_a && sym <= SDLK_z) return uint32_t(sym - SDLK_a) + KEY_A;
    if (sym >= SDLK_0 && sym <= SDLK_9) return uint32_t(sym);  // 48..57
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return uint32_t(sym - SDLK_F1) + KEY_F1;
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) return uint32_t(sym - SDLK_KP_1) + 97;
    switch (sym) {
        case SDLK_LEFT:
            return KEY_LEFT;
        case SDLK_UP:
            return KEY_UP;
        case SDLK_RIGHT:
            return KEY_RIGHT;
        case SDLK_DOWN:
            return KEY_DOWN;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return KEY_ENTER;
        case SDLK_ESCAPE:
            return KEY_ESCAPE;
        case SDLK_SPACE:
            return KEY_SPACE;
        case SDLK_BACKSPACE:
            return KEY_BACKSPACE;
        case SDLK_TAB:
            return KEY_TAB;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return KEY_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return KEY_CTRL;
        case SDLK_LALT:
        case SDLK_RALT:
            return KEY_ALT;
        case SDLK_PAUSE:
            return 19;
        case SDLK_CAPSLOCK:
            return 20;
        case SDLK_PAGEUP:
            return 33;
        case SDLK_PAGEDOWN:
            return 34;
        case SDLK_END:
            return 35;
        case SDLK_HOME:
            return 36;
        case SDLK_PRINTSCREEN:
            return 44;
        case SDLK_INSERT:
            return 45;
        case SDLK_DELETE:
            return 46;
        case SDLK_KP_0:
            return 96;
        case SDLK_KP_MULTIPLY:
            return 106;
        case SDLK_KP_PLUS:
            return 107;
        case SDLK_KP_MINUS:
            return 109;
        case SDLK_KP_PERIOD:
            return 110;
        case SDLK_KP_DIVIDE:
            return 111;
        case SDLK_NUMLOCKCLEAR:
            return 144;
        case SDLK_SCROLLLOCK:
            return 145;
        case SDLK_SEMICOLON:
            return 186;
        case SDLK_EQUALS:
            return 187;
        case SDLK_COMMA:
            return 188;
        case SDLK_MINUS:
            return 189;
        case SDLK_PERIOD:
            return 190;
        case SDLK_SLASH:
            return 191;
        case SDLK_BACKQUOTE:
            return 192;
        case SDLK_LEFTBRACKET:
            return 219;
        case SDLK_BACKSLASH:
            return 220;
        case SDLK_RIGHTBRACKET:
            return 221;
        case SDLK_QUOTE:
            return 222;
        default:
            return 0;
    }
}

namespace {

// A key's code: by the symbol it gives in the user's layout; a letter key of a
// layout without Latin letters counts by its place, as on a US keyboard.
uint32_t KeyOf(const SDL_Keysym& keysym) {
    if (uint32_t code = VirtualKey(keysym.sym)) return code;
    bool character = (keysym.sym & SDLK_SCANCODE_MASK) == 0 && keysym.sym >= 128;
    if (character && keysym.scancode >= SDL_SCANCODE_A && keysym.scancode <= SDL_SCANCODE_Z) {
        return uint32_t(keysym.scancode - SDL_SCANCODE_A) + 65;
    }
    return 0;
}

// Alt, F10 and anything pressed with Alt held belong to the system, not the game.
bool SystemKey(const SDL_Keysym& keysym) {
    return (keysym.mod & KMOD_ALT) != 0 || keysym.sym == SDLK_LALT || keysym.sym == SDLK_RALT ||
           keysym.sym == SDLK_F10;
}

}  // namespace

std::optional<InputEvent> TranslateEvent(const SDL_Event& event) {
    InputEvent input;
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            input.key = KeyOf(event.key.keysym);
            if (input.key == 0) return std::nullopt;
            bool press = event.type == SDL_KEYDOWN;
            if (press && SystemKey(event.key.keysym)) return std::nullopt;
            input.kind = press ? InputKind::KEY_PRESS : InputKind::KEY_RELEASE;
            return input;
        }
        case SDL_MOUSEMOTION:
            input.kind = InputKind::MOUSE_MOVE;
            input.x = event.motion.x;
            input.y = event.motion.y;
            return input;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            bool down = event.type == SDL_MOUSEBUTTONDOWN;
            bool second = event.button.clicks % 2 == 0;  // the second click of a double click
            input.x = event.button.x;
            input.y = event.button.y;
            if (event.button.button == SDL_BUTTON_LEFT) {
                input.kind = !down    ? InputKind::LEFT_UP
                             : second ? InputKind::LEFT_DOUBLE
                                      : InputKind::LEFT_DOWN;
                return input;
            }
            if (event.button.button == SDL_BUTTON_RIGHT) {
                if (down && second) return std::nullopt;  // right double clicks are not passed on
                input.kind = down ? InputKind::RIGHT_DOWN : InputKind::RIGHT_UP;
                return input;
            }
            return std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace Vitrine::detail
