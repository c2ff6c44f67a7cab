// Vitrine::Testing: what tests need and the game never uses:
// reading the drawing buffer, feeding keyboard and mouse events, closing the
// window as the user would, instant waits and a stepped clock.
//
// Input fed here takes the same path as the events of the message thread:
// it takes effect at the next input point of the main thread (UpdateWindow,
// GetKey, Delay, PaceFrame) or at ApplyInput().
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "window/Vitrine.h"

namespace Vitrine::Testing {

// A drawing-buffer pixel as 0x00BBGGRR; 0 when no window is open or outside it.
uint32_t Pixel(int32_t x, int32_t y);

void PressKey(uint32_t vk);  // key down with a virtual-key code (again = auto-repeat)
void ReleaseKey(uint32_t vk);
void MoveMouse(int32_t x, int32_t y);
void LeftDown(int32_t x, int32_t y);
void LeftUp(int32_t x, int32_t y);
void LeftDouble(int32_t x, int32_t y);  // the second press of a double click
void RightDown(int32_t x, int32_t y);
void RightUp(int32_t x, int32_t y);
void PressPad(PadButton button);  // a gamepad button (or stick direction) pushed
void ReleasePad(PadButton button);
void LoseFocus();   // the window lost the keyboard focus
void ApplyInput();  // apply everything fed so far, now

// As if the user closed the window; returns once the window has gone. Any
// thread may call it.
void CloseWindow();
// Delay and PaceFrame return at once (after applying pending input); the
// same switch as Replay::SetInstantWaits.
void SetInstantWaits(bool on);
// FrameWillBeSeen answers false to every frame, so a paced loop draws none:
// the game must play exactly as when it draws them all.
void SetFramesUnseen(bool on);
// On: the waits and the screen's pace of showing read a clock that stands
// still but for steps. A timed wait steps it to the wait's end at once, and
// StepClock by `by` (as a stall of the game would), each once the message
// thread has done all it would have done by the time before and again after.
// Off: the steady clock.
void UseSteppedClock(bool on);
void StepClock(std::chrono::nanoseconds by);
std::chrono::nanoseconds ClockNow();  // what the waits read

// Loads of image file `file` (by exactly this name) get this picture instead
// of reading a file: width * height pixels, 0x00BBGGRR, row by row, scaled
// to the size asked for as a file's would be. Kept for the program's life;
// an empty picture forgets it.
void GivePicture(const std::string& file, uint32_t width, uint32_t height, std::vector<uint32_t> pixels);

uint32_t BitmapCount();    // entries of the bitmap table, free ones included
uint64_t BitmapDecodes();  // image files decoded since the program started (shared loads don't count)
uint64_t FramesShown();    // UpdateWindow calls since the window opened
// True when two handles share one copy of the pixels.
bool SharesPixels(uint32_t a, uint32_t b);
// A pixel of a bitmap as 0x00BBGGRR; 0 for an invalid handle or outside it.
uint32_t BitmapPixel(uint32_t bitmap, uint32_t x, uint32_t y);
// True while buffering (SetBuffering) is on.
bool Buffering();
// Frames offered to the message thread since the window opened: one per
// UpdateWindow, and one per drawing call in direct mode.
uint64_t HandOffs();
// Of those, the ones copied over: only as many as the screen can show.
uint64_t FramesCopied();
// True while the buffer holds changes the message thread has not been given.
bool FrameUnsent();

// On: from the next frame handed over on, also in windows opened later, the
// message thread reads back what it presented after each frame it shows and
// compares it with the whole buffer as it was handed over; and the buffer is
// compared with every image drawn into it (drawings it holds are skipped).
void CheckShownFrames(bool on);
// Drawings of images after which the buffer did not show the image whole.
uint64_t ImagesDrawnWrong();
// Counted since the program started: frames compared, the ones of them the
// window did not show exactly, and frames presented in parts (checked or not).
uint64_t ShownFramesChecked();
uint64_t ShownFramesWrong();
uint64_t FramesShownInParts();

}  // namespace Vitrine::Testing
