// LevelEditor: the level editor, built on the game. It edits a level pack
// (LevelPacks.h) with the game's own tiles at the game's scale, runs the
// level checker as the player draws, test-plays a level by the game's rules
// and saves the pack file by file, atomically. One file per job:
//   Grid.cpp       the letters of a level being edited: a new level, what may go where
//   History.cpp    undo and redo
//   PackFiles.cpp  reading a pack for editing, saving it, rescuing unsaved levels
//   Palette.cpp    the cell kinds on offer and the places on the editor's screen
//   Session.cpp    what a key or the mouse does to the pack being edited
//   Drawing.cpp    the editor's screen
//   TestPlay.cpp   playing the level being edited by the game's rules
//   Editor.cpp     opening a pack and the editor's loop
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/KerboImplementation.h"
#include "levelcheck/LevelCheck.h"
#include "window/Vitrine.h"

namespace LevelEditor {

using KerboImplementation::Level;
using LevelCheck::Cell;

// ---------------------------------------------------------------- the program's entry

// Reads the pack in `folder` for the editor (a missing or empty folder is a
// new pack of one level). "" or the problem in one line naming the file.
std::string Open(const std::string& folder);
// Edits the pack opened last in the open window until the player leaves.
void Run();

// ---------------------------------------------------------------- grid

// The rows one may paint: the storeys and the bottom row. Rows 1 and 2 stay
// ceiling, as the game reads them.
constexpr int FirstRow = 3, LastRow = 10;

// A fresh level: walls round the storeys and along the bottom, passages
// inside, the cats' area empty. It lacks only items.
Level NewLevel();
bool SameLetters(const Level& a, const Level& b);
int ShockDoors(const Level& level);
// Why `letter` may not go at `cell`, or "" when it may.
std::string CanPaint(const Level& level, Cell cell, char letter);

// ---------------------------------------------------------------- history

// The edits of one level as steps (a stroke of the mouse, a key press), to
// take back and do again.
class History {
  public:
    // A step is made of the paints between Begin and End; an empty one is dropped.
    void Begin();
    // Changes one cell as part of the open step (a step of its own when none
    // is open). False when the cell already held the letter.
    bool Paint(Level& level, Cell cell, char letter);
    void End();
    bool Undo(Level& level);
    bool Redo(Level& level);
    bool CanUndo() const { return !done_.empty(); }
    bool CanRedo() const { return !undone_.empty(); }

  private:
    struct Change {
        Cell cell;
        char before = 0, after = 0;
    };
    using Step = std::vector<Change>;
    std::vector<Step> done_, undone_;
    Step open_;
    bool stepOpen_ = false;
};

// ---------------------------------------------------------------- the pack

struct EditedLevel {
    Level letters = NewLevel();
    History history;
};

struct Pack {
    std::string folder;
    std::vector<EditedLevel> levels;  // level k at [k - 1]
    std::vector<Level> files;         // what level1.txt .. levelN.txt hold, as read or last saved
    // The pack's own words for pack.txt (a blank title: the folder's name),
    // and what pack.txt held as read or last saved ("" for none or a bad one).
    std::string title, author;
    std::string savedTitle, savedAuthor;
    std::string infoProblem;  // why pack.txt could not be taken, as read

