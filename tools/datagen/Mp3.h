// MP3 encoding with LAME: mono, constant bit rate, with the LAME tag that tells
// a decoder how many samples of encoder delay and padding to drop, so a
// looping tune plays back to back without a gap.
#pragma once

#include <string>
#include <vector>

namespace datagen {

void WriteMp3(const std::string& path, const std::vector<float>& samples, int rate, int kbps = 96);

}  // namespace datagen
