// The player's name entry and the high-score screen; the table itself is in
// HighScoreTable.cpp.
#include <string_view>

#include "game/FrontEnd.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

constexpr uint32_t KeyX = 88;
constexpr uint32_t KeyA = 65;
constexpr uint32_t KeyZ = 90;
constexpr std::size_t NameLength = 10;  // typed letters plus blanks
constexpr uint32_t FontStyle = 1;
constexpr uint32_t Black = 0;

std::string_view NameOf(const String& name) {
    const std::string_view all(name.data(), name.size());
    return all.substr(0, all.find('\0'));
}

// Waits for X; false when the window was closed instead.
bool WaitForX() {
    for (;;) {
        const uint32_t k = Vitrine::GetKey();
        if (Vitrine::WindowClosed()) return false;
        if (k == KeyX) return true;
    }
}

}  // namespace

// ---------------------------------------------------------------- screens

void AskName() {
    const uint32_t background = Vitrine::LoadBitmap("images/asknamebackground.bmp", 800, 500);
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
        if (k == KeyX) {
            Vitrine::FlushKeys();
            break;
        }
        // Nine letters at most: the tenth place stays blank.
        if (k >= KeyA && k <= KeyZ && next < NameLength - 1) {
            PlayerName[next++] = static_cast<char>(k);
        }
        Vitrine::Text(std::string_view(PlayerName.data(), PlayerName.size()), 480, 200);
    }
    NameEntryOpen = false;
    Vitrine::DestroyBitmap(background);
}

void Highscores() {
    const HighScoreTable table = ReadHighScores(HighScoreFile);
    const uint32_t background = Vitrine::LoadBitmap("images/highscorebackground.bmp", 800, 500);
    Vitrine::DrawBitmap(background, 0, 0);
    Vitrine::UpdateWindow();

    Vitrine::SetFont(FontStyle, Black);
    static constexpr const char* Places[] = {"Nummer 1", "Nummer 2", "Nummer 3"};
    static constexpr int32_t Heights[] = {210, 290, 370};
    for (std::size_t place = 0; place < table.size(); ++place) {
        Vitrine::Text(Places[place], 280, Heights[place]);
        Vitrine::Text(NameOf(table[place].Name), 400, Heights[place]);
        Vitrine::TextCard(table[place].Score, 500, Heights[place]);
    }
    Vitrine::UpdateWindow();
    WaitForX();
    Vitrine::DestroyBitmap(background);
}

}  // namespace KerboImplementation
