// The start menu's settings screen: the window's scale, full screen, the
// sound's volume, the difficulty and the keys of play, one row each; every
// change is in force at once and saved by the start menu. Keyboard (Up and
// Down choose a row, Left and Right change it, Enter chooses a key, Esc goes
// back), mouse and gamepad alike.
#include <algorithm>
#include <string>

#include "game/FrontEnd.h"
#include "game/Keys.h"
#include "game/Settings.h"
#include "sound/Music.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

// Colours as the window layer takes them: 0x00BBGGRR; as the pack list's.
constexpr uint32_t Panel = 0xF0E8E0;
constexpr uint32_t Ink = 0x201010;
constexpr uint32_t Faded = 0x807070;
constexpr uint32_t Chosen = 0x28D2FF;
constexpr uint32_t ArrowFace = 0xFFFFFF;
constexpr uint32_t Bold = 1, Plain = 4;  // font styles

// The page over the start screen, all of it but the grass, as the pack list's.
constexpr int32_t PageRight = 800, PageBottom = 470;
constexpr uint32_t PassMs = 10;  // the screen looks at the keys and the mouse this often

enum SettingRow : int32_t {
    RowScale,
    RowFullScreen,
    RowVolume,
    RowDifficulty,
    RowLeft,
    RowRight,
    RowDoor,
    RowPause,
    RowBack,
    RowCount
};

bool IsKeyRow(int32_t row) {
    return row >= RowLeft && row <= RowPause;
}

Move MoveOf(int32_t row) {
    return AllMoves[static_cast<std::size_t>(row - RowLeft)];
}

int32_t RowTop(int32_t row) {
    return Assets::SettingsLayout.RowsTop + row * Assets::SettingsLayout.RowHeight;
}

int32_t RowAt(int32_t x, int32_t y) {
    const auto& at = Assets::SettingsLayout;
    if (x < 0 || x >= PageRight || y < at.RowsTop || y >= RowTop(RowCount)) return -1;
    return (y - at.RowsTop) / at.RowHeight;
}

// Which arrow of a row (x, y) lies on: -1 "<", +1 ">", 0 neither.
int32_t ArrowAt(int32_t x, int32_t y, int32_t row) {
    const auto& at = Assets::SettingsLayout;
    const int32_t top = RowTop(row) + 4;
    if (row < 0 || IsKeyRow(row) || row == RowBack || y < top || y >= top + at.ArrowSize) return 0;
    if (x >= at.LessX && x < at.LessX + at.ArrowSize) return -1;
    if (x >= at.MoreX && x < at.MoreX + at.ArrowSize) return 1;
    return 0;
}

const char* RowName(int32_t row) {
    static constexpr const char* names[] = {"Scale", "Full screen", "Volume", "Difficulty"};
    if (IsKeyRow(row)) return MoveName(MoveOf(row));
    return row == RowBack ? "Back" : names[row];
}

std::string ScaleText(uint32_t scale) {
    if (scale == 0) return "as large as suits the desktop";
    return std::to_string(scale) + ": a window of " + std::to_string(800 * scale) + " x " +
           std::to_string(500 * scale);
}

struct Page {
    int32_t chosen = RowScale;
    bool choosingKey = false;     // the chosen key row waits for a key
    bool fullScreenSeen = false;  // while it waits: F11 changes the full screen and nothing else
    std::string message;
};

void DrawArrows(int32_t top) {
    const auto& at = Assets::SettingsLayout;
    for (const auto& [x, label] : {std::pair{at.LessX, "<"}, std::pair{at.MoreX, ">"}}) {
        Vitrine::Rectangle(x, top + 4, x + at.ArrowSize - 1, top + 4 + at.ArrowSize - 1, Faded, false);
        Vitrine::Rectangle(x + 1, top + 5, x + at.ArrowSize - 2, top + 3 + at.ArrowSize - 1, ArrowFace, true);
        Vitrine::SetFont(Bold, Ink);
        Vitrine::Text(label, x + 7, top + 7);
    }
}

void Draw(const Page& page) {
    const auto& at = Assets::SettingsLayout;
    const Settings now = CurrentSettings();
    Vitrine::DrawBitmap(Background, 0, 0);
    Vitrine::Rectangle(0, 0, PageRight - 1, PageBottom - 1, Panel, true);
    Vitrine::SetFont(Bold, Ink);
    Vitrine::Text("Settings", 40, 24);
    for (int32_t row = 0; row < RowCount; ++row) {
        const int32_t top = RowTop(row);
        if (row == page.chosen)
            Vitrine::Rectangle(30, top, PageRight - 31, top + at.RowHeight - 3, Chosen, true);
        Vitrine::SetFont(Bold, Ink);
        Vitrine::Text(RowName(row), at.NameX, top + 8);
        std::string value, more;
        switch (row) {
            case RowScale:
                value = ScaleText(now.scale);
                break;
            case RowFullScreen:
                value = now.fullScreen ? "yes" : "no";
                more = "F11 switches too";
                break;
            case RowVolume:
                value = std::to_string(now.volume) + " of " + std::to_string(MaxVolume);
                if (now.muted) more = "the sound is off: M turns it on";
                break;
            case RowDifficulty:
                value = DifficultyName(now.difficulty);
                more = WhatTheDifficultyChanges(now.difficulty);
                break;
            case RowBack:
                more = "to the start menu";
                break;
            default:
                value =
                    page.choosingKey && row == page.chosen ? "press a key" : KeyName(now.keys[MoveOf(row)]);
                more = page.choosingKey && row == page.chosen ? "Esc keeps " + KeyName(now.keys[MoveOf(row)])
                                                              : "Enter or a click: another key";
                break;
        }
        if (!IsKeyRow(row) && row != RowBack) DrawArrows(top);
        Vitrine::SetFont(Plain, Ink);
        Vitrine::Text(value, at.ValueX, top + 8);
        Vitrine::SetFont(Plain, Faded);
        Vitrine::Text(more, at.MoreX + at.ArrowSize + 10, top + 8);
    }
    Vitrine::SetFont(Plain, Ink);
    Vitrine::Text("Up, Down: choose   Left, Right: change   Enter: choose a key   Esc: back", 40,
                  PageBottom - 50);
    Vitrine::Text(page.message, 40, PageBottom - 28);
}

