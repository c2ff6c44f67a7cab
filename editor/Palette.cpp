// The cell kinds on offer and where everything stands on the editor's
// screen: the band of rows 1 and 2 holds the palette, the buttons, one tab
// per level and a line of words; rows 3 to 10 are the house at the game's scale.
#include "editor/LevelEditor.h"
#include "game/LevelPacks.h"

namespace LevelEditor {

namespace {

constexpr int32_t Side = 50;  // a cell's side in pixels
constexpr int32_t BandHeight = 100;
constexpr int32_t ButtonsLeft = 500, ButtonWidth = 60;
constexpr int32_t TabTop = 53, TabBottom = 73, TabStep = 32, TabWidth = 28;

}  // namespace

const std::vector<Kind> Kinds = {
    {'p', "passage"},
    {'w', "wall"},
    {'n', "top of a shaft"},
    {'e', "shaft"},
    {'t', "trampoline"},
    {'d', "door (left hand)"},
    {'D', "door (right hand)"},
    {'s', "shock door (wave to the left)"},
    {'S', "shock door (wave to the right)"},
    {'i', "item"},
};

Rect PaletteRect(std::size_t kind) {
    const int32_t x = static_cast<int32_t>(kind) * Side;
    return {x, 0, x + Side, Side};
}

Rect TabRect(std::size_t level) {
    const int32_t x = 4 + static_cast<int32_t>(level) * TabStep;
    return {x, TabTop, x + TabWidth, TabBottom};
}

Rect CellRect(LevelCheck::Cell cell) {
    const int32_t x = (cell.column - 1) * Side, y = (cell.row - 1) * Side;
    return {x, y, x + Side, y + Side};
}

std::vector<Button> Buttons(std::size_t levels) {
    std::vector<Button> buttons;
    const struct {
        Command command;
        const char* label;
        const char* key;
    } top[] = {{Command::Undo, "Undo", "Ctrl+Z"},
               {Command::Redo, "Redo", "Ctrl+Y"},
               {Command::Save, "Save", "Ctrl+S"},
               {Command::Play, "Play", "Enter"},
               {Command::Leave, "Leave", "Esc"}};
    int32_t x = ButtonsLeft;
    for (const auto& b : top) {
        buttons.push_back({b.command, b.label, b.key, {x + 2, 2, x + ButtonWidth - 2, Side - 2}});
        x += ButtonWidth;
    }
    const Rect next = TabRect(levels);
    if (levels < KerboImplementation::MostLevels) buttons.push_back({Command::AddLevel, "+", "Ctrl+N", next});
    if (levels > 1)
        buttons.push_back({Command::DeleteLevel, "Delete level", "Del", {336, TabTop, 436, TabBottom}});
    buttons.push_back({Command::Help, "Help", "H", {442, TabTop, 492, TabBottom}});
    return buttons;
}

Spot SpotAt(int32_t x, int32_t y, std::size_t levels) {
    Spot spot;
    if (x < 0 || y < 0 || x >= 16 * Side || y >= 10 * Side) return spot;
    if (y >= BandHeight) {
        spot.what = Spot::What::Grid;
        spot.cell = {y / Side + 1, x / Side + 1};
        return spot;
    }
    for (std::size_t k = 0; k < Kinds.size(); ++k) {
        if (PaletteRect(k).Holds(x, y)) {
            spot.what = Spot::What::Palette;
            spot.index = k;
            return spot;
        }
    }
    for (std::size_t k = 0; k < levels; ++k) {
        if (TabRect(k).Holds(x, y)) {
            spot.what = Spot::What::Tab;
            spot.index = k;
            return spot;
        }
    }
    for (const Button& button : Buttons(levels)) {
        if (button.rect.Holds(x, y)) {
            spot.what = Spot::What::Button;
            spot.command = button.command;
            return spot;
        }
    }
    return spot;
}

}  // namespace LevelEditor
