// The program replaying a recording, as `kerbo --replay` does, while it
// writes down every played frame: the keys the rules saw (left, right, X, P)
// and a hash of the whole rule state after the frame. Compared with a
// committed trace, it finds the first frame at which a change of the code
// changed the game.
//
//   state_trace --trace FILE [--write] [--dump FILE] --replay RECORDING ...
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "game/Options.h"
#include "game/StateDump.h"
#include "window/Vitrine.h"

namespace {

using namespace KerboImplementation;

std::vector<std::string> gLines;
std::string gKeys;
std::ofstream gDump;

std::string Keys() {
    std::string keys;
    for (uint32_t key : {Vitrine::KEY_LEFT, Vitrine::KEY_RIGHT, Vitrine::KEY_X, Vitrine::KEY_P})
        keys += Vitrine::KeyDown(key) ? '1' : '0';
    return keys;
}

void Watch(bool frameEnd) {
    if (!frameEnd) {
        gKeys = Keys();
        return;
    }
    const std::string state = DumpState();
    char hash[16];
    std::snprintf(hash, sizeof hash, "%08x", DumpHash(state));
    gLines.push_back(gKeys + " " + hash);
    if (gDump.is_open()) gDump << "frame " << gLines.size() << " " << gLines.back() << "\n" << state;
}

}  // namespace

int main(int argc, char** argv) {
    std::string trace, dump;
    bool write = false;
    std::vector<char*> args{argv[0]};
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--trace") == 0 && k + 1 < argc) {
            trace = argv[++k];
        } else if (std::strcmp(argv[k], "--dump") == 0 && k + 1 < argc) {
            dump = argv[++k];
        } else if (std::strcmp(argv[k], "--write") == 0) {
            write = true;
        } else {
            args.push_back(argv[k]);
        }
    }
    if (trace.empty()) {
        std::cerr << "usage: state_trace --trace FILE [--write] [--dump FILE] --replay RECORDING\n";
        return 2;
    }
    if (!dump.empty()) gDump.open(dump);
    SetFrameWatcher(Watch);
    const int status = RunProgram(static_cast<int>(args.size()), args.data());
    if (write) {
        std::ofstream out(trace);
        for (const std::string& line : gLines) out << line << "\n";
        return out ? status : 1;
    }
    std::ifstream in(trace);
    std::string line;
    std::size_t frame = 0;
    while (std::getline(in, line)) {
        if (frame >= gLines.size()) {
            std::cerr << "state_trace: the run played " << frame << " frames, the trace has more\n";
            return 1;
        }
        if (line != gLines[frame]) {
            std::cerr << "state_trace: frame " << frame + 1 << " differs: traced '" << line << "', now '"
                      << gLines[frame] << "'\n";
            return 1;
        }
        ++frame;
    }
    if (frame != gLines.size()) {
        std::cerr << "state_trace: the run played " << gLines.size() << " frames, the trace " << frame
                  << "\n";
        return 1;
    }
    std::cerr << "state_trace: all " << frame << " played frames as traced\n";
    return status;
}
