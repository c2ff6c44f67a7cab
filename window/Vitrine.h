// Vitrine: the one game window, served by its own message thread, with an
// off-screen buffer that the game draws into and shows once per frame, the
// keyboard flags and queue, the mouse, text, and a table of loaded bitmaps.
//
// Every call below is made on the main thread. Input events that arrive on
// the message thread take effect at fixed points of the main thread's flow
// (UpdateWindow, GetKey, Delay, PaceFrame), in the order they came.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "window/KeyCodes.h"

namespace Vitrine {

// ---------------------------------------------------------------- window

enum WinState : uint8_t { STATE_DEAD = 0, STATE_ACTIVE = 1, STATE_ERROR = 2 };

// The window shows its x by y picture at this whole factor (1..16); 0, the
// start value, chooses the largest that leaves room on the desktop. Takes
// effect at the next Window call. F11 and Alt+Enter switch between the window
// and the whole screen; the picture keeps its shape and the mouse its
// picture coordinates at any size.
void SetWindowScale(uint32_t scale);
// The next window opens on the whole screen (on) or as a window (off, the
// start value). F11 and Alt+Enter switch as ever.
void SetFullScreen(bool on);
// True while the window is on the whole screen; once it has closed, how it
// was at its close; before any window, what SetFullScreen asked for.
bool FullScreen();
// The open window takes the size of this scale at once (one on the whole
// screen comes back at it), and so does the next one: SetWindowScale now.
void ResizeWindow(uint32_t scale);
// The open window goes to the whole screen (on) or back at once, as F11 does;
// the next window opens so too.
void SwitchFullScreen(bool on);
// On: the whole screen shows the picture as large as fits, smoothly scaled.
// Off (the start value): at the largest whole multiple that fits, each pixel
// a sharp square, with black borders. Takes effect at the next change of size.
void SetFullScreenFill(bool fill);
// The picture (and its black-and-white mask: white is drawn) the desktop
// shows for the window, from the next Window call on. A file that can't be
// read is named in one line on standard error; the window then opens without one.
void SetWindowIcon(const char* picture, const char* mask);

// Opens the window with a client area of x by y pixels; closes an open one
// first. Returns false when it could not be opened (no display); the reason
// is then in LastError().
bool Window(const char* title, uint32_t x, uint32_t y);
// Closes the window and releases everything it held.
void KillWindow();
// True once the user has closed the window (or none is open): every wait
// returns, drawing does nothing.
bool WindowClosed();
const char* LastError();
// The signal (SIGINT or SIGTERM) that closed the window, 0 when none did:
// the program then ends as when the player closes it, with status 128 + it.
int EndingSignal();

// ---------------------------------------------------------------- keyboard and mouse

// Key codes: the KEY_ names of window/KeyCodes.h.
bool KeyDown(uint32_t k);
// True while key k is held on the keyboard itself; KeyDown also counts a
// gamepad button that acts as it (PadHolds).
bool KeyTyped(uint32_t k);
// The oldest queued key press; waits for one. Returns 0 when the window closed.
uint32_t GetKey();
void FlushKeys();
// Main thread: a new screen takes the keyboard. A key held down now acts on
// it only once released and pressed again: its auto-repeats are neither
// queued nor taken by a menu (KeyDown still tells it is held).
void NewScreen();
// A queued key press with the Shift and Ctrl keys as they were when it took effect.
struct KeyPress {
    uint32_t key = 0;
    bool shift = false;
    bool ctrl = false;
};
// Takes the oldest queued key press (the queue GetKey reads) without waiting
// and without being an input point itself; false when none is queued.
bool NextKey(KeyPress& press);
void MousePos(int32_t& x, int32_t& y);
// Main thread: puts the game's pointer at (x, y), as when a screen hands the
// keyboard's place back to the button that opened it; the next move of the
// mouse takes over again.
void PlacePointer(int32_t x, int32_t y);
// True while the left mouse button is held down.
bool MouseLeftDown();
using MouseProc = void (*)(int32_t x, int32_t y);
void OnMouseLeftUp(MouseProc proc);

// Called with the key's code at the first press of a key (not its
// auto-repeats), when the press takes effect; the key goes on to the game
// as well. Kept when the window closes; nullptr removes it.
using KeyProc = void (*)(uint32_t k);
void OnKeyPress(KeyProc proc);

// True once after the window has lost the keyboard focus (since the last call).
bool TakeFocusLoss();
// Off: the window does not report losing the focus (on at the start). Set it
// before Window; a recording then holds no focus losses either.
void ReportFocusLoss(bool on);

// ---------------------------------------------------------------- gamepads

// True while a gamepad button holds key k down (the directions the arrow
// keys, A the X key, Start the P key).
bool PadHolds(uint32_t k);

// The buttons of any plugged-in game controller as the input stream names
// them. They act as keys: the directions (d-pad and left stick) as the arrow
// keys, A as X, Start as P, B and Back as Escape. While a menu has named its buttons with
// SetPadStops, the directions move the mouse pointer from button to button
// and A clicks where it is.
enum PadButton : uint32_t {
    PAD_NONE,
    PAD_A,
    PAD_B,
    PAD_X,
    PAD_Y,
    PAD_START,
    PAD_BACK,
    PAD_UP,
    PAD_DOWN,
    PAD_LEFT,
    PAD_RIGHT,
    STICK_UP,
    STICK_DOWN,
    STICK_LEFT,
    STICK_RIGHT,
    PAD_COUNT
};

// A button of the menu that waits for a click, in window pixels, and up to
// three keys that choose it at once (0: none), such as Escape for a back button.
struct PadStop {
    int32_t x0 = 0, y0 = 0, width = 0, height = 0;
    std::array<uint32_t, 3> keys{};
};
// The menu's buttons in their order; an empty span when no menu waits.
// While a menu waits the keyboard serves it as the gamepad does: the arrows
// and Tab (Shift+Tab back) move the pointer from button to button, Enter and
// Space click where it is (outside every button they move it to the first),
// and a button's own keys click it. Those presses, their auto-repeats and
// their releases do not reach the game as keys; every other key does.
// How the arrows go between them: the menus' columns step through the list
// (round from the last to the first); a screen laid out in rows and columns
// goes to the nearest button that way on the screen, and at its edge stays.
// Tab steps through the list on both.
enum class ArrowMoves : uint8_t { InOrder, ByPlace };
void SetPadStops(std::span<const PadStop> buttons, ArrowMoves arrows = ArrowMoves::InOrder);

// ---------------------------------------------------------------- notes

// Shows a short line of text (at most 40 characters) over the picture for
// about a second, centred across it with its top at picture row `top`. It is
// drawn where the picture is put on the screen, never into the buffer: no
// frame, no recording and no test of the buffer sees it. A newer note
// replaces the one shown.
void ShowNote(std::string_view text, int32_t top);

// ---------------------------------------------------------------- files

// The player's own folder for the program's files, made when missing
// ($XDG_DATA_HOME/<app>/, ending in '/'); "" with the reason in `why` when
// there is none.
std::string UserDataFolder(const char* app, std::string& why);

// ---------------------------------------------------------------- drawing surface

void SetBuffering(bool state);
void UpdateWindow();
void ClearScreen();
void Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t color, bool fill);
void SetFont(uint32_t style, uint32_t color);
// Draws the characters before the first NUL (all when there is none).
void Text(std::string_view text, int32_t x, int32_t y);
void TextCard(uint32_t number, int32_t x, int32_t y);
void TextInt(int32_t number, int32_t x, int32_t y);
void GetTextSize(std::string_view text, uint32_t style, uint32_t& width, uint32_t& height);
// A mark of the drawing so far, and whether anything was drawn into pixels
// x0 <= x < x1 of rows y0 <= y < y1 since a mark (counted by blocks of the
// picture: a drawing close by may count too). A screen keeps a part it drew
// instead of drawing it again while this is false.
uint64_t DrawingMark();
bool UndrawnSince(uint64_t mark, int32_t x0, int32_t y0, int32_t x1, int32_t y1);
uint32_t CreateColor(uint32_t color);
int32_t intlen(int32_t nr);
void Int2Char(char* chp, int32_t nr);

