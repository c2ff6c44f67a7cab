// The keys of play the player may choose, their names and the keys that
// can't be chosen; see Keys.h.
#include "game/Keys.h"

namespace KerboImplementation {

MoveKeys PlayKeys;

namespace {

using namespace Vitrine;

struct Named {
    uint32_t key;
    const char* name;
};

// The keys with a name other than their own character.
constexpr Named Names[] = {
    {KEY_LEFT, "Left"},
    {KEY_RIGHT, "Right"},
    {KEY_UP, "Up"},
    {KEY_DOWN, "Down"},
    {KEY_SPACE, "Space"},
    {KEY_TAB, "Tab"},
    {KEY_BACKSPACE, "Backspace"},
    {KEY_SHIFT, "Shift"},
    {KEY_CTRL, "Ctrl"},
    {KEY_ENTER, "Enter"},
    {KEY_ESCAPE, "Esc"},
    {KEY_PAGEUP, "Page Up"},
    {KEY_PAGEDOWN, "Page Down"},
    {35, "End"},
    {36, "Home"},
    {45, "Insert"},
    {KEY_DELETE, "Delete"},
    {106, "Keypad *"},
    {107, "Keypad +"},
    {109, "Keypad -"},
    {110, "Keypad ."},
    {111, "Keypad /"},
    {186, ";"},
    {187, "="},
    {188, ","},
    {189, "-"},
    {190, "."},
    {191, "/"},
    {192, "`"},
    {219, "["},
    {220, "\\"},
    {221, "]"},
    {222, "'"},
};

constexpr uint32_t KeypadZero = 96;

}  // namespace

const char* MoveSettingName(Move move) {
    static constexpr const char* names[] = {"key-left", "key-right", "key-door", "key-pause"};
    return names[static_cast<std::size_t>(move)];
}

const char* MoveName(Move move) {
    static constexpr const char* names[] = {"Walk left", "Walk right", "Door", "Pause"};
    return names[static_cast<std::size_t>(move)];
}

std::string KeyName(uint32_t key) {
    if ((key >= KEY_A && key <= KEY_Z) || (key >= KEY_0 && key <= KEY_9)) return std::string(1, char(key));
    if (key >= KeypadZero && key <= KeypadZero + 9) return "Keypad " + std::to_string(key - KeypadZero);
    if (key >= KEY_F1 && key <= KEY_F12) return "F" + std::to_string(key - KEY_F1 + 1);
    for (const Named& n : Names) {
        if (n.key == key) return n.name;
    }
    return {};
}

bool KeyNamed(std::string_view name, uint32_t& key) {
    // Every key a name is given to, tried in turn: a short list.
    for (uint32_t k = 1; k < 256; ++k) {
        const std::string own = KeyName(k);
        if (!own.empty() && own == name) {
            key = k;
            return true;
        }
    }
    return false;
}

std::string WhyNotChosen(uint32_t key, Move move, const MoveKeys& keys) {
    switch (key) {
        case KEY_ESCAPE:
            return "Esc can't be chosen: it goes back and resumes";
        case KEY_ENTER:
            return "Enter can't be chosen: it chooses in the menus";
        case KEY_M:
            return "M can't be chosen: it turns the sound off and on";
        case KEY_F1 + 9:
        case KEY_F1 + 10:
            return KeyName(key) + " can't be chosen: it belongs to the window";
        default:
            break;
    }
    if (KeyName(key).empty()) return "That key can't be chosen";
    for (Move other : AllMoves) {
        if (other != move && keys[other] == key) {
            std::string what = MoveName(other);
            what[0] = char(what[0] - 'A' + 'a');
            return KeyName(key) + " is the key for " + what + " already";
        }
    }
    return {};
}

}  // namespace KerboImplementation
