// The short note over the picture (ShowNote): made on the main thread from
// the game's font, drawn by the message thread over the placed picture each
// time the screen is drawn, and gone after about a second.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "window/Changes.h"
#include "window/Screen.h"

namespace Vitrine::detail {

// Text.cpp, main thread: a text in a font style as coverage (0..255 per
// pixel, row by row); empty when no font can be found.
struct Coverage {
    int width = 0, height = 0;
    std::vector<uint8_t> alpha;
};
Coverage TextCoverage(uint32_t style, std::string_view text);

// Message thread: true when a note came or went since the screen last drew it,
// so that the screen is drawn again.
bool NoteChanged();
// Message thread: a wait's timeout in milliseconds (-1: none) shortened to
// when the note shown goes.
int NoteTimeout(int timeout);
// Message thread: the note as it stands, taken once for each present so that
// the areas shown and the note drawn agree even when one comes or goes
// meanwhile: where it goes in picture pixels (empty: none) and which it is.
struct NoteState {
    Area at;
    uint64_t serial = 0;
};
NoteState CurrentNote(const Screen& screen);
// Message thread: draws the note `state` (if any) over the placed picture
// and counts it as drawn; a newer note than it shows at the next pass.
void DrawNote(Screen& screen, const NoteState& state);
// Message thread: lets go of the note's texture (the renderer is going).
void DropNote();

}  // namespace Vitrine::detail
