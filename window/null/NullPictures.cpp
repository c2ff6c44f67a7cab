// The null platform's image files, with no files: the picture of a name is a
// square of one colour made from the name (at the size asked for, 32 x 32
// when none is), the same at every load. Tests that need a particular
// picture give it (Testing::GivePicture).
#include "window/LoadedPictures.h"
#include "window/VitrineTest.h"

#include <algorithm>
#include <map>
#include <string>
#include <tuple>

namespace Vitrine {
namespace detail {

namespace {

std::map<std::tuple<std::string, uint32_t, uint32_t>, std::shared_ptr<Pixels>> gMade;

// A colour (0x00BBGGRR) for a name: FNV-1a over its characters.
uint32_t ColourOfName(const std::string& name) {
    uint32_t hash = 2166136261u;
    for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
    return hash & 0xFFFFFF;
}

}  // namespace

std::shared_ptr<Pixels> LoadPixels(const char* file, uint32_t width, uint32_t height) {
    std::shared_ptr<Pixels>& made = gMade[{file, width, height}];
    if (!made) {
        Picture picture;
        picture.width = width == 0 ? 32 : std::min(width, kMaxSide);
        picture.height = height == 0 ? 32 : std::min(height, kMaxSide);
        picture.px.assign(size_t(picture.width) * picture.height, ColourOfName(file));
        made = KeepLoaded(std::move(picture));
    }
    return made;
}

void ForgetLoadedPixels() {
    gMade.clear();
}

}  // namespace detail

uint64_t Testing::BitmapDecodes() {
    return 0;  // no file is ever decoded
}

}  // namespace Vitrine
