// The menus' buttons and the difficulty selector's arrows and pictures.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Data.h"
#include "Look.h"
#include "Text.h"

namespace datagen {

namespace {

// The lettering's size on the menus' buttons (250 x 75).
int LabelSize(int h) {
    return h * 2 / 5;
}

// Menu buttons: square-cornered (they are drawn without a mask), with a bevel;
// the label at `size` pixels, made smaller when it is too wide.
Image Button(const std::string& label, int w, int h, bool over, int size) {
    Image im(w, h);
    Rgb top = over ? RgbHex(0xffc84a) : RgbHex(0x5b8cf0);
    Rgb bottom = over ? RgbHex(0xe8792a) : RgbHex(0x2b4cb0);
    FillRect(im, 0, 0, w, h, kInk);
    VerticalGradient(im, 3, 3, w - 3, h - 3, top, bottom);
    FillRect(im, 3, 3, w - 3, 6, Mix(top, kWhite, 0.55));
    FillRect(im, 3, h - 6, w - 3, h - 3, Mix(bottom, kInk, 0.35));
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

}  // namespace

void WriteButtons(const Output& out) {
    const struct {
        Assets::Button button;
        const char* label;
    } buttons[] = {{Assets::PlayButton, "Play"},
                   {Assets::DifficultyButton, "Difficulty"},
                   {Assets::ControlsButton, "Controls"},
                   {Assets::HighScoresButton, "High scores"},
                   {Assets::QuitButton, "Quit"},
                   {Assets::ResumeButton, "Resume"},
                   {Assets::QuitToMenuButton, "Quit to menu"},
                   {Assets::RetryButton, "Play again"},
                   {Assets::BackButton, "Back"},
                   {Assets::EditorButton, "Level editor"},
                   {Assets::PacksButton, "Packs"},
                   {Assets::SettingsButton, "Settings"}};
    for (auto& b : buttons) {
        const Assets::Image& normal = b.button.normal;
        const int w = int(normal.width), h = int(normal.height);
        Write(out, normal, Button(b.label, w, h, false, LabelSize(h)));
        Write(out, b.button.over, Button(b.label, w, h, true, LabelSize(h)));
    }
    // The selector's back button has pictures of its own size, lettered like
    // the menus' buttons; its mask only trims the corners.
    const Assets::Image& back = Assets::SelectorBack.normal;
    const int backLabel = LabelSize(int(Assets::BackButton.normal.height));
    Write(out, back, Button("Back", int(back.width), int(back.height), false, backLabel));
    Write(out, Assets::SelectorBack.over, Button("Back", int(back.width), int(back.height), true, backLabel));
    const Assets::Image& backMask = Assets::SelectorBack.mask;
    WriteMask(out, backMask, RoundRectMask(int(backMask.width), int(backMask.height), 6));
    Write(out, Assets::DownArrow.normal, Arrow(false, false, false));
    Write(out, Assets::DownArrow.over, Arrow(false, true, false));
    WriteMask(out, Assets::DownArrow.mask, Arrow(false, false, true));
    Write(out, Assets::UpArrow.normal, Arrow(true, false, false));
    Write(out, Assets::UpArrow.over, Arrow(true, true, false));
    WriteMask(out, Assets::UpArrow.mask, Arrow(true, false, true));
    const struct {
        Assets::Image picture, mask;
        const char* label;
        uint32_t colour;
    } levels[] = {{Assets::Easy, Assets::EasyMask, "EASY", 0x3fae4a},
                  {Assets::Medium, Assets::MediumMask, "MEDIUM", 0xe8a21f},
                  {Assets::Hard, Assets::HardMask, "HARD", 0xd8383a}};
    for (int i = 0; i < 3; ++i) {
        Write(out, levels[i].picture, Badge(levels[i].label, levels[i].colour, i + 1, false));
        WriteMask(out, levels[i].mask, Badge(levels[i].label, levels[i].colour, i + 1, true));
    }
}

}  // namespace datagen