// One step of the row's setting, down (-1) or up (+1), in force at once.
void Change(int32_t row, int32_t step, Page& page) {
    const Settings now = CurrentSettings();
    switch (row) {
        case RowScale:
            if ((step < 0 && now.scale > 0) || (step > 0 && now.scale < 16)) ChangeScale(now.scale + step);
            break;
        case RowFullScreen:
            Vitrine::SwitchFullScreen(!now.fullScreen);
            break;
        case RowVolume:
            // The start menu's tune plays on: it is heard at once.
            if ((step < 0 && now.volume > 0) || (step > 0 && now.volume < MaxVolume))
                ChangeVolume(now.volume + step);
            break;
        case RowDifficulty: {
            const int32_t index = std::clamp(int32_t(now.difficulty) + step, 0, 2);
            LevelDifficulty = static_cast<Difficulty>(index);
            break;
        }
        default:
            return;
    }
    page.message.clear();
}

// A key pressed while the chosen row waits for one.
void TakeKey(uint32_t k, Page& page) {
    const Move move = MoveOf(page.chosen);
    if (k == Vitrine::KEY_ESCAPE) {
        page.choosingKey = false;
        page.message.clear();
        return;
    }
    const std::string why = WhyNotChosen(k, move, PlayKeys);
    if (!why.empty()) {
        page.message = why + ".";
        return;
    }
    PlayKeys[move] = k;
    page.choosingKey = false;
    page.message = std::string(MoveName(move)) + ": " + KeyName(k) + " from now on.";
}

// Enter, Space, X or a click on the row: true when it leaves the screen.
bool Choose(int32_t row, Page& page) {
    if (row == RowBack) return true;
    if (IsKeyRow(row)) {
        page.choosingKey = true;
        page.fullScreenSeen = Vitrine::FullScreen();
        page.message.clear();
        return false;
    }
    Change(row, row == RowDifficulty && LevelDifficulty == Difficulty::Hard ? -2 : 1, page);
    return false;
}

}  // namespace

void SettingsScreen() {
    Page page;
    Vitrine::NewScreen();
    Vitrine::FlushKeys();
    StandardMenu::ClearPendingClick();
    int32_t lastX = -1, lastY = -1;
    bool drawn = false, leave = false;
    std::string lastSeen;
    while (!leave && !Vitrine::WindowClosed()) {
        Vitrine::KeyPress press;
        while (!leave && Vitrine::NextKey(press)) {
            const uint32_t k = press.key;
            if (page.choosingKey) {
                TakeKey(k, page);
                continue;
            }
            switch (k) {
                case Vitrine::KEY_ESCAPE:
                    leave = true;
                    break;
                case Vitrine::KEY_UP:
                    page.chosen = (page.chosen + RowCount - 1) % RowCount;
                    break;
                case Vitrine::KEY_DOWN:
                case Vitrine::KEY_TAB:
                    page.chosen = (page.chosen + 1) % RowCount;
                    break;
                case Vitrine::KEY_LEFT:
                case Vitrine::KEY_RIGHT:
                    Change(page.chosen, k == Vitrine::KEY_LEFT ? -1 : 1, page);
                    break;
                case Vitrine::KEY_ENTER:
                case Vitrine::KEY_SPACE:
                case Vitrine::KEY_X:
                    leave = Choose(page.chosen, page);
                    break;
                default:
                    break;
            }
        }
        if (page.choosingKey && Vitrine::FullScreen() != page.fullScreenSeen) {
            page.fullScreenSeen = Vitrine::FullScreen();
            page.message = "F11 can't be chosen: it belongs to the window.";
        }
        // The pointer chooses the row it moves onto; a click acts on it.
        int32_t x = 0, y = 0;
        Vitrine::MousePos(x, y);
        if (x != lastX || y != lastY) {
            const int32_t row = RowAt(x, y);
            if (row >= 0 && row != page.chosen && !page.choosingKey) page.chosen = row;
            lastX = x, lastY = y;
        }
        StandardMenu::ClickRc click;
        if (!leave && StandardMenu::PendingClick(click)) {
            StandardMenu::ClearPendingClick();
            const int32_t row = RowAt(click.x, click.y);
            page.choosingKey = false;
            if (row >= 0) {
                page.chosen = row;
                const int32_t arrow = ArrowAt(click.x, click.y, row);
                if (arrow != 0) {
                    Change(row, arrow, page);
                } else {
                    leave = Choose(row, page);
                }
            }
        }
        if (leave) break;
        // Drawn again only when something it shows changed.
        const Settings now = CurrentSettings();
        const std::string seen =
            std::to_string(page.chosen) + (page.choosingKey ? "k" : "-") + page.message + FormatSettings(now);
        if (!drawn || seen != lastSeen) {
            Draw(page);
            lastSeen = seen;
            drawn = true;
        }
        Vitrine::UpdateWindow();
        Vitrine::Delay(PassMs);
    }
    SaveSettingsIfChanged();
}

}  // namespace KerboImplementation
