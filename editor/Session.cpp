// What the player's keys and mouse do to the pack being edited: painting,
// the cursor, the palette, undo and redo, switching, adding and deleting
// levels, the pack's title and author, saving, leaving. Nothing here draws or
// waits, so it can be driven by tests as by the editor's loop.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "editor/LevelEditor.h"
#include "game/LevelPacks.h"

namespace LevelEditor {

namespace {

using Vitrine::KeyPress;

std::string LevelWord(std::size_t index) {
    return "level " + std::to_string(index + 1);
}

// The palette's kind at a cell (within the stroke, while one is open).
void PaintAt(Session& s, Cell cell) {
    Place(s, cell, Kinds[s.kind].letter);
}

void ChooseKind(Session& s, char letter) {
    for (std::size_t k = 0; k < Kinds.size(); ++k) {
        if (Kinds[k].letter == letter) s.kind = k;
    }
}

// After a save: which levels of the pack still have faults.
std::string SavedWords(const Pack& pack) {
    std::string faulty;
    for (std::size_t k = 0; k < pack.levels.size(); ++k) {
        if (LevelCheck::Check(pack.levels[k].letters).faults.empty()) continue;
        faulty += (faulty.empty() ? "" : ", ") + std::to_string(k + 1);
    }
    const std::string saved = "saved in " + pack.folder;
    if (faulty.empty()) return saved + "; every level passes the check";
    return saved + ", with faults in level" + (faulty.find(',') == std::string::npos ? " " : "s ") + faulty;
}

// The folder changed under the editor, and the player keeps both: the
// folder as it is, and this pack in a new folder beside it, edited from now on.
void KeepBoth(Session& s) {
    const std::string old = s.pack.folder;
    std::string folder = old;
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    const std::string base = folder;
    std::error_code error;
    for (int n = 2; n < 1000 && folder == base; ++n) {
        const std::string candidate = base + "-" + std::to_string(n);
        if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, error))) folder = candidate;
    }
    if (folder == base) {
        s.message = "not saved: " + base + "-2 .. " + base + "-999 are all taken";
        return;
    }
    s.pack.folder = folder;
    s.pack.files.clear();
    const std::string problem = Save(s.pack, true);
    if (!problem.empty()) {
        s.pack.folder = old;
        s.message = "not saved: " + problem;
        return;
    }
    s.message = "kept both: " + old + " is left as it is; yours is saved in " + folder + " and edited there";
}

// The folder changed under the editor, and the player takes it as it is now.
void Reload(Session& s) {
    Pack read;
    const std::string problem = ReadForEditing(s.pack.folder, read);
    if (!problem.empty()) {
        s.message = "can't reload: " + problem;
        return;
    }
    s.pack = std::move(read);
    s.current = std::min(s.current, s.pack.levels.size() - 1);
    s.stroke = false;
    Recheck(s);
    s.message = "reloaded from " + s.pack.folder + "; the changes since your last save are gone";
}