    bool LevelUnsaved(std::size_t index) const;
    bool InfoUnsaved() const { return title != savedTitle || author != savedAuthor; }
    // A level differs from its file, files are left to remove, or the title or author changed.
    bool Unsaved() const;
};

// A level's file: ten lines of letters, rows 1 and 2 ceiling, each ending in LF.
std::string FormatLevel(const Level& level);
// Reads the pack in `folder` ("" or the problem; `pack` is set only on success).
std::string ReadForEditing(const std::string& folder, Pack& pack);
// "" when the folder still holds what `pack.files` says it did when read or
// last saved, else what changed (another editor, a hand), in words.
std::string FolderChanged(const Pack& pack);
// Writes every level whose file differs (and pack.txt when the title or the
// author changed) and removes the files past the last level, all or nothing
// (game/PackSaves.h), under the pack's lock. Unless
// `overwrite`, the folder is first checked with FolderChanged: when it
// changed, nothing is written, `changedMeanwhile` is set and what changed is
// returned. Else "" or the problem.
std::string Save(Pack& pack, bool overwrite = false, bool* changedMeanwhile = nullptr);
// The window closed or the display went away on unsaved levels: each goes to
// level<k>.unsaved.txt beside its file, or, where the pack can't be written,
// in the player's own data folder, in unsaved-<PackKey>/. Returns what was
// written, in words (none for a new level left blank).
std::string Rescue(const Pack& pack);
// The files Rescue left for this pack, in words ("" for none).
std::string RescuedWaiting(const Pack& pack);
// Takes each rescued level into the pack in place of its level (unsaved
// until the next save) and removes its file. Returns what it did, in words.
std::string TakeBackRescued(Pack& pack);
// Removes the files Rescue left for this pack, unread. Returns what it did, in words.
std::string ThrowAwayRescued(const Pack& pack);

// ---------------------------------------------------------------- palette and places

struct Kind {
    char letter;
    const char* name;
};
extern const std::vector<Kind> Kinds;  // the palette, left to right

struct Rect {
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // x1, y1 just past the rectangle
    bool Holds(int32_t x, int32_t y) const { return x0 <= x && x < x1 && y0 <= y && y < y1; }
};

// The commands with a button of their own.
enum class Command : uint8_t { Undo, Redo, Save, Play, Leave, AddLevel, DeleteLevel, Help };

// What lies at a point of the editor's screen.
struct Spot {
    enum class What : uint8_t { Nothing, Palette, Button, Tab, Grid } what = What::Nothing;
    std::size_t index = 0;  // the palette's kind, the tab's level (from 0)
    Command command = Command::Undo;
    Cell cell;
};
Spot SpotAt(int32_t x, int32_t y, std::size_t levels);

Rect PaletteRect(std::size_t kind);
Rect TabRect(std::size_t level);
struct Button {
    Command command;
    const char* label;
    const char* key;
    Rect rect;
};
// The buttons shown while the pack has `levels` levels.
std::vector<Button> Buttons(std::size_t levels);
Rect CellRect(Cell cell);

// ---------------------------------------------------------------- session

struct Session {
    Pack pack;
    std::size_t current = 0;  // the level shown, from 0
    Cell cursor{LevelCheck::StartRow, LevelCheck::StartColumn};
    std::size_t kind = 0;  // the palette's chosen kind
    LevelCheck::Report verdict;
    std::string message;  // what the last command did, until the next edit
    bool confirmDelete = false, confirmLeave = false, help = false;
    bool confirmOverwrite = false;  // the folder changed since it was read: the player is asked what to do
    bool offerRescued = false;      // levels rescued by an earlier session wait: U takes them back
    // The pack's title and then its author being typed (Ctrl+T), and the line so far.
    enum class Entry : uint8_t { None, Title, Author } entry = Entry::None;
    std::string typed;
    bool stroke = false;                   // the left button went down on the grid and paints
    bool pressed = false;                  // the left button was down at the last look
    int32_t pointerX = -1, pointerY = -1;  // where the pointer was at the last look
    bool leave = false, testPlay = false;

    EditedLevel& Shown() { return pack.levels[current]; }
    const EditedLevel& Shown() const { return pack.levels[current]; }
};

// Judges the level shown again.
void Recheck(Session& session);
// A pack just opened: offers back what an earlier session rescued, if anything.
void OfferRescued(Session& session);
void OnKey(Session& session, const Vitrine::KeyPress& press);
// The mouse at one look: where the pointer is and whether the left button
// is down, and a release since the last look, if any (at rx, ry).
void OnMouse(Session& session, int32_t x, int32_t y, bool down, bool released, int32_t rx, int32_t ry);
void Do(Session& session, Command command);
void Place(Session& session, Cell cell, char letter);
void ShowLevel(Session& session, std::size_t index);

// ---------------------------------------------------------------- drawing and test play

// Loads the pictures the editor draws with: the game screen's own.
void LoadPictures();
void Draw(const Session& session);
// Plays `level` as level `number` by the game's rules until it is cleared,
// the lives are gone or the player leaves from the pause screen; the game's
// state is put back afterwards. Returns how it went, in words.
std::string TestPlay(const Level& level, uint32_t number);

}  // namespace LevelEditor
