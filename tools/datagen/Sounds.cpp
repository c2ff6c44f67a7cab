// The game's music and sound effects: each sound the game plays is made from
// the tune of the same name in tools/music.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Data.h"
#include "Mp3.h"
#include "Synth.h"

namespace datagen {

void WriteSounds(const Output& out) {
    for (const Assets::Sound& sound : Assets::AllSounds) {
        const std::filesystem::path file = out.dataDir + "/" + sound.file;
        const std::filesystem::path source = out.srcDir + "/music/" + file.stem().string() + ".txt";
        std::ifstream in(source);
        if (!in) throw std::runtime_error(source.string() + ": no such tune");
        std::stringstream text;
        text << in.rdbuf();
        Tune tune = ParseTune(text.str(), source.filename().string());
        WriteMp3(file.string(), Render(tune), tune.rate);
    }
}

}  // namespace datagen
