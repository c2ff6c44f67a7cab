// The program's icon: Oska's head on a rounded square, drawn at 16 x 16 and
// enlarged by whole factors, so every size stays pixel art.
#include <filesystem>

#include "Data.h"

namespace datagen {

void WriteIcons(const ArtBook& book, const std::string& folder) {
    Image base(16, 16, {}, false);
    FillRoundRect(base, 0, 0, 16, 16, 3, RgbHex(0x3f86f2));
    // The cap, face and collar of the standing figure (11 x 9 of its 17 x 17).
    Paste(base, Crop(book.Get("OskaRight1"), 4, 0, 11, 9), 2, 4);
    for (int size : {32, 48, 64, 128, 256}) {
        const std::string dir =
            folder + "/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::filesystem::create_directories(dir);
        WritePng(dir + "/kerbo.png", ScaleNearest(base, size / 16));
    }
}

}  // namespace datagen
