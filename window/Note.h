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
// Message thread: draws the note, if one is due, over the placed picture.
void DrawNote(Screen& screen);
// Message thread: where the note is now, in picture pixels; empty when none is shown.
Area NoteArea(const Screen& screen);
// Message thread: lets go of the note's texture (the renderer is going).
void DropNote();

}  // namespace Vitrine::detail
