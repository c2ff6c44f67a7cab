// Placeholder until the SDL window layer lands: every call does nothing.
#include "window/Vitrine.h"

namespace Vitrine {
bool Window(const char*, uint32_t, uint32_t) { return false; }
void KillWindow() {}
bool WindowClosed() { return true; }
const char* LastError() { return "no window layer yet"; }
bool KeyDown(uint32_t) { return false; }
uint32_t GetKey() { return 0; }
void FlushKeys() {}
void MousePos(int32_t& x, int32_t& y) { x = y = 0; }
void OnMouseLeftUp(MouseProc) {}
void SetBuffering(bool) {}
void UpdateWindow() {}
void ClearScreen() {}
void Rectangle(int32_t, int32_t, int32_t, int32_t, uint32_t, bool) {}
void SetFont(uint32_t, uint32_t) {}
void Text(std::string_view, int32_t, int32_t) {}
void TextCard(uint32_t, int32_t, int32_t) {}
void TextInt(int32_t, int32_t, int32_t) {}
void GetTextSize(std::string_view, uint32_t, uint32_t& w, uint32_t& h) { w = h = 0; }
uint32_t CreateColor(uint32_t c) { return c & 0xFFFFFF; }
int32_t intlen(int32_t) { return 1; }
void Int2Char(char* chp, int32_t) { chp[0] = '0'; chp[1] = 0; }
uint32_t LoadBitmap(const char*, uint32_t, uint32_t) { return 0; }
uint32_t CreateBitmap(uint32_t, uint32_t) { return 0; }
void DestroyBitmap(uint32_t) {}
void DrawBitmap(uint32_t, int32_t, int32_t) {}
void DrawMaskBitmap(uint32_t, uint32_t, int32_t, int32_t) {}
void CopyBitmap(uint32_t, uint32_t, int32_t, int32_t, int32_t, int32_t, uint32_t, uint32_t) {}
void Delay(uint32_t) {}
void PaceFrame(uint32_t) {}
}  // namespace Vitrine
