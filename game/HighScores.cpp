// The player's name entry and the high-score screen; the table itself is in
// HighScoreTable.cpp.
#include <string_view>

#include "game/FrontEnd.h"
#include "game/Keys.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

constexpr std::size_t NameLength = 10;  // typed letters plus blanks
constexpr uint32_t FontStyle = 1;
constexpr uint32_t Black = 0;

std::string_view NameOf(const String& name) {
    const std::string_view all(name.data(), name.size());
    return all.substr(0, all.find('\0'));
}

// Waits for X, the door's key when the player chose another (or Escape or
// Enter); false when the window was closed instead.
bool WaitForX() {
    for (;;) {
        const uint32_t k = Vitrine::GetKey();
        if (Vitrine::WindowClosed()) return false;
        if (k == Vitrine::KEY_X || k == PlayKeys[Move::Door] || k == Vitrine::KEY_ESCAPE ||
            k == Vitrine::KEY_ENTER)
            return true;
    }
}

}  // namespace

// ---------------------------------------------------------------- screens

void AskName() {
    const uint32_t background = LoadScreen(Assets::NameScreen);
    Vitrine::DrawBitmap(background, 0, 0);
    Vitrine::SetFont(FontStyle, Black);

    PlayerName = {};
    for (std::size_t i = 0; i < NameLength; ++i) PlayerName[i] = ' ';
    std::size_t next = 0;  // the next free position

    NameEntryOpen = true;
    for (;;) {
        Vitrine::UpdateWindow();
        const uint32_t k = Vitrine::GetKey();
        if (Vitrine::WindowClosed()) break;
        // X or Enter ends the name.
        if (k == Vitrine::KEY_X || k == Vitrine::KEY_ENTER) {
            Vitrine::FlushKeys();
            break;
        }
        // Nine letters at most: the tenth place stays blank.
        if (k >= Vitrine::KEY_A && k <= Vitrine::KEY_Z && next < NameLength - 1) {
            PlayerName[next++] = static_cast<char>(k);
        } else if (k == Vitrine::KEY_BACKSPACE && next > 0) {
            PlayerName[--next] = ' ';
        }
        // The field afresh: a letter taken back must not stay on the screen.
        Vitrine::DrawBitmap(background, 0, 0);
        Vitrine::Text(std::string_view(PlayerName.data(), PlayerName.size()), Assets::NameField.x,
                      Assets::NameField.y);
    }
    NameEntryOpen = false;
    Vitrine::DestroyBitmap(background);
}

void Highscores() {
    const HighScoreTable table = ReadHighScores(HighScoreFile);
    const uint32_t background = LoadScreen(Assets::HighScoreScreen);
    Vitrine::DrawBitmap(background, 0, 0);
    Vitrine::UpdateWindow();

    Vitrine::SetFont(FontStyle, Black);
    static constexpr const char* Places[] = {"Nummer 1", "Nummer 2", "Nummer 3"};
    for (std::size_t place = 0; place < table.size(); ++place) {
        const int32_t y = Assets::HighScoreLineY[place];
        Vitrine::Text(Places[place], Assets::HighScorePlaceX, y);
        Vitrine::Text(NameOf(table[place].Name), Assets::HighScoreNameX, y);
        Vitrine::TextCard(table[place].Score, Assets::HighScoreScoreX, y);
    }
    Vitrine::UpdateWindow();
    WaitForX();
    Vitrine::DestroyBitmap(background);
}

}  // namespace KerboImplementation
