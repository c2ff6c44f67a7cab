// Encoding sound to MP3 with LAME; see Mp3.h.
#include "Mp3.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace datagen {

void WriteMp3(const std::string& path, const std::vector<float>& samples, int rate, int kbps) {
    lame_global_flags* g = lame_init();
    if (!g) throw std::runtime_error("LAME did not start");
    lame_set_num_channels(g, 1);
    lame_set_mode(g, MONO);
    lame_set_in_samplerate(g, rate);
    lame_set_out_samplerate(g, rate);
    lame_set_VBR(g, vbr_off);
    lame_set_brate(g, kbps);
    lame_set_quality(g, 2);
    lame_set_bWriteVbrTag(g, 1);
    lame_set_write_id3tag_automatic(g, 0);
    if (lame_init_params(g) < 0) {
        lame_close(g);
        throw std::runtime_error("LAME refused the settings");
    }

    std::vector<short> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(),
                   [](float s) { return short(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f)); });
    std::vector<unsigned char> out(pcm.size() * 5 / 4 + 7200 + 16384);
    int n = lame_encode_buffer(g, pcm.data(), pcm.data(), int(pcm.size()), out.data(), int(out.size()));
    if (n < 0) throw std::runtime_error("LAME encoding failed for " + path);
    int m = lame_encode_flush(g, out.data() + n, int(out.size()) - n);
    if (m < 0) throw std::runtime_error("LAME flush failed for " + path);
    out.resize(size_t(n) + size_t(m));

    // The first frame was kept free for the tag (delay, padding, length).
    unsigned char tag[2880];
    size_t tagLen = lame_get_lametag_frame(g, tag, sizeof tag);
    lame_close(g);
    if (tagLen == 0 || tagLen > out.size()) throw std::runtime_error("no LAME tag for " + path);
    std::copy(tag, tag + tagLen, out.begin());

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace datagen
