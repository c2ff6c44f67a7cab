// The player's name entry and the high-score screen, from which the kept
// games behind its entries (and the last game) can be watched; the table
// itself is in HighScoreTable.cpp.
#include <iostream>
#include <string_view>

#include "game/FrontEnd.h"
#include "game/KeptGames.h"
#include "game/Keys.h"
#include "window/Vitrine.h"
#include "window/VitrineReplay.h"

namespace KerboImplementation {

namespace {

constexpr std::size_t NameLength = 10;  // typed letters plus blanks
constexpr uint32_t FontStyle = 1;
constexpr uint32_t Black = 0;
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t WatchBlue = 0xA03000;  // 0x00BBGGRR
constexpr int32_t WatchWidth = 75;        // of a watch label, for the clicks
constexpr uint32_t PassMs = 10;           // the screen looks at the keys and the mouse this often
constexpr std::size_t MessageLength = 96;

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

namespace {

// The kept games the screen offers: each entry's and the last one ("" none).
struct KeptChoices {
    std::array<std::string, 3> entries;
    std::string last;
    bool any() const {
        return !last.empty() || !entries[0].empty() || !entries[1].empty() || !entries[2].empty();
    }
};

bool Inside(const Assets::Box& box, int32_t x, int32_t y) {
    return x >= box.x0 && x < box.x1 && y >= box.y0 && y < box.y1;
}

void DrawTable(const HighScoreTable& table) {
    Vitrine::SetFont(FontStyle, Black);
    static constexpr const char* Places[] = {"Nummer 1", "Nummer 2", "Nummer 3"};
    for (std::size_t place = 0; place < table.size(); ++place) {
        const int32_t y = Assets::HighScoreLineY[place];
        Vitrine::Text(Places[place], Assets::HighScorePlaceX, y);
        Vitrine::Text(NameOf(table[place].Name), Assets::HighScoreNameX, y);
        Vitrine::TextCard(table[place].Score, Assets::HighScoreScoreX, y);
    }
}

// The watch labels beside the entries that have a game, and the line of
// keys under the screen's own (or what went wrong with the last choice).
void DrawWatching(const KeptChoices& kept, const std::string& message) {
    Vitrine::SetFont(FontStyle, WatchBlue);
    for (std::size_t place = 0; place < kept.entries.size(); ++place) {
        if (!kept.entries[place].empty())
            Vitrine::Text("Watch (" + std::to_string(place + 1) + ")", Assets::HighScoreWatchX,
                          Assets::HighScoreLineY[place]);
    }
    Vitrine::SetFont(FontStyle, White);
    if (!message.empty()) {
        Vitrine::Text(message, Assets::HighScoreKeysX, Assets::HighScoreLast.y0);
        return;
    }
    if (!kept.entries[0].empty() || !kept.entries[1].empty() || !kept.entries[2].empty())
        Vitrine::Text("1, 2, 3 or a click on Watch: watch that game", Assets::HighScoreKeysX,
                      Assets::HighScoreLast.y0);
    if (!kept.last.empty())
        Vitrine::Text("L: watch the last game", Assets::HighScoreLast.x0, Assets::HighScoreLast.y0);
}

// Shows a kept game; "" or what to say instead.
std::string Watch(const std::string& file) {
    const std::string problem = WatchGame(file);
    if (problem.empty()) return {};
    std::cerr << "kerbo: that game can't be shown: " << problem << std::endl;
    std::string message = "That game can't be shown: " + problem.substr(problem.rfind('/') + 1);
    if (message.size() > MessageLength) message = message.substr(0, MessageLength - 3) + "...";
    return message;
}

// The screen while there are kept games to watch: keys and clicks.
void WatchOrLeave(const HighScoreTable& table, uint32_t background, const KeptChoices& kept) {
    std::string message;
    DrawWatching(kept, message);
    Vitrine::UpdateWindow();
    StandardMenu::ClearPendingClick();
    while (!Vitrine::WindowClosed()) {
        std::string chosen;
        Vitrine::KeyPress press;
        while (chosen.empty() && Vitrine::NextKey(press)) {
            const uint32_t k = press.key;
            // The keys that leave as they always did (a chosen door key among them) come first.
            if (k == Vitrine::KEY_X || k == PlayKeys[Move::Door] || k == Vitrine::KEY_ESCAPE ||
                k == Vitrine::KEY_ENTER)
                return;
            if (k >= Vitrine::KEY_0 + 1 && k <= Vitrine::KEY_0 + 3)
                chosen = kept.entries[k - Vitrine::KEY_0 - 1];
            if (k == Vitrine::KEY_L) chosen = kept.last;
        }
        StandardMenu::ClickRc click;
        if (chosen.empty() && StandardMenu::PendingClick(click)) {
            StandardMenu::ClearPendingClick();
            for (std::size_t place = 0; place < kept.entries.size(); ++place) {
                const int32_t y = Assets::HighScoreLineY[place];
                if (click.x >= Assets::HighScoreWatchX && click.x < Assets::HighScoreWatchX + WatchWidth &&
                    click.y >= y - 4 && click.y < y + 20)
                    chosen = kept.entries[place];
            }
            if (Inside(Assets::HighScoreLast, click.x, click.y)) chosen = kept.last;
        }
        if (!chosen.empty()) {
            message = Watch(chosen);
            if (Vitrine::WindowClosed()) return;
            // Back to the screen as it was.
            Vitrine::DrawBitmap(background, 0, 0);
            DrawTable(table);
            DrawWatching(kept, message);
        }
        Vitrine::UpdateWindow();
        Vitrine::Delay(PassMs);
    }
}

}  // namespace

void Highscores() {
    const HighScoreTable table = ReadHighScores(HighScoreFile);
    const uint32_t background = LoadScreen(Assets::HighScoreScreen);
    Vitrine::DrawBitmap(background, 0, 0);
    Vitrine::UpdateWindow();

    DrawTable(table);
    // A recorded or replayed session shows the screen as it always was:
    // what the player's kept games hold is no part of its recording.
    KeptChoices kept;
    if (!Vitrine::Replay::Recording() && !Vitrine::Replay::Replaying()) {
        for (std::size_t place = 0; place < table.size(); ++place)
            kept.entries[place] = EntryGameFile(table[place]);
        kept.last = LastGameFile();
    }
    if (kept.any()) {
        WatchOrLeave(table, background, kept);
    } else {
        Vitrine::UpdateWindow();
        WaitForX();
    }
    Vitrine::DestroyBitmap(background);
}

}  // namespace KerboImplementation
