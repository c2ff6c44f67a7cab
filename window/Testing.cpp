// Vitrine::Testing: feeding input and reading pixels for tests.
#include "window/VitrineTest.h"
#include "window/VitrineInternal.h"

namespace Vitrine::Testing {

using namespace Vitrine::detail;

namespace {

void Feed(InputKind kind, uint32_t key, int32_t x, int32_t y) {
    QueueInput(InputEvent{kind, key, x, y});
}

}  // namespace

uint32_t Pixel(int32_t x, int32_t y) {
    if (!Active() || x < 0 || y < 0 || uint32_t(x) >= window.xlen || uint32_t(y) >= window.ylen) return 0;
    return window.buffer[size_t(y) * window.xlen + x];
}

void PressKey(uint32_t vk) {
    Feed(InputKind::KEY_PRESS, vk, 0, 0);
}
void ReleaseKey(uint32_t vk) {
    Feed(InputKind::KEY_RELEASE, vk, 0, 0);
}
void MoveMouse(int32_t x, int32_t y) {
    Feed(InputKind::MOUSE_MOVE, 0, x, y);
}
void LeftDown(int32_t x, int32_t y) {
    Feed(InputKind::LEFT_DOWN, 0, x, y);
}
void LeftUp(int32_t x, int32_t y) {
    Feed(InputKind::LEFT_UP, 0, x, y);
}
void LeftDouble(int32_t x, int32_t y) {
    Feed(InputKind::LEFT_DOUBLE, 0, x, y);
}
void RightDown(int32_t x, int32_t y) {
    Feed(InputKind::RIGHT_DOWN, 0, x, y);
}
void RightUp(int32_t x, int32_t y) {
    Feed(InputKind::RIGHT_UP, 0, x, y);
}
void PressPad(PadButton button) {
    Feed(InputKind::PAD_PRESS, button, 0, 0);
}
void ReleasePad(PadButton button) {
    Feed(InputKind::PAD_RELEASE, button, 0, 0);
}
void LoseFocus() {
    Feed(InputKind::FOCUS_LOST, 0, 0, 0);
}
void ApplyInput() {
    NoticeClose();
    ApplyPendingInput();
}

void CloseWindow() {
    RequestClose();
}

void SetInstantWaits(bool on) {
    instantWaits = on;
}

void SetFramesUnseen(bool on) {
    framesUnseen = on;
}

uint64_t FramesShown() {
    return window.framesShown;
}

bool Buffering() {
    NoticeClose();
    return window.buffering;
}

uint64_t HandOffs() {
    return window.handOffs;
}

uint64_t FramesCopied() {
    return window.copies;
}

bool FrameUnsent() {
    std::lock_guard guard(link().lock);
    return link().unsent;
}

void CheckShownFrames(bool on) {
    window.checkDrawing = on;
    std::lock_guard guard(link().lock);
    link().keepReference = on;
    if (!on) link().reference = {};
}

uint64_t ImagesDrawnWrong() {
    return window.drawnWrong;
}

uint64_t ShownFramesChecked() {
    return link().framesChecked;
}

uint64_t ShownFramesWrong() {
    return link().framesWrong;
}

uint64_t FramesShownInParts() {
    return link().framesInParts;
}

}  // namespace Vitrine::Testing
