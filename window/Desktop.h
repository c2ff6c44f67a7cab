// What the message thread asks of the desktop around it: only video drivers
// that show a window, a quick end when the X display goes away, and where the
// window really is on the screen and whether a window manager puts windows on
// the whole screen when asked.
#pragma once

struct SDL_Rect;
struct SDL_Window;

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

// The window's real place and size on the screen (its client area, in window
// coordinates), as the X server has it; SDL's own figures after it asked for
// full screen are what it asked for, not always what it got. Elsewhere than
// on X, SDL's figures.
void RealWindowFrame(SDL_Window* window, SDL_Rect& frame);
// True when the desktop puts a window on the whole screen when asked (under X:
// a window manager runs that says it does). False under X without one: the
// window then has to cover the screen by itself.
bool DesktopMakesFullScreen(SDL_Window* window);

}  // namespace Vitrine::detail
