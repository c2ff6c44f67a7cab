// The screens around the game: the start menu and its screens, the name
// entry and the high-score table, and the flat loop that runs them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "game/HighScoreTable.h"
#include "game/KerboImplementation.h"
#include "menu/StandardMenu.h"

namespace KerboImplementation {

// ---------------------------------------------------------------- start menu

// The difficulty selector's buttons: 0 down arrow, 1 up arrow, 2 back.
extern std::array<StandardMenu::ButtonRc, 3> SpinnerMenu;
// The three difficulty pictures, sharing one place: 0 easy, 1 medium, 2 hard.
extern std::array<StandardMenu::ButtonRc, 3> Difficulties;
// The start menu's background image (also behind the selector).
extern uint32_t Background;

// A button from its pictures (through their mask when it has one), at (0, 0).
StandardMenu::ButtonRc MakeButton(const Assets::Button& button);
// Loads one of the full-window screens.
uint32_t LoadScreen(const Assets::Image& screen);

void LoadStartMenu(std::span<StandardMenu::ButtonRc, 5> StartMenu);
void LoadDifficultySelector(std::span<StandardMenu::ButtonRc, 3> SpinnerMenu,
                            std::span<StandardMenu::ButtonRc, 3> Spinner);

// Runs the screens from `first` until the program ends, then says goodbye
// and closes the window. The window must be open.
void RunScreens(Screen first);
// The screen that follows the end of a game.
Screen AfterGame(GameEnd end);

// What the difficulty changes, in one line, as the selector shows it.
const char* WhatTheDifficultyChanges(Difficulty difficulty);

// ---------------------------------------------------------------- the settings screen

// The start menu's settings screen: the scale, full screen, the volume, the
// difficulty and the keys of play, each in force as soon as it changes,
// until Esc or Back goes back.
void SettingsScreen();

// ---------------------------------------------------------------- the pack list

// A pack the player can choose: the shipped levels (folder ""), the player's
// own pack, and each folder under packs/ in their data folder; `problem` says
// why one can't be played.
struct PackChoice {
    std::string folder;
    std::string line;  // how the list names it
    std::string problem;
    std::string key;      // its ProgressKey
    uint32_t levels = 0;  // how many it has
};
// What the pack list offers, given the player's own data folder ("" for none).
std::vector<PackChoice> PacksToChoose(const std::string& ownFolder);
// Plays `choice` from now on (its levels, its name, its high-score table):
// "" or why it can't be played, the pack in play then staying as it was.
std::string ChoosePack(const PackChoice& choice);
// The start menu's list of packs, until one is chosen or Esc goes back.
// Left and Right choose a level reached of the chosen pack; true when such a
// level (past the first) was chosen: PracticeLevel holds it, and the game
// that follows is practice.
bool PackList();

// ---------------------------------------------------------------- the level editor

// The level editor (editor/) is built on top of the game, so the program's
// main hands it in. `open` reads a pack for editing (a missing or empty
// folder is a new pack) and returns "" or the problem in one line naming the
// file; `run` edits the pack opened last, in the open window, until the
// player leaves it. Null while there is no editor (the game's own tests).
struct EditorEntry {
    std::string (*open)(const std::string& folder) = nullptr;
    void (*run)() = nullptr;
};
extern EditorEntry Editor;

// kerbo --edit: the editor alone on the pack in `folder`; a pack it can't
// read is refused before the window opens. Returns the exit status.
int EditLevels(const std::string& folder);
// The start menu's way into the editor: the pack in play, else the player's
// own pack (my-levels/ in their data folder); the pack in play is read again
// afterwards, so that play goes on with what was saved.
void EditFromMenu();

// ---------------------------------------------------------------- comforts

// True while the name entry (or the editor's entry of a pack's title and
// author) takes letters: M is one of them there.
extern bool NameEntryOpen;
// Makes M mute and unmute all sound wherever a key press takes effect.
void InstallComforts();

}  // namespace KerboImplementation
