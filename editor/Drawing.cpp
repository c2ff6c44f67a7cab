// The editor's screen: the band (palette, buttons, level tabs, the line of
// words) over the house drawn with the game's own tiles, where Oska starts,
// where the cats appear, the checker's faults framed in red and the cursor;
// the help and the entry of the pack's title and author over it.
#include <string>

#include "editor/LevelEditor.h"
#include "game/LevelPacks.h"

namespace LevelEditor {

namespace {

using namespace KerboImplementation;

// Colours as the window layer takes them: 0x00BBGGRR.
constexpr uint32_t Band = 0x301A18;
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Grey = 0x8C8C8C;
constexpr uint32_t Yellow = 0x28D2FF;
constexpr uint32_t Red = 0x1E1EE6;
constexpr uint32_t Orange = 0x1E96FF;
constexpr uint32_t ButtonFace = 0xAA5A3C;
constexpr uint32_t TabFace = 0x785046;
constexpr uint32_t Panel = 0xF0E8E0;
constexpr uint32_t Ink = 0x201010;
constexpr uint32_t Bold = 1, Plain = 4;  // font styles

void Frame(const Rect& r, uint32_t colour, int32_t thickness) {
    for (int32_t k = 0; k < thickness; ++k) {
        Vitrine::Rectangle(r.x0 + k, r.y0 + k, r.x1 - 1 - k, r.y1 - 1 - k, colour, false);
    }
}

void Fill(const Rect& r, uint32_t colour) {
    Vitrine::Rectangle(r.x0, r.y0, r.x1 - 1, r.y1 - 1, colour, true);
}

void Centred(const std::string& text, uint32_t style, int32_t middle, int32_t y) {
    uint32_t w = 0, h = 0;
    Vitrine::GetTextSize(text, style, w, h);
    Vitrine::Text(text, middle - static_cast<int32_t>(w) / 2, y);
}

// The picture of a cell: the game's tile; items in reading order take the
// five item pictures in turn, as in play.
uint32_t TileOf(char letter, uint32_t& itemsSoFar) {
    if (letter != 'i') return PictureBitmap(TemplateFor(KindOf(letter)).Look);
    const Picture items[] = {Picture::Item1, Picture::Item2, Picture::Item3, Picture::Item4, Picture::Item5};
    return PictureBitmap(items[itemsSoFar++ % 5]);
}

void DrawHouse(const Level& level) {
    uint32_t items = 0;
    for (int row = FirstRow; row <= LastRow; ++row) {
        for (int column = 1; column <= static_cast<int>(Columns); ++column) {
            const Rect r = CellRect({row, column});
            Vitrine::DrawBitmap(TileOf(level[row][column], items), r.x0, r.y0);
        }
    }
}

void DrawMarks(const Session& s) {
    // The cats are set down anywhere in x 151..650, y 151..350.
    Frame({151, 151, 651, 351}, Orange, 2);
    Vitrine::DrawMaskBitmap(Pictures.cat, Pictures.catMask, 155, 155);
    // Oska at his start.
    Frame(CellRect({LevelCheck::StartRow, LevelCheck::StartColumn}), White, 1);
    const auto oska = static_cast<std::size_t>(Picture::OskaRight1);
    Vitrine::DrawMaskBitmap(Pictures.image[oska], Pictures.mask[oska], 450 - 18, 439 - 27);
    // Faults inside the cursor's frame, so that both show on the same cell.
    for (const LevelCheck::Fault& fault : s.verdict.faults) {
        if (fault.cell.row < FirstRow) continue;
        const Rect r = CellRect(fault.cell);
        Frame({r.x0 + 2, r.y0 + 2, r.x1 - 2, r.y1 - 2}, Red, 3);
    }
    if (!s.help) Frame(CellRect(s.cursor), Yellow, 2);
}

// The line of words: the last command's, else the checker's.
std::string Words(const Session& s) {
    if (!s.message.empty()) return s.message;
    const std::vector<LevelCheck::Fault>& faults = s.verdict.faults;
    for (const LevelCheck::Fault& fault : faults) {
        if (fault.cell == s.cursor) return "Here: " + fault.what;
    }
    if (faults.empty())
        return "Level " + std::to_string(s.current + 1) + ": " + LevelCheck::Summary(s.verdict);
    return std::to_string(faults.size()) + (faults.size() == 1 ? " fault: " : " faults, the first: ") +
           faults.front().Text();
}

void DrawBand(const Session& s) {
    Vitrine::Rectangle(0, 0, 799, 99, Band, true);
    uint32_t items = 0;
    for (std::size_t k = 0; k < Kinds.size(); ++k) {
        const Rect r = PaletteRect(k);
        Vitrine::DrawBitmap(TileOf(Kinds[k].letter, items), r.x0, r.y0);
        if (k == s.kind) Frame(r, Yellow, 3);
    }
    const EditedLevel& shown = s.Shown();
    for (const Button& b : Buttons(s.pack.levels.size())) {
        const bool idle = (b.command == Command::Undo && !shown.history.CanUndo()) ||
                          (b.command == Command::Redo && !shown.history.CanRedo()) ||
                          (b.command == Command::Save && !s.pack.Unsaved());
        Fill(b.rect, ButtonFace);
        Frame(b.rect, idle ? Grey : White, 1);
        const int32_t middle = (b.rect.x0 + b.rect.x1) / 2;
        if (b.rect.y1 - b.rect.y0 > 30) {
            Vitrine::SetFont(Bold, idle ? Grey : White);
            Centred(b.label, Bold, middle, b.rect.y0 + 8);
            Vitrine::SetFont(Plain, idle ? Grey : White);
            Centred(b.key, Plain, middle, b.rect.y0 + 26);
        } else {
            Vitrine::SetFont(Plain, White);
            Centred(b.label, Plain, middle, b.rect.y0 + 3);
        }
    }
    for (std::size_t k = 0; k < s.pack.levels.size(); ++k) {
        const Rect r = TabRect(k);
        Fill(r, k == s.current ? Yellow : TabFace);
        Vitrine::SetFont(Bold, k == s.current ? Ink : White);
        Centred(std::to_string(k + 1) + (s.pack.LevelUnsaved(k) ? "*" : ""), Bold, (r.x0 + r.x1) / 2,
                r.y0 + 2);
    }
    Vitrine::SetFont(Plain, White);
    Vitrine::Text(PackName(s.pack.folder) + (s.pack.Unsaved() ? " (unsaved)" : " (saved)") +
                      "  brush: " + Kinds[s.kind].name,
                  500, 56);
    Vitrine::SetFont(Plain, s.verdict.faults.empty() || !s.message.empty() ? White : Yellow);
    Vitrine::Text(Words(s), 6, 79);
}

void DrawHelp() {
    static const char* const lines[] = {
        "Mouse: choose a kind in the palette, then paint with the left button (hold it to paint along).",
        "Arrows move the yellow cursor; P W E N T I D S place that kind there.",
        "Shift+D, Shift+S: the right-hand door and shock door.  Space: the palette's kind.  Tab: the next.",
        "Ctrl+Z or Z: undo.  Ctrl+Y or Y: redo.  Ctrl+S: save the pack.  Ctrl+T: its title and author.",
        "Enter: test-play this level (P pauses; quit from the pause screen to come back).",
        "Page Up, Page Down, 1 .. 9, 0: another level.  Ctrl+N: add a level.  Del: delete this one.",
        "Esc: leave the editor.  H: this help.",
        "",
        "Oska starts in the framed cell of row 9; the cats appear in the orange area.",
        "Red frames are the checker's faults; the line at the top says why.",
        "Rows 1 and 2 are always ceiling.",
    };
    Vitrine::Rectangle(40, 115, 760, 355, Panel, true);
    Vitrine::Rectangle(40, 115, 760, 355, Ink, false);
    Vitrine::SetFont(Bold, Ink);
    Vitrine::Text("The level editor", 55, 125);
    Vitrine::SetFont(Plain, Ink);
    int32_t y = 150;
    for (const char* line : lines) {
        Vitrine::Text(line, 55, y);
        y += 18;
    }
}

// The entry of the pack's title or author (Ctrl+T), over the house.
void DrawEntry(const Session& s) {
    const bool title = s.entry == Session::Entry::Title;
    const Rect panel{100, 175, 700, 305};
    Fill(panel, Panel);
    Frame(panel, Ink, 1);
    Vitrine::SetFont(Bold, Ink);
    Vitrine::Text(title ? "The pack's title" : "The pack's author", panel.x0 + 15, panel.y0 + 10);
    Vitrine::SetFont(Plain, Ink);
    Vitrine::Text(title ? "Shown on the start menu, the story and the band; blank: the folder's name"
                        : "Named beside the title; it may stay blank",
                  panel.x0 + 15, panel.y0 + 32);
    const Rect field{panel.x0 + 15, panel.y0 + 56, panel.x1 - 15, panel.y0 + 80};
    Fill(field, White);
    Frame(field, Ink, 1);
    Vitrine::Text(s.typed + "_", field.x0 + 6, field.y0 + 5);
    Vitrine::Text(std::to_string(s.typed.size()) + " of " + std::to_string(PackInfoLength) +
                      " characters.  Enter: " + (title ? "on to the author" : "done") +
                      "   Backspace: back   Esc: leave",
                  panel.x0 + 15, panel.y0 + 96);
}

}  // namespace

void LoadPictures() {
    LoadGamePictures();
}

void Draw(const Session& s) {
    DrawHouse(s.Shown().letters);
    DrawMarks(s);
    DrawBand(s);
    if (s.help) DrawHelp();
    if (s.entry != Session::Entry::None) DrawEntry(s);
}

}  // namespace LevelEditor
