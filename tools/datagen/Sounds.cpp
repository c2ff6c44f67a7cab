// The game's music and sound effects: every tune in tools/music becomes an MP3.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Data.h"
#include "Mp3.h"
#include "Synth.h"

namespace datagen {

void WriteSounds(const Output& out) {
    std::vector<std::filesystem::path> files;
    for (auto& e : std::filesystem::directory_iterator(out.srcDir + "/music"))
        if (e.path().extension() == ".txt") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (auto& f : files) {
        std::ifstream in(f);
        std::stringstream text;
        text << in.rdbuf();
        Tune tune = ParseTune(text.str(), f.filename().string());
        WriteMp3(out.dataDir + "/Music/" + f.stem().string() + ".MP3", Render(tune), tune.rate);
    }
}

}  // namespace datagen
