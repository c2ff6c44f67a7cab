// The start menu's list of packs: the shipped levels, the player's own pack
// and every pack folder under packs/ in their data folder, named by their
// pack.txt; choosing one plays it (its levels, name and high-score table).
// Left and Right choose a level reached of the chosen pack to start from:
// past the first, the game is practice.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "game/FrontEnd.h"
#include "game/Installation.h"
#include "game/LevelPacks.h"
#include "game/Progress.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

namespace fs = std::filesystem;

// Colours as the window layer takes them: 0x00BBGGRR.
constexpr uint32_t Panel = 0xF0E8E0;
constexpr uint32_t Ink = 0x201010;
constexpr uint32_t Faded = 0x807070;
constexpr uint32_t Chosen = 0x28D2FF;
constexpr uint32_t Bold = 1, Plain = 4;  // font styles

// The list's page over the start screen, all of it but the grass (a box
// would cut the title and the house), and its rows.
constexpr int32_t Left = 0, Top = 0, Right = 800, Bottom = 470;
constexpr int32_t RowsTop = 60, RowHeight = 22, RowsShown = 16;
// The chosen row's level to start from, "<  from level 3  >", over its end;
// a click on an arrow steps it.
constexpr int32_t FromLeft = 590, FromRight = Right - 31, ArrowWidth = 24;

constexpr std::size_t MessageLength = 98;  // characters of the plain font in the box's width
constexpr uint32_t PassMs = 10;            // the list looks at the keys and the mouse this often

std::string Named(const std::string& folder) {
    uint32_t count = 0;
    const std::string problem = ListPack(folder, count);
    if (!problem.empty()) return {};
    const PackInfo info = ReadPackInfo(folder);
    return "'" + info.title + "'" + (info.author.empty() ? "" : " by " + info.author) + ", " +
           std::to_string(count) + (count == 1 ? " level" : " levels");
}

PackChoice PackIn(const std::string& folder, const std::string& prefix) {
    PackChoice choice{folder, prefix + Named(folder), {}, ProgressKey(folder), 0};
    uint32_t count = 0;
    choice.problem = ListPack(folder, count);
    choice.levels = choice.problem.empty() ? count : 0;
    if (!choice.problem.empty()) choice.line = prefix + PackName(folder) + ": can't be played";
    return choice;
}

bool InPlay(const PackChoice& choice) {
    return fs::path(choice.folder).lexically_normal() == fs::path(PackFolder).lexically_normal();
}

int32_t RowAt(int32_t x, int32_t y, std::size_t first, std::size_t rows) {
    if (x < Left || x >= Right || y < RowsTop || y >= RowsTop + RowHeight * RowsShown) return -1;
    const std::size_t row = first + static_cast<std::size_t>((y - RowsTop) / RowHeight);
    return row < rows ? static_cast<int32_t>(row) : -1;
}

// The levels of a choice that may be started from: 1 up to the furthest reached.
uint32_t Reachable(const PackChoice& choice) {
    return choice.problem.empty() ? ReachableLevel(choice.key, choice.levels) : 1;
}

// What the line under the help says: a practice start says what it means
// before it is taken; a pack with levels reached says how to choose one.
std::string Hint(const PackChoice& choice, uint32_t from, const std::string& message) {
    if (from > 1)
        return "Practice from level " + std::to_string(from) + ": this game does not enter the high scores.";
    if (!message.empty() || Reachable(choice) < 2) return message;
    return "Left, Right: start from a level reached, as practice (no high score)";
}

void Draw(const std::vector<PackChoice>& choices, std::size_t first, std::size_t chosen, uint32_t from,
          const std::string& message) {
    Vitrine::DrawBitmap(Background, 0, 0);
    Vitrine::Rectangle(Left, Top, Right - 1, Bottom - 1, Panel, true);
    Vitrine::SetFont(Bold, Ink);
    Vitrine::Text("Packs: which levels to play", Left + 40, Top + 24);
    for (std::size_t k = first; k < choices.size() && k < first + RowsShown; ++k) {
        const int32_t y = RowsTop + static_cast<int32_t>(k - first) * RowHeight;
        if (k == chosen) Vitrine::Rectangle(Left + 30, y, Right - 31, y + RowHeight - 2, Chosen, true);
        Vitrine::SetFont(Plain, choices[k].problem.empty() ? Ink : Faded);
        Vitrine::Text(choices[k].line + (InPlay(choices[k]) ? "  (in play)" : ""), Left + 40, y + 3);
        if (k == chosen && Reachable(choices[k]) > 1) {
            Vitrine::Rectangle(FromLeft, y, FromRight, y + RowHeight - 2, Chosen, true);
            Vitrine::SetFont(Bold, Ink);
            Vitrine::Text("<", FromLeft + 8, y + 3);
            Vitrine::Text("from level " + std::to_string(from), FromLeft + ArrowWidth + 12, y + 3);
            Vitrine::Text(">", FromRight - ArrowWidth + 8, y + 3);
        }
    }
    Vitrine::SetFont(Plain, Ink);
    if (first > 0) Vitrine::Text("more above", Right - 130, Top + 26);
    if (first + RowsShown < choices.size()) Vitrine::Text("more below", Right - 130, Bottom - 52);
    Vitrine::Text("Up, Down: choose   Enter or a click: play this pack   Esc: back", Left + 40, Bottom - 50);
    Vitrine::Text(Hint(choices[chosen], from, message), Left + 40, Bottom - 28);
}

}  // namespace

