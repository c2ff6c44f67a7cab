// The bitmap table's pictures from BMP files (read by Bmp.cpp): found by a
// name that may differ in case, decoded once while the window is open and
// read again when the file changes.
#include "window/Bmp.h"
#include "window/FindFile.h"
#include "window/LoadedPictures.h"
#include "window/VitrineTest.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>

namespace Vitrine {
namespace detail {

namespace {

namespace fs = std::filesystem;

// Decoded files by (path, width, height), with the file's modification time
// when it was read: a changed file is read again, in place of the old copy.
using LoadKey = std::tuple<std::string, uint32_t, uint32_t>;
struct Decoded {
    int64_t stamp = 0;
    std::shared_ptr<Pixels> pixels;
};
std::map<LoadKey, Decoded> gLoaded;

// Says why a picture could not be loaded, once per file: the game goes on
// without it (a black square), and loads it again at every use.
void ReportUnloadable(const std::string& path, const std::string& why) {
    static std::set<std::string> told;
    if (told.insert(path).second) {
        std::fprintf(stderr, "kerbo: %s: %s; the picture is left out.\n", path.c_str(), why.c_str());
    }
}

}  // namespace

std::shared_ptr<Pixels> LoadPixels(const char* file, uint32_t width, uint32_t height) {
    std::string path = FindFile(file);
    std::error_code error;
    auto stamp = fs::last_write_time(path, error);
    if (error) {
        ReportUnloadable(path, error.message());
        return nullptr;
    }
    const int64_t when = int64_t(stamp.time_since_epoch().count());
    LoadKey key{path, width, height};
    if (auto known = gLoaded.find(key); known != gLoaded.end() && known->second.stamp == when) {
        return known->second.pixels;
    }
    std::string why;
    std::optional<Picture> picture = ReadBmp(path, width, height, &why);
    if (!picture) {
        gLoaded.erase(key);
        ReportUnloadable(path, why);
        return nullptr;
    }
    auto pixels = KeepLoaded(std::move(*picture));
    gLoaded[key] = Decoded{when, pixels};
    return pixels;
}

void ForgetLoadedPixels() {
    gLoaded.clear();
}

}  // namespace detail

uint64_t Testing::BitmapDecodes() {
    return detail::BmpDecodes();
}

}  // namespace Vitrine