// ---------------------------------------------------------------- bitmap table

uint32_t LoadBitmap(const char* file, uint32_t width, uint32_t height);
uint32_t CreateBitmap(uint32_t width, uint32_t height);
void DestroyBitmap(uint32_t bitmap);
void DrawBitmap(uint32_t bitmap, int32_t x, int32_t y);
void DrawMaskBitmap(uint32_t bitmap, uint32_t maskbitmap, int32_t x, int32_t y);
void CopyBitmap(uint32_t srcbitmap, uint32_t destbitmap, int32_t xsrc, int32_t ysrc, int32_t xdest,
                int32_t ydest, uint32_t width, uint32_t height);

// ---------------------------------------------------------------- waits

// Waits ms milliseconds; returns early when the window closes. Instant in
// instant mode (tests, replays).
void Delay(uint32_t ms);
// Paces frames at the given frame rate on absolute deadlines: a frame already
// due runs at once; otherwise it waits until the first shown frame of the
// screen at or after the next deadline, so that one wake per shown frame runs
// the frames due by then back to back. After a stall it carries on from now.
// Instant in instant mode.
void PaceFrame(uint32_t framesPerSecond);
// For a paced frame loop: false when the frame drawn now would be replaced by
// the next one before the screen could show it (all but the last of the
// frames run on one wake), so drawing it can be skipped. True without a
// window, before the first PaceFrame and in instant mode.
bool FrameWillBeSeen();

}  // namespace Vitrine
