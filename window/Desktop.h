// What the message thread asks of the desktop around it before it opens the
// window: only video drivers that show a window, and a quick end when the X
// display goes away.
#pragma once

namespace Vitrine::detail {

// Unless SDL_VIDEODRIVER names one, SDL may only use drivers that show a
// window to someone. Before SDL's video starts.
void AllowOnlyRealDisplays();
// Once SDL's video runs: when the X server goes away, the program says so and
// ends at once.
void CatchDisplayLoss();
// Once SDL's video runs: SIGINT and SIGTERM still close the window as SDL
// makes them do, and are remembered for the exit status (EndingSignal).
void CatchEndingSignals();

}  // namespace Vitrine::detail
