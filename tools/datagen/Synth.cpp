// The chip synthesiser: tunes parsed from notes and rendered to samples; see Synth.h.
#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace datagen {

namespace {
constexpr double kPi = 3.14159265358979323846;

// The 15-bit feedback register of the classic noise channel; short mode repeats after 93 steps
// and sounds metallic, which suits the hi-hat.
struct Lfsr {
    uint16_t reg = 1;
    bool shortMode = false;
    double Step() {
        int bit = (reg ^ (reg >> (shortMode ? 6 : 1))) & 1;
        reg = uint16_t((reg >> 1) | (bit << 14));
        return (reg & 1) ? 1.0 : -1.0;
    }
};

double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double Envelope(const VoiceSpec& v, double t, double held, int rate) {
    double a = v.attackMs * rate / 1000.0, d = v.decayMs * rate / 1000.0, r = v.releaseMs * rate / 1000.0;
    auto level = [&](double s) {
        if (s < a) return s / a;
        if (s < a + d) return 1.0 - (1.0 - v.sustain) * (s - a) / d;
        return v.sustain;
    };
    if (t < held) return level(t);
    if (r <= 0) return 0.0;
    return std::max(0.0, level(held) * (1.0 - (t - held) / r));
}

void RenderNote(const Tune& tune, const VoiceSpec& v, const NoteEvent& n, std::vector<double>& out,
                size_t sps) {
    const int rate = tune.rate;
    size_t start = size_t(n.startStep) * sps;
    double held = double(n.steps) * sps * v.gate;
    if (n.drum) {
        // Drums ignore the voice envelope: each has its own short shape.
        Lfsr noise;
        noise.shortMode = n.drum == 'h';
        double len = n.drum == 'k' ? 0.16 : n.drum == 's' ? 0.14 : 0.04;
        size_t count = size_t(len * rate);
        double phase = 0, held2 = 0;
        for (size_t i = 0; i < count; ++i) {
            double t = double(i) / rate, s = 0;
            if (n.drum == 'k') {
                double hz = 45.0 + 120.0 * std::exp(-t * 35.0);
                phase += hz / rate;
                s = std::sin(2 * kPi * phase) * std::exp(-t * 18.0);
            } else if (n.drum == 's') {
                if (i % 2 == 0) held2 = noise.Step();
                phase += 190.0 / rate;
                s = held2 * 0.7 * std::exp(-t * 28.0) + std::sin(2 * kPi * phase) * 0.5 * std::exp(-t * 45.0);
            } else {
                s = noise.Step() * std::exp(-t * 90.0);
            }
            if (start + i < out.size()) out[start + i] += s * v.vol;
        }
        return;
    }
    if (n.fromHz <= 0) return;
    size_t count = size_t(held + v.releaseMs * rate / 1000.0) + 1;
    double phase = 0, noiseVal = 0;
    Lfsr noise;
    for (size_t i = 0; i < count && start + i < out.size(); ++i) {
        double t = double(i);
        double glide = std::min(1.0, t / std::max(1.0, held));
        double hz = n.fromHz * std::pow(n.toHz / n.fromHz, glide);
        double secs = t / rate;
        if (v.vibratoCents > 0 && secs > 0.12)
            hz *= std::pow(2.0, v.vibratoCents / 1200.0 * std::sin(2 * kPi * 6.0 * (secs - 0.12)));
        double dt = hz / rate, s = 0;
        if (v.wave == "square") {
            s = phase < v.duty ? 1.0 : -1.0;
            s += PolyBlep(phase, dt);
            double p2 = phase - v.duty + (phase < v.duty ? 1.0 : 0.0);
            s -= PolyBlep(p2, dt);
        } else if (v.wave == "triangle") {
            double tri = phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
            s = std::round(tri * 7.5) / 7.5;  // sixteen steps, like the old sound chips
        } else if (v.wave == "noise") {
            double before = phase;
            if (before + dt >= 1.0 || i == 0) noiseVal = noise.Step();
            s = noiseVal;
        } else {
            throw std::runtime_error("unknown wave " + v.wave);
        }
        phase += dt;
        phase -= std::floor(phase);
        out[start + i] += s * v.vol * Envelope(v, t, held, rate);
    }
}
}  // namespace

