// The keyboard in the menus: arrows, Tab, Enter, Space and the buttons' own
// keys as pointer moves and clicks; see MenuKeys.h.
#include "window/MenuKeys.h"

#include <array>

#include "window/PadStops.h"

namespace Vitrine::detail {

namespace {

// Keys whose press a menu took: their auto-repeats and their release are the
// menu's too, so that a key that chose "resume" is not held down in play.
std::array<bool, 256> taken{};

InputEvent At(InputKind kind, int32_t x, int32_t y) {
    return InputEvent{kind, 0, x, y};
}

void Click(int32_t x, int32_t y, std::vector<InputEvent>& out) {
    out.push_back(At(InputKind::LEFT_DOWN, x, y));
    out.push_back(At(InputKind::LEFT_UP, x, y));
}

// The button a key chooses at once, or -1.
int StopWithKey(uint32_t k) {
    const std::vector<PadStop>& stops = MenuStops();
    for (int s = 0; s < int(stops.size()); ++s) {
        for (uint32_t key : stops[s].keys) {
            if (key != 0 && key == k) return s;
        }
    }
    return -1;
}

}  // namespace

bool MenuTakesKey(const InputEvent& key, bool down, bool shift, int32_t x, int32_t y,
                  std::vector<InputEvent>& out) {
    const uint32_t k = key.key & 255;
    if (key.kind == InputKind::KEY_RELEASE) {
        const bool mine = taken[k];
        taken[k] = false;
        return mine;
    }
    if (taken[k]) return true;  // an auto-repeat of a key the menu took
    const std::vector<PadStop>& stops = MenuStops();
    if (stops.empty() || down) return false;
    switch (k) {
        case KEY_UP:
        case KEY_LEFT:
        case KEY_DOWN:
        case KEY_RIGHT:
            if (const auto step = ArrowStep(k, x, y)) out.push_back(*step);
            break;
        case KEY_TAB:
            out.push_back(PointerStep(!shift, x, y));
            break;
        case KEY_ENTER:
        case KEY_SPACE:
            if (StopAt(x, y) >= 0) {
                Click(x, y, out);
            } else {
                out.push_back(PointerStep(true, x, y));
            }
            break;
        default: {
            const int s = StopWithKey(k);
            if (s < 0) return false;
            Click(stops[s].x0 + stops[s].width / 2, stops[s].y0 + stops[s].height / 2, out);
            break;
        }
    }
    taken[k] = true;
    return true;
}

void ResetMenuKeys() {
    taken.fill(false);
}

}  // namespace Vitrine::detail
