// The program's icon: Oska's head on a rounded square, drawn at 16 x 16 and
// enlarged by whole factors, so every size stays pixel art. The desktop's
// icons are PNG files; the window's own is a picture and a mask in the data folder.
#include <filesystem>

#include "Data.h"

namespace datagen {

namespace {

Image IconBase(const ArtBook& book) {
    Image base(16, 16, {}, false);
    FillRoundRect(base, 0, 0, 16, 16, 3, RgbHex(0x3f86f2));
    // The cap, face and collar of the standing figure (11 x 9 of its 17 x 17).
    Paste(base, Crop(book.Get("OskaRight1"), 4, 0, 11, 9), 2, 4);
    return base;
}

}  // namespace

void WriteIcons(const ArtBook& book, const std::string& folder) {
    const Image base = IconBase(book);
    for (int size : {32, 48, 64, 128, 256}) {
        const std::string dir =
            folder + "/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::filesystem::create_directories(dir);
        WritePng(dir + "/kerbo.png", ScaleNearest(base, size / 16));
    }
}

void WriteWindowIcon(const Output& out, const ArtBook& book) {
    const Image icon = ScaleNearest(IconBase(book), int(Assets::WindowIcon.width) / 16);
    Write(out, Assets::WindowIcon, icon);
    WriteMask(out, Assets::WindowIconMask, MaskOf(icon));
}

}  // namespace datagen
