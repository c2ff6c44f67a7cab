// A small chip synthesiser: square, triangle and noise voices with simple
// envelopes, playing tunes written as notes in text.
//
//   rate 32000            # samples per second (optional)
//   tempo 150             # quarter notes per minute; one step is a sixteenth
//   loop                  # the tune repeats: note tails ring on into its start
//   gain 0.8              # loudness of the whole tune (optional)
//   voice lead square vol 0.2 duty 0.25 attack 5 decay 80 sustain 0.6 release 40 gate 0.9 vibrato 12
//   lead: C5-2 E5-2 G5-4 r-2 C5>C6-4
//
// A token is a pitch (C4, F#5, Bb3), r for a rest, or a glide A>B; "-n" makes it
// last n steps (1 without). A drum voice plays k (kick), s (snare) and h (hi-hat).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace datagen {

struct VoiceSpec {
    std::string wave = "square";  // square, triangle, noise, drum
    double vol = 0.2, duty = 0.5;
    double attackMs = 4, decayMs = 60, sustain = 0.7, releaseMs = 30;
    double gate = 0.9;        // part of a note's length that the key is held
    double vibratoCents = 0;  // depth, 6 per second, after the first 120 ms
    double transpose = 0;     // semitones
};

struct NoteEvent {
    double fromHz = 0, toHz = 0;  // 0 for a rest; drums keep their letter in drum
    char drum = 0;
    int startStep = 0, steps = 1;
};

struct Tune {
    int rate = 32000;
    double tempo = 120;
    double gain = 1.0;  // scales the whole mix
    bool loop = false;
    std::map<std::string, VoiceSpec> voices;
    std::map<std::string, std::vector<NoteEvent>> notes;
    std::vector<std::string> order;  // voices in the order they were declared
    int Steps() const;               // length in sixteenths (longest voice)
    size_t SamplesPerStep() const;   // rounded; the tune's length is Steps() x this
};

Tune ParseTune(const std::string& text, const std::string& origin);
double NoteHz(const std::string& name);  // "A4" = 440
// Renders to mono samples in [-1, 1]. A looping tune has exactly Steps() x SamplesPerStep()
// samples and wraps around seamlessly; others get their release tails appended.
std::vector<float> Render(const Tune& tune);

}  // namespace datagen
