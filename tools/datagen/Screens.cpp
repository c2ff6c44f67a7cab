// Full-window screens, menu buttons and the difficulty selector's pieces.
#include <cstdint>
#include <string>
#include <vector>

#include "Data.h"
#include "Text.h"

namespace datagen {

namespace {
const Rgb kInk = RgbHex(0x1c1a28);
const Rgb kPaper = RgbHex(0xf6eedb);
const Rgb kWhite = RgbHex(0xffffff);
const Rgb kGold = RgbHex(0xffd23f);

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

// Paper confetti for the win screen, the same scatter every time.
void Confetti(Image& im, int x0, int y0, int x1, int y1, int count) {
    const uint32_t colours[] = {0xff5a4a, 0xffd23f, 0x5ee0f0, 0x9a5ae8, 0x44c850, 0xffffff};
    uint32_t seed = 94;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        int x = x0 + int((seed >> 8) % uint32_t(x1 - x0));
        seed = seed * 1103515245u + 12345u;
        int y = y0 + int((seed >> 8) % uint32_t(y1 - y0));
        bool tall = (seed >> 20) & 1;
        FillRect(im, x, y, x + (tall ? 3 : 6), y + (tall ? 6 : 3), RgbHex(colours[(seed >> 16) % 6]));
    }
}

TextStyle Style(int size, Rgb color, Face face = Face::SansBold) {
    return TextStyle{face, size, color};
}

void Title(Image& im, const std::string& text, int cx, int y, int size, Rgb color) {
    TextStyle st = Style(size, color);
    DrawTextShadow(im, text, cx - TextWidth(text, st) / 2, y, st, kInk, size / 14 + 2);
}

// A key cap with its label, as on the controls screen.
int KeyCap(Image& im, const std::string& label, int x, int y) {
    TextStyle st = Style(20, kInk);
    int w = std::max(40, TextWidth(label, st) + 20);
    FillRoundRect(im, x, y + 3, x + w, y + 43, 7, RgbHex(0x7c7a8c));
    FillRoundRect(im, x, y, x + w, y + 38, 7, RgbHex(0xe4e2ee));
    FillRoundRect(im, x + 3, y + 3, x + w - 3, y + 33, 5, kWhite);
    DrawTextCentered(im, label, x + w / 2, y + 6, st);
    return w;
}

// Menu buttons: square-cornered (they are drawn without a mask), with a bevel.
Image Button(const std::string& label, int w, int h, bool over) {
    Image im(w, h);
    Rgb top = over ? RgbHex(0xffc84a) : RgbHex(0x5b8cf0);
    Rgb bottom = over ? RgbHex(0xe8792a) : RgbHex(0x2b4cb0);
    FillRect(im, 0, 0, w, h, kInk);
    VerticalGradient(im, 3, 3, w - 3, h - 3, top, bottom);
    FillRect(im, 3, 3, w - 3, 6, Mix(top, kWhite, 0.55));
    FillRect(im, 3, h - 6, w - 3, h - 3, Mix(bottom, kInk, 0.35));
    int size = h * 2 / 5;
    TextStyle st = Style(size, kWhite);
    while (TextWidth(label, st) > w - 24) st.size = --size;
    int y = (h - (Ascent(st) + size / 5)) / 2;
    int x = (w - TextWidth(label, st)) / 2;
    DrawTextShadow(im, label, x, y, st, Mix(bottom, kInk, 0.6), 2);
    return im;
}

// The selector's arrows: a triangle in a tall rounded frame, pointing left or right.
Image Arrow(bool right, bool over, bool mask) {
    Image im(50, 100);
    Rgb frame = mask ? kWhite : kInk;
    Rgb fill = mask ? kWhite : over ? RgbHex(0xffb03a) : RgbHex(0x4a7de8);
    FillRoundRect(im, 0, 0, 50, 100, 12, frame);
    if (!mask) {
        FillRoundRect(im, 3, 3, 47, 97, 10, Mix(fill, kWhite, 0.25));
        std::vector<std::pair<double, double>> tri =
            right ? std::vector<std::pair<double, double>>{{14, 24}, {40, 50}, {14, 76}}
                  : std::vector<std::pair<double, double>>{{36, 24}, {10, 50}, {36, 76}};
        FillPolygon(im, tri, kInk);
        for (auto& p : tri) p.first += right ? -1.5 : 1.5;
        std::vector<std::pair<double, double>> inner = tri;
        // Shrink the triangle a little towards its centre for the coloured face.
        double cx = (tri[0].first + tri[1].first + tri[2].first) / 3, cy = 50;
        for (auto& p : inner) p = {cx + (p.first - cx) * 0.72, cy + (p.second - cy) * 0.72};
        FillPolygon(im, inner, fill);
    }
    if (mask) {
        for (auto& c : im.px) c = c.r >= 128 ? kWhite : Rgb{};
    }
    return im;
}

Image Badge(const std::string& label, uint32_t colour, int chevrons, bool mask) {
    Image im(200, 100);
    FillRoundRect(im, 0, 0, 200, 100, 20, mask ? kWhite : kInk);
    if (mask) {
        for (auto& c : im.px) c = c.r >= 128 ? kWhite : Rgb{};
        return im;
    }
    Rgb c = RgbHex(colour);
    FillRoundRect(im, 4, 4, 196, 96, 17, Mix(c, kWhite, 0.2));
    VerticalGradient(im, 10, 50, 190, 90, c, Mix(c, kInk, 0.25));
    FillRoundRect(im, 10, 10, 190, 52, 10, Mix(c, kWhite, 0.45));
    Title(im, label, 100, 14, 28, kWhite);
    // Speed marks: one, two or three chevrons.
    int total = chevrons * 22 - 6, x = 100 - total / 2;
    for (int i = 0; i < chevrons; ++i, x += 22) {
        FillPolygon(im,
                    {{double(x), 58},
                     {double(x + 10), 58},
                     {double(x + 18), 72},
                     {double(x + 10), 86},
                     {double(x), 86},
                     {double(x + 8), 72}},
                    kInk);
        FillPolygon(im,
                    {{double(x + 2), 61},
                     {double(x + 9), 61},
                     {double(x + 15), 72},
                     {double(x + 9), 83},
                     {double(x + 2), 83},
                     {double(x + 8), 72}},
                    kWhite);
    }
    return im;
}

void Write(const Output& out, const std::string& name, const Image& im) {
    WriteBmp24(out.dataDir + "/Images/" + name, im);
}
void WriteMask(const Output& out, const std::string& name, const Image& im) {
    WriteBmp1(out.dataDir + "/Images/" + name, im);
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
    Panel(im, 340, 40, 770, 460);
    TextStyle body = Style(17, kInk, Face::Sans), bold = Style(17, kInk);
    DrawTextCentered(im, "Controls", 555, 58, Style(30, RgbHex(0x2b4cb0)));
    struct Row {
        std::vector<std::string> keys;
        std::string what, more;
    };
    const Row rows[] = {
        {{"\u2190", "\u2192"}, "Walk left and right.", ""},
        {{"\u2190", "\u2192"}, "Rising in a shaft: step off", "sideways onto a storey."},
        {{"X"}, "Open or close the door", "you are standing in."},
        {{"X"}, "Go on: story, name entry", "and high scores."},
        {{"P"}, "Pause the game.", ""},
    };
    int y = 112;
    for (const Row& r : rows) {
        int x = 366;
        for (auto& k : r.keys) x += KeyCap(im, k, x, y) + 8;
        DrawText(im, r.what, 480, y + (r.more.empty() ? 9 : 0), r.more.empty() ? bold : bold);
        if (!r.more.empty()) DrawText(im, r.more, 480, y + 20, body);
        y += 62;
    }
    DrawText(im, "Fall down a shaft to reach the trampoline below.", 366, 424, Style(14, kInk, Face::Sans));
    // A corner of a house: a shaft with its trampoline, doors and items.
    const int hx = 60, hy = 236;
    House(im, hx, hy, {"ccccc", "pnp2p", "sepdp", "1tp4p"}, a);
    FrameRect(im, hx - 4, hy - 4, hx + 254, hy + 204, kInk, 4);
    Stand(im, a.oskaRight1, hx + 108, hy + 50);
    Stand(im, Mirror(a.cat), hx + 208, hy + 150);
    return im;
}

Image StoryScreen(const GameArt& a) {
    Image im = Sky(0x151a40, 0x3a2a60);
    Panel(im, 50, 30, 750, 470);
    DrawTextCentered(im, "The story", 400, 44, Style(34, RgbHex(0x2b4cb0)));
    const char* lines[] = {
        "Oska is a boy with a red cap who lives in a tall old house.",
        "One night a gang of stray cats moved in. They prowl every storey,",
        "ride the lifts and pounce on anyone they meet.",
        "",
        "Oska wants his house back. In each of the ten levels he must",
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
    // The game writes the name at (480, 200): a white field around it.
    TextStyle label = Style(22, kInk);
    DrawText(im, "Name:", 454 - TextWidth("Name:", label), 196, label);
    FillRect(im, 466, 186, 690, 230, kInk);
    FillRect(im, 469, 189, 687, 227, kWhite);
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
    FillRect(im, 270, 258, 630, 260, RgbHex(0xd8ccb0));
    FillRect(im, 270, 338, 630, 340, RgbHex(0xd8ccb0));
    Paste(im, a.itemArt[4], 200, 200);
    Paste(im, a.itemArt[2], 200, 280);
    Paste(im, a.itemArt[0], 200, 360);
    Title(im, "Press X to return", 400, 440, 24, kWhite);
    return im;
}

// Pause, game over and win: two buttons on the left, a title and a little scene on the right.
Image BigTitleScreen(uint32_t top, uint32_t bottom, const std::string& title, Rgb colour,
                     const std::vector<std::string>& lines, const GameArt& a, int kind) {
    Image im = Sky(top, bottom);
    Ground(im, 470);
    if (kind == 2) Confetti(im, 330, 10, 790, 340, 120);
    const int cx = 565;
    Title(im, title, cx, 50, 64, colour);
    int y = 140;
    for (auto& l : lines) {
        DrawTextCentered(im, l, cx, y, Style(20, kWhite));
        y += 28;
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
    Write(out, "background.bmp", StartScreen(a));
    Write(out, "Controls.bmp", ControlsScreen(a));
    Write(out, "storybackground.bmp", StoryScreen(a));
    Write(out, "asknamebackground.bmp", AskNameScreen(a));
    Write(out, "highscorebackground.bmp", HighScoreScreen(a));
    Write(out, "pausebackground.bmp",
          BigTitleScreen(0x10142e, 0x2a2450, "Pause", kWhite,
                         {"The cats will wait.", "Resume when you are ready."}, a, 0));
    Write(out, "gameoverbackground.bmp",
          BigTitleScreen(0x1a0c14, 0x5a1a22, "Game over", RgbHex(0xff5a4a),
                         {"The cats have taken the house.", "Play again and win it back!"}, a, 1));
    Write(out, "youwinbackground.bmp",
          BigTitleScreen(0x1a3a7a, 0x7a5ab0, "You win!", kGold,
                         {"All ten levels cleared:", "the house is free of cats!"}, a, 2));

    const struct {
        const char* file;
        const char* label;
    } buttons[] = {{"play", "Play"},
                   {"difficulty", "Difficulty"},
                   {"controls", "Controls"},
                   {"highscores", "High scores"},
                   {"quit", "Quit"},
                   {"resume", "Resume"},
                   {"quittomenu", "Quit to menu"},
                   {"retry", "Play again"},
                   {"back", "Back"}};
    for (auto& b : buttons) {
        Write(out, std::string(b.file) + "0.bmp", Button(b.label, 250, 75, false));
        Write(out, std::string(b.file) + "1.bmp", Button(b.label, 250, 75, true));
    }
    // The selector shows back0/back1 at 200 x 100; its mask only trims the corners.
    WriteMask(out, "back_mask.bmp", RoundRectMask(200, 100, 6));
    Write(out, "down.bmp", Arrow(false, false, false));
    Write(out, "down1.bmp", Arrow(false, true, false));
    WriteMask(out, "down_mask.bmp", Arrow(false, false, true));
    Write(out, "up.bmp", Arrow(true, false, false));
    Write(out, "up1.bmp", Arrow(true, true, false));
    WriteMask(out, "up_mask.bmp", Arrow(true, false, true));
    const struct {
        const char* file;
        const char* label;
        uint32_t colour;
    } levels[] = {{"easy", "EASY", 0x3fae4a}, {"medium", "MEDIUM", 0xe8a21f}, {"hard", "HARD", 0xd8383a}};
    for (int i = 0; i < 3; ++i) {
        Write(out, std::string(levels[i].file) + ".bmp",
              Badge(levels[i].label, levels[i].colour, i + 1, false));
        WriteMask(out, std::string(levels[i].file) + "_mask.bmp",
                  Badge(levels[i].label, levels[i].colour, i + 1, true));
    }
}

}  // namespace datagen
