// The full-window screens: start, controls, story, name entry, high scores,
// pause, game over and the win.
#include <cstdint>
#include <string>
#include <vector>

#include "Data.h"
#include "Look.h"
#include "Text.h"

namespace datagen {

namespace {
// Night sky with a sprinkle of stars; the same stars every time.
Image Sky(uint32_t top, uint32_t bottom, bool stars = true) {
    Image im(800, 500);
    VerticalGradient(im, 0, 0, 800, 500, RgbHex(top), RgbHex(bottom));
    if (stars) {
        uint32_t seed = 2011;
        for (int i = 0; i < 90; ++i) {
            seed = seed * 1103515245u + 12345u;
            int x = int((seed >> 8) % 800);
            seed = seed * 1103515245u + 12345u;
            int y = int((seed >> 8) % 330);
            Rgb c = Mix(im.At(x, y), kWhite, (seed >> 4) % 3 == 0 ? 0.9 : 0.5);
            im.Set(x, y, c);
            if ((seed >> 12) % 7 == 0) {
                im.Set(x + 1, y, c), im.Set(x - 1, y, c), im.Set(x, y + 1, c), im.Set(x, y - 1, c);
            }
        }
    }
    return im;
}

void Panel(Image& im, int x0, int y0, int x1, int y1, Rgb fill = kPaper) {
    FillRoundRect(im, x0 - 4, y0 - 4, x1 + 4, y1 + 4, 18, kInk);
    FillRoundRect(im, x0, y0, x1, y1, 14, fill);
}

// Draws a little house in cross-section from letters, one per 50 x 50 cell, as the game does.
void House(Image& im, int x0, int y0, const std::vector<std::string>& rows, const GameArt& a) {
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const Image* t = nullptr;
            switch (rows[r][c]) {
                case 'p':
                    t = &a.passage;
                    break;
                case 'w':
                    t = &a.wall;
                    break;
                case 'e':
                    t = &a.shaft;
                    break;
                case 'n':
                    t = &a.shaftTop;
                    break;
                case 'c':
                    t = &a.ceiling;
                    break;
                case 't':
                    t = &a.trampoline[0];
                    break;
                case 'd':
                    t = &a.doorClosed[0];
                    break;
                case 'D':
                    t = &a.doorOpen[1];
                    break;
                case 's':
                    t = &a.shockClosed[0];
                    break;
                case 'S':
                    t = &a.shockOpen[1];
                    break;
                case '1':
                case '2':
                case '3':
                case '4':
                case '5':
                    t = &a.item[rows[r][c] - '1'];
                    break;
                default:
                    break;
            }
            if (t) Paste(im, *t, x0 + int(c) * 50, y0 + int(r) * 50);
        }
}

// A figure standing with its feet on the floor of a storey whose top is at y.
void Stand(Image& im, const Image& sprite, int x, int rowTop, int scale = 1) {
    Image s = scale > 1 ? ScaleNearest(sprite, scale) : sprite;
    Paste(im, s, x, rowTop + 46 - 35 * scale);
}

void Roof(Image& im, int x0, int x1, int base, int peak) {
    int mid = (x0 + x1) / 2;
    FillPolygon(
        im, {{double(x0 - 16), double(base)}, {double(mid), double(peak)}, {double(x1 + 16), double(base)}},
        RgbHex(0x5a2a22));
    FillPolygon(im,
                {{double(x0 - 4), double(base - 6)},
                 {double(mid), double(peak + 10)},
                 {double(x1 + 4), double(base - 6)}},
                RgbHex(0x8e3e2e));
}

void Ground(Image& im, int y) {
    FillRect(im, 0, y, 800, 500, RgbHex(0x2f6b34));
    FillRect(im, 0, y, 800, y + 4, RgbHex(0x4f9a4a));
}

// A house with its roof; the bottom row of letters stands on the ground.
void HouseWithRoof(Image& im, int x0, int y0, const std::vector<std::string>& rows, const GameArt& a) {
    int w = int(rows[0].size()) * 50;
    Roof(im, x0, x0 + w, y0 + 6, y0 - 52);
    House(im, x0, y0, rows, a);
    FillRect(im, x0 - 16, y0 - 8, x0 + w + 16, y0 + 6, RgbHex(0x5a2a22));  // eaves over the loft
}

struct Box {
    int x0, y0, x1, y1;  // x1, y1 exclusive
    bool Meets(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

// The box a line of text (and its shadow) covers, with a margin around it.
Box TextBox(const std::string& text, int cx, int y, const TextStyle& st, int shadow, int margin) {
    const int w = TextWidth(text, st);
    return {cx - w / 2 - margin, y - margin, cx + w / 2 + shadow + margin,
            y + st.size * 6 / 5 + shadow + margin};
}

// Paper confetti for the win screen, the same scatter every time; no piece
// lands on the boxes to keep clear (the lettering).
void Confetti(Image& im, const Box& area, int count, const std::vector<Box>& keepClear) {
    const uint32_t colours[] = {0xff5a4a, 0xffd23f, 0x5ee0f0, 0x9a5ae8, 0x44c850, 0xffffff};
    uint32_t seed = 94;
    for (int placed = 0, tries = 0; placed < count && tries < 50 * count; ++tries) {
        seed = seed * 1103515245u + 12345u;
        int x = area.x0 + int((seed >> 8) % uint32_t(area.x1 - area.x0));
        seed = seed * 1103515245u + 12345u;
        int y = area.y0 + int((seed >> 8) % uint32_t(area.y1 - area.y0));
        bool tall = (seed >> 20) & 1;
        const Box piece{x, y, x + (tall ? 3 : 6), y + (tall ? 6 : 3)};
        bool clear = true;
        for (const Box& b : keepClear) clear = clear && !piece.Meets(b);
        if (!clear) continue;
        FillRect(im, piece.x0, piece.y0, piece.x1, piece.y1, RgbHex(colours[(seed >> 16) % 6]));
        ++placed;
    }
}

// A key cap with its label, as on the controls screen; its width.
int KeyCap(Image& im, const std::string& label, int x, int y) {
    TextStyle st = Style(15, kInk);
    int w = std::max(int(Assets::Controls.CapWidth), TextWidth(label, st) + 14);
    FillRoundRect(im, x, y + 3, x + w, y + Assets::Controls.CapHeight, 6, RgbHex(0x7c7a8c));
    FillRoundRect(im, x, y, x + w, y + 26, 6, RgbHex(0xe4e2ee));
    FillRoundRect(im, x + 2, y + 2, x + w - 2, y + 22, 4, kWhite);
    DrawTextCentered(im, label, x + w / 2, y + 3, st);
    return w;
}

Image StartScreen(const GameArt& a) {
    Image im = Sky(0x151a40, 0x4a3270);
    Ground(im, 470);
    HouseWithRoof(im, 390, 220, {"wccccccw", "wpnpp1pw", "w2epsp3w", "wdtp4ppw", "wwwwwwww"}, a);
    Stand(im, a.oskaRight1, 532, 270);
    Stand(im, Mirror(a.cat), 646, 370);
    Stand(im, a.cat, 648, 320);
    // The title on one line: a big KERBO, then the year on the same baseline.
    TextStyle big = Style(68, kGold), small = Style(34, kWhite);
    const std::string kerbo = "KERBO", anno = " anno 2011";
    int width = TextWidth(kerbo, big) + TextWidth(anno, small);
    while (width > 430) {
        big.size -= 2, small.size -= 1;
        width = TextWidth(kerbo, big) + TextWidth(anno, small);
    }
    int x = 575 - width / 2, y = 40;
    DrawTextShadow(im, kerbo, x, y, big, kInk, 6);
    DrawTextShadow(im, anno, x + TextWidth(kerbo, big), y + Ascent(big) - Ascent(small), small, kInk, 3);
    DrawTextCentered(im, "Collect every item, beware of the cats!", 575, 130,
                     Style(18, RgbHex(0xd8d0f0), Face::Sans));
    return im;
}

Image ControlsScreen(const GameArt& a) {
    Image im = Sky(0x151a40, 0x3a2a60);
    Panel(im, 340, 30, 770, 470);
    TextStyle bold = Style(15, kInk), body = Style(14, kInk, Face::Sans);
    DrawTextCentered(im, "Controls", 555, 40, Style(28, RgbHex(0x2b4cb0)));
    struct Row {
        std::vector<std::string> keys;
        std::string what, more;
    };
    // Every key the game knows, in play first, then in the menus.
    const Row rows[] = {
        {{"\u2190", "\u2192"}, "Walk; rising in a shaft,", "step off sideways."},
        {{"X"}, "Open or close a door;", "go on from a screen."},
        {{"P"}, "Pause; P or Esc resumes.", ""},
        {{"M"}, "Sound off and on.", ""},
        {{"F11"}, "Full screen and back", "(also Alt+Enter)."},
        {{"\u2191", "\u2193", "Tab"}, "Menus: from button", "to button."},
        {{"Enter", "Space"}, "Menus: choose.", ""},
        {{"Esc"}, "Back from the controls,", "scores and difficulty."},
        {{"\u232b"}, "Name: take a letter back;", "Enter ends the name."},
    };
    const Assets::ControlsRows& at = Assets::Controls;
    int y = at.CapsTop;
    for (const Row& r : rows) {
        int x = at.CapsX;
        for (auto& k : r.keys) x += KeyCap(im, k, x, y) + at.CapGap;
        const int tx = at.WordsX;
        if (r.more.empty()) {
            DrawText(im, r.what, tx, y + 4, bold);
        } else {
            DrawText(im, r.what, tx, y - 4, bold);
            DrawText(im, r.more, tx, y + 14, body);
        }
        y += at.RowStep;
    }
    // The gamepad, under the back button.
    TextStyle pad = Style(15, kWhite), padBody = Style(14, RgbHex(0xd8d0f0), Face::Sans);
    DrawText(im, "Gamepad", 60, 160, pad);
    DrawText(im, "D-pad or left stick: walk, and move", 60, 182, padBody);
    DrawText(im, "between menu buttons. A: X, and", 60, 200, padBody);
    DrawText(im, "choose in menus. Start: P.", 60, 218, padBody);
    // A corner of a house: a shaft with its trampoline, doors and items.
    const int hx = 60, hy = 250;
    House(im, hx, hy, {"ccccc", "pnp2p", "sepdp", "1tp4p"}, a);
    FrameRect(im, hx - 4, hy - 4, hx + 254, hy + 204, kInk, 4);
    Stand(im, a.oskaRight1, hx + 108, hy + 50);
    Stand(im, Mirror(a.cat), hx + 208, hy + 150);
    DrawText(im, "Drop down a shaft onto its trampoline.", 60, 462, Style(13, kWhite, Face::Sans));
    return im;
}

// The shipped game's story, or a pack's (no count of levels; the fourth
// line is the game's to fill in).
Image StoryScreen(const GameArt& a, bool pack) {
    Image im = Sky(0x151a40, 0x3a2a60);
    Panel(im, 50, 30, 750, 470);
    DrawTextCentered(im, "The story", 400, 44, Style(34, RgbHex(0x2b4cb0)));
    const char* lines[] = {
        "Oska is a boy with a red cap who lives in a tall old house.",
        "One night a gang of stray cats moved in. They prowl every storey,",
        "ride the lifts and pounce on anyone they meet.",
        "",
        pack ? "Oska wants his house back. In each level of this pack he must"
             : "Oska wants his house back. In each of the ten levels he must",
        "collect every item: apples, keys, gems, potions and stars.",
        "He drops down the shafts and bounces back up on the trampolines,",
        "which wear out after three bounces in a row.",
        "The shock doors send out a shock wave that sweeps the cats",
        "out of the house. But if a cat touches Oska, he loses a life.",
    };
    int y = 100;
    TextStyle st = Style(18, kInk, Face::Sans);
    for (const char* l : lines) {
        DrawText(im, l, 80, y, st);
        y += 28;
    }
    Stand(im, a.oskaRight1, 590, 400, 2);
    Stand(im, a.cat, 660, 400, 2);
    Paste(im, a.itemArt[4], 80, 400);
    TextStyle go = Style(24, RgbHex(0xc0392b));
    DrawText(im, "Press X to go on", 140, 406, go);
    return im;
}

Image AskNameScreen(const GameArt& a) {
    Image im = Sky(0x151a40, 0x3a2a60);
    Panel(im, 90, 60, 710, 440);
    DrawTextCentered(im, "What is your name?", 400, 86, Style(36, RgbHex(0x2b4cb0)));
    // A white field around the place where the game writes the name.
    const int nx = Assets::NameField.x, ny = Assets::NameField.y;
    TextStyle label = Style(22, kInk);
    DrawText(im, "Name:", nx - 26 - TextWidth("Name:", label), ny - 4, label);
    FillRect(im, nx - 14, ny - 14, nx + 210, ny + 30, kInk);
    FillRect(im, nx - 11, ny - 11, nx + 207, ny + 27, kWhite);
    TextStyle st = Style(18, kInk, Face::Sans);
    DrawTextCentered(im, "Type your name with the letter keys,", 400, 262, st);
    DrawTextCentered(im, "up to nine letters.", 400, 288, st);
    DrawTextCentered(im, "X ends the name: press X when you are done.", 400, 326,
                     Style(19, RgbHex(0xc0392b)));
    Stand(im, a.oskaRight1, 150, 168, 2);
    Stand(im, Mirror(a.cat), 590, 378, 1);
    return im;
}

Image HighScoreScreen(const GameArt& a) {
    Image im = Sky(0x151a40, 0x3a2a60);
    Title(im, "High scores", 400, 60, 46, kGold);
    Panel(im, 250, 175, 650, 410);
    // Each line of the table with an item beside it, a rule between the lines.
    const int* lineY = Assets::HighScoreLineY;
    FillRect(im, 270, lineY[0] + 48, 630, lineY[0] + 50, RgbHex(0xd8ccb0));
    FillRect(im, 270, lineY[1] + 48, 630, lineY[1] + 50, RgbHex(0xd8ccb0));
    Paste(im, a.itemArt[4], 200, lineY[0] - 10);
    Paste(im, a.itemArt[2], 200, lineY[1] - 10);
    Paste(im, a.itemArt[0], 200, lineY[2] - 10);
    Title(im, "Press X to return", 400, 440, 24, kWhite);
    return im;
}

// Pause, game over and win: two buttons on the left, a title and a little scene on the right.
Image BigTitleScreen(uint32_t top, uint32_t bottom, const std::string& title, Rgb colour,
                     const std::vector<std::string>& lines, const GameArt& a, int kind) {
    Image im = Sky(top, bottom);
    Ground(im, 470);
    const int cx = 565, titleSize = 64;
    const TextStyle lineStyle = Style(20, kWhite);
    if (kind == 2) {
        std::vector<Box> lettering = {
            TextBox(title, cx, 50, Style(titleSize, colour), titleSize / 14 + 2, 4)};
        for (size_t i = 0; i < lines.size(); ++i)
            lettering.push_back(TextBox(lines[i], cx, 140 + 28 * int(i), lineStyle, 0, 4));
        Confetti(im, {330, 10, 790, 340}, 120, lettering);
    }
    Title(im, title, cx, 50, titleSize, colour);
    int y = 140;
    for (auto& l : lines) {
        DrawTextCentered(im, l, cx, y, lineStyle);
        y += 28;
    }
    if (kind != 0) {  // game over and win: a card under the buttons where the game writes the score
        const int ex = Assets::EndScoreAt.x, ey = Assets::EndScoreAt.y;
        Panel(im, ex - 115, ey - 8, ex + 115, ey + Assets::EndLineStep + 24);
    }
    if (kind == 0) {  // pause: Oska and a cat, both frozen in their storey
        HouseWithRoof(im, 390, 250, {"wcccccw", "wppppDw", "wwwwwww"}, a);
        Stand(im, a.oskaRight1, 450, 300);
        Stand(im, a.cat, 590, 300);
        Ground(im, 400);
    } else if (kind == 1) {  // game over: the cats own the house
        HouseWithRoof(im, 415, 270, {"wcccccw", "wppdppw", "wpppppw", "wwwwwww"}, a);
        Stand(im, a.cat, 475, 320);
        Stand(im, Mirror(a.cat), 600, 320);
        Stand(im, Mirror(a.cat), 470, 370);
        Stand(im, a.cat, 560, 370);
        Stand(im, a.cat, 650, 370);
    } else {  // win: Oska with his loot, and confetti
        for (int i = 0; i < 5; ++i) Paste(im, a.itemArt[i], 400 + i * 70, 230);
        HouseWithRoof(im, 415, 370, {"wSpppSw", "wwwwwww"}, a);
        Stand(im, a.oskaRight1, 522, 370);
    }
    return im;
}
}  // namespace

void WriteScreens(const Output& out, const GameArt& a) {
    Write(out, Assets::StartScreen, StartScreen(a));
    Write(out, Assets::ControlsScreen, ControlsScreen(a));
    Write(out, Assets::StoryScreen, StoryScreen(a, false));
    Write(out, Assets::PackStoryScreen, StoryScreen(a, true));
    Write(out, Assets::NameScreen, AskNameScreen(a));
    Write(out, Assets::HighScoreScreen, HighScoreScreen(a));
    Write(out, Assets::PauseScreen,
          BigTitleScreen(0x10142e, 0x2a2450, "Pause", kWhite,
                         {"The cats will wait.", "Resume when you are ready."}, a, 0));
    Write(out, Assets::GameOverScreen,
          BigTitleScreen(0x1a0c14, 0x5a1a22, "Game over", RgbHex(0xff5a4a),
                         {"The cats have taken the house.", "Play again and win it back!"}, a, 1));
    Write(out, Assets::WinScreen,
          BigTitleScreen(0x1a3a7a, 0x7a5ab0, "You win!", kGold,
                         {"All ten levels cleared:", "the house is free of cats!"}, a, 2));
    Write(out, Assets::PackWinScreen,
          BigTitleScreen(0x1a3a7a, 0x7a5ab0, "You win!", kGold,
                         {"Every level of the pack cleared:", "the house is free of cats!"}, a, 2));
}

}  // namespace datagen
