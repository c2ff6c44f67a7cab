// The game screen's pictures: Oska, the cat, the shock waves and the house tiles.
#include "Data.h"

namespace datagen {

namespace {
// A figure drawn at half size becomes a 35 x 35 sprite standing on its bottom row.
Image Sprite(const Image& art) {
    Image out(35, 35, {}, false);
    Paste(out, ScaleNearest(art, 2), 1, 1);
    return out;
}

Image Tile(const Image& art) {
    return ScaleNearest(art, 2);
}

Image Over(const Image& base, const Image& overlay) {
    Image out = base;
    Paste(out, overlay, 0, 0);
    return out;
}

Image Recolour(const Image& im, Rgb from, Rgb to) {
    Image out = im;
    for (auto& c : out.px)
        if (c.r == from.r && c.g == from.g && c.b == from.b) c = to;
    return out;
}

// Sprites are stored over black; the mask decides what is drawn.
Image Flatten(const Image& sprite) {
    Image out(sprite.w, sprite.h);
    Paste(out, sprite, 0, 0);
    return out;
}
}  // namespace

GameArt BuildGameArt(const ArtBook& book) {
    GameArt a;
    a.oskaRight1 = Sprite(book.Get("OskaRight1"));
    a.oskaRight2 = Sprite(book.Get("OskaRight2"));
    a.cat = Sprite(book.Get("Cat"));
    a.waveRight = Sprite(book.Get("WaveRight"));
    a.passage = Tile(book.Get("Passage"));
    a.wall = Tile(book.Get("Wall"));
    a.ceiling = Tile(book.Get("Ceiling"));
    a.shaft = Tile(book.Get("Shaft"));
    a.shaftTop = Tile(book.Get("ShaftTop"));

    // Resting, then after one, two and three bounces in a row: a colour each,
    // and as many bounce marks in the upper box of the frame.
    const uint32_t bed[4][2] = {
        {0x44c850, 0x26883a}, {0x3f86f2, 0x2452b0}, {0xffd42e, 0xc09a10}, {0xec3c3c, 0xa01f24}};
    const Image& mark = book.Get("BounceMark");
    constexpr int boxX = 5, boxW = 15, boxY = 10;  // the box's inside, in the art's pixels
    for (int i = 0; i < 4; ++i) {
        Image art = book.Get("Trampoline");
        const int marksW = i * (mark.w + 1) - 1;
        for (int m = 0; m < i; ++m) Paste(art, mark, boxX + (boxW - marksW) / 2 + m * (mark.w + 1), boxY);
        Image t = Recolour(Recolour(Tile(art), RgbHex(0xff00ff), RgbHex(bed[i][0])), RgbHex(0xaa00aa),
                           RgbHex(bed[i][1]));
        a.trampoline[i] = Over(a.shaft, t);
    }

    const char* doorArt[4] = {"DoorClosed", "DoorOpen", "ShockDoorClosed", "ShockDoorOpen"};
    Image* doorOut[4] = {a.doorClosed, a.doorOpen, a.shockClosed, a.shockOpen};
    for (int d = 0; d < 4; ++d) {
        Image left = Tile(book.Get(doorArt[d]));
        doorOut[d][0] = Over(a.passage, left);
        doorOut[d][1] = Over(a.passage, Mirror(left));
    }

    for (int i = 0; i < 5; ++i) {
        Image item = ScaleNearest(book.Get("Item" + std::to_string(i + 1)), 2);
        a.itemArt[i] = item;
        a.item[i] = a.passage;
        Paste(a.item[i], item, 8, 12);  // resting on the floor boards
    }
    return a;
}

std::string PathOf(const Output& out, const char* file) {
    std::string path = file;
    if (path.rfind("images/", 0) == 0) path.replace(0, 6, "Images");
    return out.dataDir + "/" + path;
}

void Write(const Output& out, const Assets::Image& asset, const Image& im) {
    WriteBmp24(PathOf(out, asset.file), im);
}

void WriteMask(const Output& out, const Assets::Image& asset, const Image& im) {
    WriteBmp1(PathOf(out, asset.file), im);
}

void WriteGameImages(const Output& out, const GameArt& a) {
    auto sprite = [&](const Assets::Image& picture, const Assets::Image& mask, const Image& im) {
        Write(out, picture, Flatten(im));
        WriteMask(out, mask, MaskOf(im));
    };
    sprite(Assets::OskaLeft1, Assets::OskaLeftMask1, Mirror(a.oskaRight1));
    sprite(Assets::OskaRight1, Assets::OskaRightMask1, a.oskaRight1);
    sprite(Assets::OskaLeft2, Assets::OskaLeftMask2, Mirror(a.oskaRight2));
    sprite(Assets::OskaRight2, Assets::OskaRightMask2, a.oskaRight2);
    sprite(Assets::Enemy, Assets::EnemyMask, a.cat);
    sprite(Assets::WaveRight, Assets::WaveRightMask, a.waveRight);
    sprite(Assets::WaveLeft, Assets::WaveLeftMask, Mirror(a.waveRight));

    const Assets::Image trampolines[4] = {Assets::TrampolineGreen, Assets::TrampolineBlue,
                                          Assets::TrampolineYellow, Assets::TrampolineRed};
    for (int i = 0; i < 4; ++i) Write(out, trampolines[i], a.trampoline[i]);
    Write(out, Assets::DoorLeftOpen, a.doorOpen[0]);
    Write(out, Assets::DoorLeftClosed, a.doorClosed[0]);
    Write(out, Assets::ShockDoorLeftOpen, a.shockOpen[0]);
    Write(out, Assets::ShockDoorLeftClosed, a.shockClosed[0]);
    Write(out, Assets::DoorRightOpen, a.doorOpen[1]);
    Write(out, Assets::DoorRightClosed, a.doorClosed[1]);
    Write(out, Assets::ShockDoorRightOpen, a.shockOpen[1]);
    Write(out, Assets::ShockDoorRightClosed, a.shockClosed[1]);
    const Assets::Image items[5] = {Assets::Item1, Assets::Item2, Assets::Item3, Assets::Item4,
                                    Assets::Item5};
    for (int i = 0; i < 5; ++i) Write(out, items[i], a.item[i]);
    Write(out, Assets::Passage, a.passage);
    Write(out, Assets::Elevator, a.shaft);
    Write(out, Assets::EndElevator, a.shaftTop);
    Write(out, Assets::Ceiling, a.ceiling);
    Write(out, Assets::Wall, a.wall);
}

}  // namespace datagen
