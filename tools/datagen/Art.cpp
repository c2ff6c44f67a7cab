// Reading the pixel art: palettes and pictures written as text; see Art.h.
#include "Art.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace datagen {

namespace {
std::string StripComment(const std::string& line) {
    auto p = line.find('#');
    std::string s = p == std::string::npos ? line : line.substr(0, p);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\t')) s.pop_back();
    return s;
}
}  // namespace

void ArtBook::LoadFolder(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    for (auto& e : std::filesystem::directory_iterator(folder))
        if (e.path().extension() == ".txt") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (auto& f : files) {
        std::ifstream in(f);
        std::stringstream ss;
        ss << in.rdbuf();
        LoadText(ss.str(), f.filename().string());
    }
}

void ArtBook::LoadText(const std::string& text, const std::string& origin) {
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    auto fail = [&](const std::string& what) {
        throw std::runtime_error(origin + ":" + std::to_string(lineNo) + ": " + what);
    };
    enum { Top, Palette, Art } mode = Top;
    std::string name;
    int w = 0, h = 0;
    std::vector<std::string> rows;
    while (std::getline(in, raw)) {
        ++lineNo;
        if (mode == Art) {
            // Art rows keep '#' out of the character set, so comments work here too.
            std::string row = StripComment(raw);
            if (row == "end") {
                if (int(rows.size()) != h)
                    fail(name + ": " + std::to_string(rows.size()) + " rows, expected " + std::to_string(h));
                Image im(w, h, {}, false);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < int(rows[y].size()); ++x) {
                        char c = rows[y][x];
                        if (c == '.' || c == ' ') continue;
                        auto it = palette_.find(c);
                        if (it == palette_.end())
                            fail(name + ": colour '" + std::string(1, c) + "' not in the palette");
                        im.Set(x, y, it->second);
                    }
                arts_[name] = im;
                mode = Top;
                continue;
            }
            if (int(row.size()) > w) fail(name + ": row wider than " + std::to_string(w));
            rows.push_back(row);
            continue;
        }
        std::string line = StripComment(raw);
        std::istringstream words(line);
        std::string first;
        if (!(words >> first)) continue;
        if (mode == Palette) {
            if (first == "end") {
                mode = Top;
                continue;
            }
            std::string hex;
            if (first.size() != 1 || !(words >> hex) || hex.size() != 6)
                fail("palette entry: <char> <rrggbb>");
            palette_[first[0]] = RgbHex(uint32_t(std::stoul(hex, nullptr, 16)));
        } else if (first == "palette") {
            mode = Palette;
        } else if (first == "art") {
            if (!(words >> name >> w >> h) || w <= 0 || h <= 0) fail("art <name> <width> <height>");
            if (arts_.count(name)) fail(name + " defined twice");
            rows.clear();
            mode = Art;
        } else {
            fail("unexpected '" + first + "'");
        }
    }
    if (mode != Top) fail("missing 'end'");
}

const Image& ArtBook::Get(const std::string& name) const {
    auto it = arts_.find(name);
    if (it == arts_.end()) throw std::runtime_error("no art named " + name);
    return it->second;
}

}  // namespace datagen