double NoteHz(const std::string& name) {
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G from C
    if (name.empty() || name[0] < 'A' || name[0] > 'G') throw std::runtime_error("bad note " + name);
    int semi = base[name[0] - 'A'];
    size_t i = 1;
    while (i < name.size() && (name[i] == '#' || name[i] == 'b')) semi += name[i++] == '#' ? 1 : -1;
    if (i >= name.size()) throw std::runtime_error("note without octave: " + name);
    int octave = std::stoi(name.substr(i));
    int midi = (octave + 1) * 12 + semi;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

int Tune::Steps() const {
    int n = 0;
    for (auto& [name, list] : notes)
        if (!list.empty()) n = std::max(n, list.back().startStep + list.back().steps);
    return n;
}

size_t Tune::SamplesPerStep() const {
    return size_t(std::lround(rate * 60.0 / tempo / 4.0));
}

Tune ParseTune(const std::string& text, const std::string& origin) {
    Tune tune;
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    std::map<std::string, int> cursor;
    auto fail = [&](const std::string& what) {
        throw std::runtime_error(origin + ":" + std::to_string(lineNo) + ": " + what);
    };
    while (std::getline(in, raw)) {
        ++lineNo;
        auto hash = raw.find('#');
        std::string line = raw.substr(0, hash);
        std::istringstream words(line);
        std::string first;
        if (!(words >> first)) continue;
        if (first == "rate") {
            words >> tune.rate;
        } else if (first == "tempo") {
            words >> tune.tempo;
        } else if (first == "gain") {
            words >> tune.gain;
        } else if (first == "loop") {
            tune.loop = true;
        } else if (first == "voice") {
            std::string name, key;
            VoiceSpec v;
            if (!(words >> name >> v.wave)) fail("voice <name> <wave> ...");
            double val;
            while (words >> key >> val) {
                if (key == "vol")
                    v.vol = val;
                else if (key == "duty")
                    v.duty = val;
                else if (key == "attack")
                    v.attackMs = val;
                else if (key == "decay")
                    v.decayMs = val;
                else if (key == "sustain")
                    v.sustain = val;
                else if (key == "release")
                    v.releaseMs = val;
                else if (key == "gate")
                    v.gate = val;
                else if (key == "vibrato")
                    v.vibratoCents = val;
                else if (key == "transpose")
                    v.transpose = val;
                else
                    fail("unknown voice setting " + key);
            }
            tune.voices[name] = v;
            tune.order.push_back(name);
            tune.notes[name];
        } else if (first.back() == ':') {
            std::string name = first.substr(0, first.size() - 1);
            auto vit = tune.voices.find(name);
            if (vit == tune.voices.end()) fail("unknown voice " + name);
            double shift = std::pow(2.0, vit->second.transpose / 12.0);
            std::string tok;
            while (words >> tok) {
                if (tok == "|") continue;
                NoteEvent n;
                n.startStep = cursor[name];
                auto dash = tok.find('-');
                std::string pitch = tok.substr(0, dash);
                if (dash != std::string::npos) n.steps = std::stoi(tok.substr(dash + 1));
                if (n.steps <= 0) fail("bad length in " + tok);
                if (vit->second.wave == "drum" && (pitch == "k" || pitch == "s" || pitch == "h")) {
                    n.drum = pitch[0];
                } else if (pitch != "r") {
                    auto gt = pitch.find('>');
                    try {
                        n.fromHz = NoteHz(pitch.substr(0, gt)) * shift;
                        n.toHz = gt == std::string::npos ? n.fromHz : NoteHz(pitch.substr(gt + 1)) * shift;
                    } catch (const std::exception& e) {
                        fail(e.what());
                    }
                }
                cursor[name] += n.steps;
                tune.notes[name].push_back(n);
            }
        } else {
            fail("unexpected '" + first + "'");
        }
    }
    return tune;
}

std::vector<float> Render(const Tune& tune) {
    const size_t sps = tune.SamplesPerStep();
    const size_t length = size_t(tune.Steps()) * sps;
    const size_t tail = size_t(tune.rate) * 2;
    std::vector<double> mix(length + tail, 0.0);
    for (auto& name : tune.order)
        for (auto& n : tune.notes.at(name)) RenderNote(tune, tune.voices.at(name), n, mix, sps);

    size_t outLen = length + tail;
    if (tune.loop) {
        // What rings on past the end belongs to the start of the next time round.
        for (size_t i = length; i < mix.size(); ++i) mix[i % length] += mix[i];
        mix.resize(length);
        outLen = length;
    } else {
        while (outLen > length && std::fabs(mix[outLen - 1]) < 1e-5) --outLen;
        outLen = std::min(mix.size(), outLen + size_t(tune.rate) / 50);
        mix.resize(outLen);
    }

    // Gentle low-pass and DC blocker. A loop runs them round twice so that the filter state at
    // the start equals the state at the end and the seam stays smooth.
    std::vector<float> out(outLen);
    double lp = 0, hpIn = 0, hpOut = 0;
    const double a = 0.55, r = 0.999;
    for (int pass = 0; pass < (tune.loop ? 2 : 1); ++pass)
        for (size_t i = 0; i < outLen; ++i) {
            lp += a * (mix[i] * tune.gain - lp);
            hpOut = lp - hpIn + r * hpOut;
            hpIn = lp;
            out[i] = float(std::clamp(hpOut, -1.0, 1.0));
        }
    if (!tune.loop) {
        // A short fade at both ends so a one-shot starts and stops without a click.
        size_t fade = std::min<size_t>(outLen / 2, size_t(tune.rate) / 200);
        for (size_t i = 0; i < fade; ++i) {
            out[i] *= float(double(i) / fade);
            out[outLen - 1 - i] *= float(double(i) / fade);
        }
    }
    return out;
}

}  // namespace datagen
