// What the null platform's waits ask of its input points (NullInputPoints.cpp).
#pragma once

#include <cstdint>

namespace Vitrine::detail {

// Events that have taken effect since the program started.
uint64_t EventsApplied();
// True while an input-point hook (Replay::SetInputPointHook) may feed input.
bool InputHooked();
// Closes the window: no input can come any more.
void EndForWantOfInput();

}  // namespace Vitrine::detail
