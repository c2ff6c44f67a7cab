// The parts of the generator: each writes its files under the data folder.
#pragma once

#include <string>

#include "Art.h"
#include "Image.h"
#include "game/Assets.h"

namespace datagen {

namespace Assets = KerboImplementation::Assets;

struct Output {
    std::string dataDir;  // the game's working directory
    std::string srcDir;   // tools/ of the source tree
};

// Where a file the game opens is written: images/ is the lower-case name of
// Images/ (a link the build makes), so every picture goes to Images/.
std::string PathOf(const Output& out, const char* file);
// Writes a picture or a mask (a 1-bit black-and-white BMP) the game opens.
void Write(const Output& out, const Assets::Image& asset, const Image& im);
void WriteMask(const Output& out, const Assets::Image& asset, const Image& im);

// Game pictures built from the art book, shared with the screens.
struct GameArt {
    Image oskaRight1, oskaRight2, cat, waveRight;                    // 35 x 35, see-through around the figure
    Image passage, wall, ceiling, shaft, shaftTop;                   // 50 x 50
    Image trampoline[4];                                             // green, blue, yellow, red
    Image doorClosed[2], doorOpen[2], shockClosed[2], shockOpen[2];  // [0] left hand, [1] right hand
    Image item[5];
    Image itemArt[5];  // the items alone, 34 x 34, for the screens
};

GameArt BuildGameArt(const ArtBook& book);
void WriteGameImages(const Output& out, const GameArt& art);
void WriteScreens(const Output& out, const GameArt& art);
void WriteButtons(const Output& out);
void WriteSounds(const Output& out);
// The program's icons as hicolor/<size>x<size>/apps/kerbo.png under `folder`.
void WriteIcons(const ArtBook& book, const std::string& folder);
// The window's icon and its mask, as the game opens them.
void WriteWindowIcon(const Output& out, const ArtBook& book);

}  // namespace datagen