std::vector<PackChoice> PacksToChoose(const std::string& ownFolder) {
    std::vector<PackChoice> choices{
        {"", "KERBO anno 2011: the shipped levels, 10 levels", {}, ShippedProgressKey, MostLevels}};
    if (ownFolder.empty()) return choices;
    const std::string own = ownFolder + "my-levels";
    // Listed once it is there: a player who never made one has none to play.
    std::error_code missing;
    if (fs::is_directory(own, missing) && HoldsLevelFiles(own))
        choices.push_back(PackIn(own, "Your own pack: "));
    std::vector<std::string> folders;
    std::error_code error;
    for (fs::directory_iterator it(ownFolder + "packs", error), end; !error && it != end;
         it.increment(error)) {
        std::error_code kind;
        if (it->is_directory(kind)) folders.push_back(it->path().string());
    }
    std::sort(folders.begin(), folders.end());
    for (const std::string& folder : folders) choices.push_back(PackIn(folder, ""));
    return choices;
}

std::string ChoosePack(const PackChoice& choice) {
    if (!choice.problem.empty()) return choice.problem;
    if (PackFolder.empty() && ShippedHighScoreFile.empty()) ShippedHighScoreFile = HighScoreFile;
    if (choice.folder.empty()) {
        // Back to the shipped levels: read from the data folder at every attempt.
        LevelsHeld = false;
        LevelCount = MostLevels;
        PackFolder.clear();
        PackTitleLine.clear();
        PackLevelsLine.clear();
        PackCountLine.clear();
        PackNameLine.clear();
        HighScoreFile = ShippedHighScoreFile;
        return {};
    }
    const std::string problem = UsePack(choice.folder);
    if (!problem.empty()) return problem;
    const PackInfo info = ReadPackInfo(choice.folder);
    if (!info.problem.empty()) std::cerr << "kerbo: " << info.problem << std::endl;
    UsePackHighScores(choice.folder);
    return {};
}

bool PackList() {
    std::string why;
    const std::vector<PackChoice> choices = PacksToChoose(Vitrine::UserDataFolder("kerbo", why));
    std::size_t chosen = 0, first = 0;
    uint32_t from = 1;  // the chosen pack's level to start from
    for (std::size_t k = 0; k < choices.size(); ++k)
        if (InPlay(choices[k])) chosen = k;
    std::string message = why.empty() ? "" : "No folder of your own for packs (" + why + ").";
    Vitrine::NewScreen();
    Vitrine::FlushKeys();
    StandardMenu::ClearPendingClick();
    int32_t lastX = -1, lastY = -1;
    bool drawn = false;
    while (!Vitrine::WindowClosed()) {
        bool changed = !drawn, choose = false;
        Vitrine::KeyPress press;
        while (!choose && Vitrine::NextKey(press)) {
            const uint32_t k = press.key;
            if (k == Vitrine::KEY_ESCAPE) return false;
            if (k == Vitrine::KEY_UP && chosen > 0) --chosen, from = 1, changed = true;
            if (k == Vitrine::KEY_DOWN && chosen + 1 < choices.size()) ++chosen, from = 1, changed = true;
            if (k == Vitrine::KEY_LEFT && from > 1) --from, changed = true;
            if (k == Vitrine::KEY_RIGHT && from < Reachable(choices[chosen])) ++from, changed = true;
            choose = k == Vitrine::KEY_ENTER || k == Vitrine::KEY_SPACE || k == Vitrine::KEY_X;
        }
        // The pointer chooses the row it moves onto; a click plays it.
        int32_t x = 0, y = 0;
        Vitrine::MousePos(x, y);
        if (x != lastX || y != lastY) {
            const int32_t row = RowAt(x, y, first, choices.size());
            if (row >= 0 && std::size_t(row) != chosen) chosen = std::size_t(row), from = 1, changed = true;
            lastX = x, lastY = y;
        }
        StandardMenu::ClickRc click;
        if (StandardMenu::PendingClick(click)) {
            StandardMenu::ClearPendingClick();
            const int32_t row = RowAt(click.x, click.y, first, choices.size());
            const bool onChosen = row >= 0 && std::size_t(row) == chosen && Reachable(choices[chosen]) > 1;
            if (onChosen && click.x >= FromLeft && click.x < FromLeft + ArrowWidth) {
                if (from > 1) --from, changed = true;
            } else if (onChosen && click.x > FromRight - ArrowWidth && click.x <= FromRight) {
                if (from < Reachable(choices[chosen])) ++from, changed = true;
            } else if (row >= 0) {
                if (std::size_t(row) != chosen) from = 1;
                chosen = std::size_t(row), choose = true;
            }
        }
        if (chosen < first) first = chosen;
        if (chosen >= first + RowsShown) first = chosen + 1 - RowsShown;
        if (choose) {
            const std::string problem = ChoosePack(choices[chosen]);
            if (problem.empty()) {
                PracticeLevel = from > 1 ? from : 0;
                return from > 1;
            }
            from = 1;  // the reason shows instead of the practice line
            // The pack's own folder is named in the row already.
            const std::string folder = choices[chosen].folder + "/";
            message =
                "Not played: " + (problem.starts_with(folder) ? problem.substr(folder.size()) : problem);
            if (message.size() > MessageLength) message = message.substr(0, MessageLength - 3) + "...";
            changed = true;
        }
        if (changed) Draw(choices, first, chosen, from, message);
        drawn = true;
        Vitrine::UpdateWindow();
        Vitrine::Delay(PassMs);
    }
    return false;
}

}  // namespace KerboImplementation
