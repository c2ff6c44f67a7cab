// StandardMenu: bitmap buttons and polled menus. A button is one or two
// images (normal and mouse-over), optionally drawn through masks; a menu is
// an array of buttons, and MenuSelection waits until the left mouse button
// is released over one of them.
//
// The last left-button release that no button has taken yet is kept
// ("the pending click"): a release outside every button of one menu may
// select a button of the next menu that lies under it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "window/Vitrine.h"

namespace StandardMenu {

// A NUL-terminated image file name (at most 30 characters by convention).
using BitmapName = const char*;

// Which optional images a button has.
struct ButtonType {
    bool withMouseOver = false;  // a second image, shown while the mouse is over it
    bool withMask = false;       // drawn through masks (transparent parts)
};

// The file names a button is built from. A mouseOverMask starting with '='
// means: use the normal image's mask for the mouse-over image too.
struct ButtonStrings {
    BitmapName normal = " ";
    BitmapName mouseOver = " ";
    BitmapName normalMask = " ";
    BitmapName mouseOverMask = " ";
};

struct ButtonRc {
    int32_t x0 = 0, y0 = 0;         // top-left corner in window pixels
    int32_t width = 0, height = 0;  // also the size its images are loaded at
    bool visible = false;           // an invisible button is neither drawn nor selectable
    ButtonType type;
    std::array<uint32_t, 2> bitmap{};  // [0] normal, [1] mouse-over (0 when absent)
    std::array<uint32_t, 2> mask{};    // masks of the two images (0 when absent)
};

// A left-button release in window pixels.
struct ClickRc {
    int32_t x = 0, y = 0;
};

// Loads the button's images at w x h, in the order normal, normal mask,
// mouse-over, mouse-over mask. The position is left at (0, 0) for the
// caller (or SetVerticalMenu) to set.
ButtonRc CreateButtonX(int32_t w, int32_t h, ButtonType flags, const ButtonStrings& bitmaps);
// Normal and mouse-over image, no masks.
ButtonRc CreateButton(int32_t w, int32_t h, BitmapName normal, BitmapName mouseOver);
// Normal and mouse-over image, both drawn through the one mask.
ButtonRc CreateMaskedButton(int32_t w, int32_t h, BitmapName normal, BitmapName mouseOver, BitmapName mask);
// A masked picture without a mouse-over image: drawn, never offered for selection.
ButtonRc CreateField(int32_t w, int32_t h, BitmapName normal, BitmapName mask);

// Gives the images of a button back to the window layer (a mask shared by
// both images is released once). The button is left without images.
void ReleaseButton(ButtonRc& button);
void ReleaseButtons(std::span<ButtonRc> buttons);

// Stacks the buttons from (x0, y0) downwards; yGap is the distance from one
// button's top to the next one's top.
void SetVerticalMenu(int32_t x0, int32_t y0, int32_t yGap, std::span<ButtonRc> buttons);

// True for points strictly inside the button: its first row and column and
// the row and column just past it are outside.
bool InButton(const ButtonRc& button, int32_t x, int32_t y);

// Draws a visible button, with its mouse-over image while the mouse is over it.
void DrawButton(const ButtonRc& button);

// True when the pending click lies inside this visible button; the click is
// then taken. Also makes sure the left-button releases are being recorded.
bool ButtonSelected(const ButtonRc& button);

// A key that chooses one of a menu's buttons at once (Escape for Back).
struct Shortcut {
    uint32_t key = 0;
    std::size_t button = 0;  // its index in the menu
};

// Shows the buffer and redraws the buttons every 25 milliseconds until a
// click selects one of them; returns its index (the lowest where buttons
// overlap), or -1 once the window has been closed. Meanwhile the gamepad and
// the keyboard move the pointer between the visible buttons and click (see
// Vitrine::SetPadStops); a shortcut's key clicks its button.
// `arrows` tells how the arrow keys go between the buttons (Vitrine::ArrowMoves).
int32_t MenuSelection(std::span<const ButtonRc> menu, std::span<const Shortcut> shortcuts = {},
                      Vitrine::ArrowMoves arrows = Vitrine::ArrowMoves::InOrder);

// The window layer's left-button-release callback: records (x, y) as the
// pending click, replacing an older one. Safe to call from any thread.
void RegisterLeftClick(int32_t x, int32_t y);

// The pending click, if any, without taking it.
bool PendingClick(ClickRc& click);
// Forgets the pending click (a fresh start, e.g. between tests).
void ClearPendingClick();
// How many clicks buttons have taken since the program started; lets a
// driver (a test, a replay) wait until a menu has acted on its click.
uint64_t ClicksTaken();
// The number of the menu wait under way (MenuSelection calls counted from 1
// since the program started), 0 while none waits; lets a driver type into a
// menu once it listens. Safe to call from any thread.
uint64_t WaitingMenu();

}  // namespace StandardMenu
