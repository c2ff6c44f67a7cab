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

    const uint32_t bed[4][2] = {
        {0x44c850, 0x26883a}, {0x3f86f2, 0x2452b0}, {0xffd42e, 0xc09a10}, {0xec3c3c, 0xa01f24}};
    Image tramp = Tile(book.Get("Trampoline"));
    for (int i = 0; i < 4; ++i) {
        Image t = Recolour(Recolour(tramp, RgbHex(0xff00ff), RgbHex(bed[i][0])), RgbHex(0xaa00aa),
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

void WriteGameImages(const Output& out, const GameArt& a) {
    const std::string dir = out.dataDir + "/Images/";
    auto sprite = [&](const std::string& name, const std::string& maskName, const Image& im) {
        WriteBmp24(dir + name + ".bmp", Flatten(im));
        WriteBmp1(dir + maskName + ".bmp", MaskOf(im));
    };
    Image left1 = Mirror(a.oskaRight1), left2 = Mirror(a.oskaRight2);
    sprite("OskaLeft1", "OskaLeftMask1", left1);
    sprite("OskaRight1", "OskaRightMask1", a.oskaRight1);
    sprite("OskaLeft2", "OskaLeftMask2", left2);
    sprite("OskaRight2", "OskaRightMask2", a.oskaRight2);
    sprite("Enemy", "EnemyMask", a.cat);
    sprite("WaveRight", "WaveRightMask", a.waveRight);
    sprite("WaveLeft", "WaveLeftMask", Mirror(a.waveRight));

    const char* colours[4] = {"Green", "Blue", "Yellow", "Red"};
    for (int i = 0; i < 4; ++i) WriteBmp24(dir + "Trampoline" + colours[i] + ".bmp", a.trampoline[i]);
    const char* hands[2] = {"Left", "Right"};
    for (int h = 0; h < 2; ++h) {
        WriteBmp24(dir + "Door" + hands[h] + "Open.bmp", a.doorOpen[h]);
        WriteBmp24(dir + "Door" + hands[h] + "Closed.bmp", a.doorClosed[h]);
        WriteBmp24(dir + "ShockDoor" + hands[h] + "Open.bmp", a.shockOpen[h]);
        WriteBmp24(dir + "ShockDoor" + hands[h] + "Closed.bmp", a.shockClosed[h]);
    }
    for (int i = 0; i < 5; ++i) WriteBmp24(dir + "Item" + std::to_string(i + 1) + ".bmp", a.item[i]);
    WriteBmp24(dir + "Passage.bmp", a.passage);
    WriteBmp24(dir + "Elevator.bmp", a.shaft);
    WriteBmp24(dir + "EndElevator.bmp", a.shaftTop);
    WriteBmp24(dir + "Ceiling.bmp", a.ceiling);
    WriteBmp24(dir + "Wall.bmp", a.wall);
}

}  // namespace datagen