// The character a key types into the title or author: letters (capitals with
// Shift), digits, the space and the punctuation keys unshifted; 0 for others.
char Typed(const KeyPress& press) {
    const uint32_t k = press.key;
    if (press.ctrl) return 0;
    if (k >= 'A' && k <= 'Z') return static_cast<char>(press.shift ? k : k - 'A' + 'a');
    if (k == Vitrine::KEY_SPACE) return ' ';
    if (press.shift) return 0;  // what Shift makes of a digit or a sign depends on the keyboard
    if (k >= Vitrine::KEY_0 && k <= Vitrine::KEY_9) return static_cast<char>(k);
    static constexpr struct {
        uint32_t key;
        char c;
    } signs[] = {{186, ';'}, {187, '='}, {188, ','},  {189, '-'}, {190, '.'}, {191, '/'},
                 {192, '`'}, {219, '['}, {220, '\\'}, {221, ']'}, {222, '\''}};
    for (const auto& sign : signs)
        if (sign.key == k) return sign.c;
    return 0;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A key while the title or the author is typed: Enter takes the line (the
// title, then the author), Esc leaves the rest as it was, Backspace takes a
// character back.
void TypeInfo(Session& s, const KeyPress& press) {
    const bool title = s.entry == Session::Entry::Title;
    if (press.key == Vitrine::KEY_ESCAPE) {
        s.entry = Session::Entry::None;
        s.message = title ? "the title and author are left as they were" : "the author is left as it was";
        return;
    }
    if (press.key == Vitrine::KEY_ENTER) {
        (title ? s.pack.title : s.pack.author) = Trimmed(s.typed);
        if (title) {
            s.entry = Session::Entry::Author;
            s.typed = s.pack.author;
            return;
        }
        s.entry = Session::Entry::None;
        s.message = s.pack.InfoUnsaved() ? "title and author set; Ctrl+S saves them with the pack in " +
                                               std::string(KerboImplementation::PackInfoFile)
                                         : "title and author as saved";
        return;
    }
    if (press.key == Vitrine::KEY_BACKSPACE) {
        if (!s.typed.empty()) s.typed.pop_back();
        return;
    }
    const char c = Typed(press);
    if (c != 0 && s.typed.size() < KerboImplementation::PackInfoLength) s.typed += c;
}

void MoveCursor(Session& s, int rows, int columns) {
    s.cursor.row = std::clamp(s.cursor.row + rows, FirstRow, LastRow);
    s.cursor.column =
        std::clamp(s.cursor.column + columns, 1, static_cast<int>(KerboImplementation::Columns));
}

}  // namespace

void Recheck(Session& s) {
    s.verdict = LevelCheck::Check(s.Shown().letters);
}

void OfferRescued(Session& s) {
    const std::string waiting = RescuedWaiting(s.pack);
    if (waiting.empty()) return;
    s.offerRescued = true;
    // The keys first: a long folder name may run past the screen's edge.
    s.message =
        "U takes back the unsaved levels an earlier session left, Ctrl+U throws them away: " + waiting;
}

void ShowLevel(Session& s, std::size_t index) {
    if (index >= s.pack.levels.size()) return;
    s.Shown().history.End();
    s.stroke = false;
    s.current = index;
    Recheck(s);
}

void Place(Session& s, Cell cell, char letter) {
    const std::string refusal = CanPaint(s.Shown().letters, cell, letter);
    if (!refusal.empty()) {
        s.message = refusal;
        return;
    }
    if (s.Shown().history.Paint(s.Shown().letters, cell, letter)) {
        s.message.clear();
        Recheck(s);
    }
}

void Do(Session& s, Command command) {
    const bool deleteAsked = s.confirmDelete, leaveAsked = s.confirmLeave,
               overwriteAsked = s.confirmOverwrite;
    s.confirmDelete = s.confirmLeave = s.confirmOverwrite = false;
    EditedLevel& shown = s.Shown();
    switch (command) {
        case Command::Undo:
        case Command::Redo: {
            const bool undo = command == Command::Undo;
            const bool done = undo ? shown.history.Undo(shown.letters) : shown.history.Redo(shown.letters);
            s.message = done ? "" : undo ? "nothing to undo" : "nothing to redo";
            if (done) Recheck(s);
            break;
        }
        case Command::Save: {
            bool changed = false;
            const std::string problem = Save(s.pack, overwriteAsked, &changed);
            if (changed) {
                s.confirmOverwrite = true;
                // The question first: a long folder name may run past the screen's edge.
                s.message =
                    "not saved: the folder changed since it was read; Ctrl+S again saves over it, "
                    "K keeps both, R reloads it (" +
                    problem + ")";
            } else {
                s.message = problem.empty() ? SavedWords(s.pack) : "not saved: " + problem;
            }
            break;
        }
        case Command::Play:
            s.testPlay = true;
            break;
        case Command::Leave:
            if (s.pack.Unsaved() && !leaveAsked) {
                s.confirmLeave = true;
                s.message = "the pack has unsaved changes: Esc again leaves without them, Ctrl+S saves them";
            } else {
                s.leave = true;
            }
            break;
        case Command::AddLevel:
            if (s.pack.levels.size() >= KerboImplementation::MostLevels) {
                s.message =
                    "a pack holds at most " + std::to_string(KerboImplementation::MostLevels) + " levels";
                break;
            }
            s.pack.levels.emplace_back();
            ShowLevel(s, s.pack.levels.size() - 1);
            s.message = LevelWord(s.current) + " added; it is saved with the pack";
            break;
        case Command::DeleteLevel:
            if (s.pack.levels.size() == 1) {
                s.message = "a pack keeps at least one level";
            } else if (!deleteAsked) {
                s.confirmDelete = true;
                s.message = "Del again deletes " + LevelWord(s.current) + "; the levels after it move up one";
            } else {
                s.pack.levels.erase(s.pack.levels.begin() + static_cast<std::ptrdiff_t>(s.current));
                const std::string gone = LevelWord(s.current);
                ShowLevel(s, std::min(s.current, s.pack.levels.size() - 1));
                s.message = gone + " deleted; saving the pack removes it from the folder";
            }
            break;
        case Command::Help:
            s.help = !s.help;
            break;
    }
    // Only undo, redo and a level shown anew change the letters judged; each rechecks.
}

void OnKey(Session& s, const KeyPress& press) {
    const uint32_t k = press.key;
    if (k == Vitrine::KEY_SHIFT || k == Vitrine::KEY_CTRL || k == Vitrine::KEY_ALT) return;
    if (s.entry != Session::Entry::None) return TypeInfo(s, press);
    if (press.ctrl && k == 'T') {
        s.help = s.confirmDelete = s.confirmLeave = s.confirmOverwrite = false;
        s.entry = Session::Entry::Title;
        s.typed = s.pack.title;
        return;
    }
    if (s.help && (k == Vitrine::KEY_ESCAPE || k == 'H' || k == Vitrine::KEY_F1)) {
        s.help = false;
        return;
    }
    if (s.offerRescued && !press.ctrl && k == 'U') {
        s.offerRescued = false;
        s.message = TakeBackRescued(s.pack);
        s.current = std::min(s.current, s.pack.levels.size() - 1);
        Recheck(s);
        return;
    }
    if (s.offerRescued && press.ctrl && k == 'U') {
        s.offerRescued = false;
        s.message = ThrowAwayRescued(s.pack);
        return;
    }
    if (s.confirmOverwrite && !press.ctrl && (k == 'K' || k == 'R')) {
        s.confirmOverwrite = false;
        return k == 'K' ? KeepBoth(s) : Reload(s);
    }
    const auto command = [&](Command c) { Do(s, c); };
    if (press.ctrl) {
        if (k == 'Z') command(press.shift ? Command::Redo : Command::Undo);
        if (k == 'Y') command(Command::Redo);
        if (k == 'S') command(Command::Save);
        if (k == 'N') command(Command::AddLevel);
        return;
    }
    switch (k) {
        case Vitrine::KEY_ESCAPE:
            return command(Command::Leave);
        case Vitrine::KEY_ENTER:
            return command(Command::Play);
        case Vitrine::KEY_DELETE:
            return command(Command::DeleteLevel);
        case 'Z':
            return command(Command::Undo);
        case 'Y':
            return command(Command::Redo);
        case 'H':
        case Vitrine::KEY_F1:
            return command(Command::Help);
        default:
            break;
    }
    s.confirmDelete = s.confirmLeave = s.confirmOverwrite = false;
    switch (k) {
        case Vitrine::KEY_LEFT:
            return MoveCursor(s, 0, -1);
        case Vitrine::KEY_RIGHT:
            return MoveCursor(s, 0, 1);
        case Vitrine::KEY_UP:
            return MoveCursor(s, -1, 0);
        case Vitrine::KEY_DOWN:
            return MoveCursor(s, 1, 0);
        case Vitrine::KEY_PAGEUP:
            return ShowLevel(s, s.current == 0 ? 0 : s.current - 1);
        case Vitrine::KEY_PAGEDOWN:
            return ShowLevel(s, s.current + 1);
        case Vitrine::KEY_TAB:
            s.kind = (s.kind + (press.shift ? Kinds.size() - 1 : 1)) % Kinds.size();
            return;
        case Vitrine::KEY_SPACE:
            return Place(s, s.cursor, Kinds[s.kind].letter);
        default:
            break;
    }
    if (k >= Vitrine::KEY_0 && k <= Vitrine::KEY_9) return ShowLevel(s, k == Vitrine::KEY_0 ? 9 : k - '1');
    // A cell's letter places that kind: Shift makes a door or shock door right-handed.
    if (k < 'A' || k > 'Z') return;
    const char lower = static_cast<char>(k - 'A' + 'a');
    for (const char letter : {press.shift ? static_cast<char>(k) : lower, lower}) {
        if (std::none_of(Kinds.begin(), Kinds.end(), [&](const Kind& kind) { return kind.letter == letter; }))
            continue;
        ChooseKind(s, letter);
        Place(s, s.cursor, letter);
        return;
    }
}

void OnMouse(Session& s, int32_t x, int32_t y, bool down, bool released, int32_t rx, int32_t ry) {
    if (s.entry != Session::Entry::None) {  // the keys type the title or author: the mouse waits
        s.pointerX = x;
        s.pointerY = y;
        s.pressed = down;
        return;
    }
    const std::size_t levels = s.pack.levels.size();
    if (released) {
        const Spot at = SpotAt(rx, ry, levels);
        if (s.stroke) {
            if (at.what == Spot::What::Grid) PaintAt(s, at.cell);
            s.Shown().history.End();
            s.stroke = false;
        } else if (at.what == Spot::What::Grid) {
            // A click too quick to be seen held: one cell.
            s.confirmDelete = s.confirmLeave = s.confirmOverwrite = false;
            PaintAt(s, at.cell);
        } else if (at.what == Spot::What::Palette) {
            s.kind = at.index;
        } else if (at.what == Spot::What::Tab) {
            ShowLevel(s, at.index);
        } else if (at.what == Spot::What::Button) {
            Do(s, at.command);
        }
        s.pressed = false;
    }
    const Spot here = SpotAt(x, y, levels);
    const bool moved = x != s.pointerX || y != s.pointerY;
    s.pointerX = x;
    s.pointerY = y;
    if (here.what == Spot::What::Grid && (moved || down)) s.cursor = here.cell;
    if (down && !s.pressed) {
        if (here.what == Spot::What::Grid) {
            s.confirmDelete = s.confirmLeave = s.confirmOverwrite = false;
            s.Shown().history.Begin();
            s.stroke = true;
            PaintAt(s, here.cell);
        } else if (here.what == Spot::What::Palette) {
            s.kind = here.index;
        }
    } else if (down && s.stroke && here.what == Spot::What::Grid) {
        PaintAt(s, here.cell);
    }
    s.pressed = down;
}

}  // namespace LevelEditor
