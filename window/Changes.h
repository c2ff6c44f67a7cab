// Which parts of the picture changed: the picture cut into square blocks, a
// mark for each block that may have changed, the copying and comparing of
// marked blocks between two pictures, and the marks merged into a few
// rectangles to upload and present. Both threads use it on their own maps.
// Also which whole images the blocks of the main thread's buffer hold.
#pragma once

#include <cstdint>
#include <vector>

namespace Vitrine::detail {

// A rectangle of picture pixels.
struct Area {
    int32_t x = 0, y = 0, w = 0, h = 0;
    bool operator==(const Area&) const = default;
};

// True when the two rectangles share a pixel.
bool Overlap(const Area& a, const Area& b);
// The picture's areas to repaint when `areas` changed and something drawn
// over the picture covered `before` and is to cover `now` (an empty area:
// nothing): its old and new places too when it appears, goes or moves, and
// its whole place when anything under it changed, so that it is drawn once
// over a picture that is whole beneath it.
void AddOverlay(std::vector<Area>& areas, const Area& before, const Area& now);

class ChangeMap {
  public:
    // The side of a block: half a cell of the house, so that a moving figure
    // marks a few blocks and the rectangles stay few.
    static constexpr uint32_t kBlock = 25;

    // A map of a width x height picture with nothing marked.
    void Resize(uint32_t width, uint32_t height);
    // Marks the blocks holding pixels x0 <= x < x1 of row y (inside the picture).
    void MarkRow(int64_t x0, int64_t x1, int64_t y) {
        uint8_t* row = marks_.data() + (y / kBlock) * columns_;
        for (int64_t c = x0 / kBlock, last = (x1 - 1) / kBlock; c <= last; ++c) row[c] = 1;
        any_ = true;
    }
    void MarkAll();
    void Clear();
    bool Any() const { return any_; }
    // Marks whatever `other` (of the same size) has marked.
    void Add(const ChangeMap& other);

    // For each block marked here whose pixels differ between `from` and `to`
    // (pictures of this map's size): copies it to `to` and marks it in
    // `copied`. True when any block was copied.
    bool CopyDiffering(const uint32_t* from, uint32_t* to, ChangeMap& copied) const;
    // Copies every marked block from `from` to `to`.
    void CopyMarked(const uint32_t* from, uint32_t* to) const;
    // The marked blocks as rectangles clipped to the picture: the runs of
    // marked blocks along each row of blocks, each joined with the same run
    // in the rows below.
    std::vector<Area> Areas() const;

  private:
    template <typename Visit>
    void ForEachMarked(Visit visit) const;

    uint32_t width_ = 0, height_ = 0;
    uint32_t columns_ = 0, rows_ = 0;
    std::vector<uint8_t> marks_;  // columns_ * rows_, row by row
    bool any_ = false;
};

// Which whole images the blocks of the buffer hold. An opaque image drawn over
// whole blocks is written down in them; a block forgets it as soon as a pixel
// in it changes. Drawing the same image at the same place again over blocks
// that all still hold it would change nothing, so it can be skipped: the game
// draws every cell of the house in every frame it shows, and few of them
// change.
class BlockImages {
  public:
    void Resize(uint32_t width, uint32_t height);
    // Pixels x0 <= x < x1 of row y (inside the picture) changed.
    void Forget(int64_t x0, int64_t x1, int64_t y) {
        if (held_.empty()) return;
        Held* row = held_.data() + (y / ChangeMap::kBlock) * columns_;
        for (int64_t c = x0 / ChangeMap::kBlock, last = (x1 - 1) / ChangeMap::kBlock; c <= last; ++c)
            row[c] = {};
    }
    // True when every block the w x h image `image` drawn at (x, y) touches
    // lies wholly under it and still holds it from a drawing at (x, y).
    bool Hold(uint64_t image, int64_t x, int64_t y, int64_t w, int64_t h) const;
    // The image has just been drawn at (x, y): the blocks wholly under it hold it.
    void Record(uint64_t image, int64_t x, int64_t y, int64_t w, int64_t h);

  private:
    struct Held {
        uint64_t image = 0;  // 0: nothing known
        int64_t x = 0, y = 0;
    };
    // The blocks the image's part inside the picture touches; false when one
    // of them sticks out of it.
    bool Blocks(int64_t x, int64_t y, int64_t w, int64_t h, uint32_t& c0, uint32_t& c1, uint32_t& r0,
                uint32_t& r1) const;

    uint32_t width_ = 0, height_ = 0, columns_ = 0;
    std::vector<Held> held_;
};

}  // namespace Vitrine::detail
