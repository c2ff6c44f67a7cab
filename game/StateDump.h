// The rule state written out in full as text, one field after the other, so
// that two runs (or two versions of the rules) can be compared frame by frame
// and the first field that went another way can be read off.
#pragma once

#include <cstdint>
#include <string>

namespace KerboImplementation {

// Every value the rules change: the counters, the generator's seed, Oska,
// the cats, the waves and the house's cells, with each picture named by its
// role. Floats are written exactly (hexadecimal).
std::string DumpState();

// FNV-1a over a text: the dump of a frame reduced to a number.
uint32_t DumpHash(const std::string& text);

// Called at the start and at the end of the rules of every played frame, for
// tools that trace a run; null: nothing is called.
using FrameWatcher = void (*)(bool frameEnd);
void SetFrameWatcher(FrameWatcher watcher);
void WatchFrame(bool frameEnd);

}  // namespace KerboImplementation
