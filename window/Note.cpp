// The short note over the picture; see Note.h. The main thread hands the
// note's pixels over under a lock of its own, so the frames' hand-over is
// left alone.
#include "window/Note.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <mutex>

#include "window/MessageThread.h"
#include "window/VitrineInternal.h"

namespace Vitrine {
namespace detail {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kShownFor = std::chrono::milliseconds(1000);
constexpr uint32_t kStyle = 1;
constexpr int kPadX = 8, kPadY = 3;
constexpr uint32_t kBox = 0xDC1C1A28, kRim = 0xFFC0C0C0, kInk = 0xFFFFFFFF;  // 0xAARRGGBB

// What the main thread hands over.
std::mutex noteLock;
struct Pending {
    std::vector<uint32_t> px;  // 0xAARRGGBB
    int width = 0, height = 0;
    int32_t top = 0;      // in the picture's rows
    uint64_t serial = 0;  // one more for each note
    Clock::time_point until;
} pending;

// The message thread's side.
SDL_Texture* texture = nullptr;
uint64_t textureSerial = 0;
bool drawnVisible = false;  // whether the last drawing showed the note
uint64_t drawnSerial = 0;

// The note's picture: the text in white on a dark, slightly see-through box.
void Compose(const Coverage& text, Pending& note) {
    note.width = text.width + 2 * kPadX;
    note.height = text.height + 2 * kPadY;
    note.px.assign(size_t(note.width) * note.height, kBox);
    for (int x = 0; x < note.width; ++x)
        note.px[x] = note.px[size_t(note.height - 1) * note.width + x] = kRim;
    for (int y = 0; y < note.height; ++y)
        note.px[size_t(y) * note.width] = note.px[size_t(y) * note.width + note.width - 1] = kRim;
    for (int y = 0; y < text.height; ++y) {
        for (int x = 0; x < text.width; ++x) {
            const uint32_t a = text.alpha[size_t(y) * text.width + x];
            uint32_t& p = note.px[size_t(y + kPadY) * note.width + x + kPadX];
            // Each colour channel from the box's towards white by the coverage.
            uint32_t mixed = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const uint32_t box = (kBox >> shift) & 0xFF, ink = (kInk >> shift) & 0xFF;
                mixed |= ((box * (255 - a) + ink * a + 127) / 255) << shift;
            }
            p = a == 0 ? kBox : mixed;
        }
    }
}

void ReleaseTexture() {
    if (texture) SDL_DestroyTexture(texture);
    texture = nullptr;
    textureSerial = 0;
}

bool Visible(Clock::time_point now) {
    return pending.serial != 0 && now < pending.until;
}

// The note's place in the picture's pixels: centred across it, at its top row.
Area PlaceOf(const Screen& screen) {
    return Area{(int32_t(screen.scaler.picW) - pending.width) / 2, pending.top, pending.width,
                pending.height};
}

}  // namespace

bool NoteChanged() {
    std::lock_guard hold(noteLock);
    const bool visible = Visible(Clock::now());
    return visible != drawnVisible || (visible && pending.serial != drawnSerial);
}

int NoteTimeout(int timeout) {
    std::lock_guard hold(noteLock);
    const Clock::time_point now = Clock::now();
    if (!Visible(now)) return timeout;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(pending.until - now).count();
    const int ms = int(std::max<int64_t>(1, left));
    return timeout < 0 ? ms : std::min(timeout, ms);
}

NoteState CurrentNote(const Screen& screen) {
    std::lock_guard hold(noteLock);
    if (!Visible(Clock::now()) || pending.width <= 0 || screen.scaler.picW == 0 || screen.scaler.picH == 0)
        return NoteState{Area{}, pending.serial};
    return NoteState{PlaceOf(screen), pending.serial};
}

void DrawNote(Screen& screen, const NoteState& state) {
    std::lock_guard hold(noteLock);
    drawnVisible = state.at.w > 0;
    drawnSerial = state.serial;
    if (!drawnVisible || state.serial != pending.serial) return;
    if (textureSerial != pending.serial) {
        ReleaseTexture();
        texture = SDL_CreateTexture(screen.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                    pending.width, pending.height);
        if (!texture) return;
        SDL_UpdateTexture(texture, nullptr, pending.px.data(), pending.width * 4);
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
        textureSerial = pending.serial;
    }
    // In the picture's pixels, then placed and scaled with it.
    const Placement& p = screen.scaler.pixels;
    const int64_t picW = screen.scaler.picW, picH = screen.scaler.picH;
    const Area& at = state.at;
    const SDL_Rect to{int(p.x + at.x * p.w / picW), int(p.y + at.y * p.h / picH),
                      int(int64_t{at.w} * p.w / picW), int(int64_t{at.h} * p.h / picH)};
    SDL_SetTextureScaleMode(texture, p.whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    SDL_RenderCopy(screen.renderer, texture, nullptr, &to);
}

void DropNote() {
    std::lock_guard hold(noteLock);
    ReleaseTexture();
    drawnVisible = false;
}

}  // namespace detail

void ShowNote(std::string_view text, int32_t top) {
    using namespace detail;
    if (!Active()) return;
    Pending note;
    Compose(TextCoverage(kStyle, text.substr(0, 40)), note);
    {
        std::lock_guard hold(noteLock);
        note.top = top;
        note.serial = pending.serial + 1;
        note.until = Clock::now() + kShownFor;
        pending = std::move(note);
    }
    // Wakes the message thread, which then sees the note has come.
    std::lock_guard guard(link().lock);
    WakeToLook();
}

}  // namespace Vitrine
