// Which parts of the picture changed: the picture cut into square blocks, the
// part of each block that may have changed, the comparing and copying of
// marked parts between two pictures, and the marks merged into a few
// rectangles to upload and present. Both threads use it on their own maps.
// Also which whole images the blocks of the main thread's buffer hold, and
// when each was last drawn into.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Vitrine::detail {

// A rectangle of picture pixels.
struct Area {
    int32_t x = 0, y = 0, w = 0, h = 0;
    bool operator==(const Area&) const = default;
};

// The smallest area holding both (an empty one holds nothing).
Area Joined(const Area& a, const Area& b);

// The picture's areas to repaint when `areas` changed and something drawn
// over the picture covered `before` and is to cover `now` (an empty area:
// nothing): its old and new places too when it appears, goes or moves, and
// its whole place when anything under it changed, so that it is drawn once
// over a picture that is whole beneath it.
void AddOverlay(std::vector<Area>& areas, const Area& before, const Area& now);

// For the blocks of side `block` holding pixels x0 <= x < x1 of rows
// y0 <= y < y1 of a picture `columns` blocks wide: calls
// each(index, top, end, left, right) with the block's index (row by row) and
// the span of its rows and of its columns they cover (counted in the block).
template <typename Each>
inline void ForEachBlockPart(int64_t block, int64_t columns, int64_t x0, int64_t x1, int64_t y0, int64_t y1,
                             Each each) {
    for (int64_t r = y0 / block, last = (y1 - 1) / block; r <= last; ++r) {
        const int64_t base = r * block;
        const auto top = uint8_t(std::max(y0, base) - base), end = uint8_t(std::min(y1, base + block) - base);
        for (int64_t c = x0 / block, lastC = (x1 - 1) / block; c <= lastC; ++c) {
            const int64_t side = c * block;
            each(r * columns + c, top, end, uint8_t(std::max(x0, side) - side),
                 uint8_t(std::min(x1, side + block) - side));
        }
    }
}

// As ForEachBlockPart, with each(index, top, end): the rows only.
template <typename Each>
inline void ForEachBlockRows(int64_t block, int64_t columns, int64_t x0, int64_t x1, int64_t y0, int64_t y1,
                             Each each) {
    ForEachBlockPart(block, columns, x0, x1, y0, y1,
                     [&](int64_t i, uint8_t top, uint8_t end, uint8_t, uint8_t) { each(i, top, end); });
}

class ChangeMap {
  public:
    // The side of a block: half a cell of the house, so that a moving figure
    // marks a few blocks and the rectangles stay few.
    static constexpr uint32_t kBlock = 25;

    // A map of a width x height picture with nothing marked.
    void Resize(uint32_t width, uint32_t height);
    // Marks the blocks holding pixels x0 <= x < x1 of rows y0 <= y < y1
    // (inside the picture); each block keeps the smallest rectangle holding
    // all that was marked in it.
    void Mark(int64_t x0, int64_t x1, int64_t y0, int64_t y1) {
        ForEachBlockPart(kBlock, columns_, x0, x1, y0, y1,
                         [this](int64_t i, uint8_t top, uint8_t end, uint8_t left, uint8_t right) {
                             marks_[size_t(i)].Add(Box{top, end, left, right});
                         });
        any_ = true;
    }
    void MarkRow(int64_t x0, int64_t x1, int64_t y) { Mark(x0, x1, y, y + 1); }
    void MarkAll();
    void Clear();
    bool Any() const { return any_; }

    // For each block marked here whose marked part differs between `from`
    // and `to` (pictures of this map's size, alike outside the marked parts):
    // copies the smallest rectangle holding the differing pixels to `to` and
    // marks that rectangle in `copied`. True when anything was copied.
    bool CopyDiffering(const uint32_t* from, uint32_t* to, ChangeMap& copied) const;
    // The marked parts as rectangles clipped to the picture: each block's
    // rectangle, joined with its neighbour's along a row of blocks where both
    // reach their common edge, and runs so joined with the same run in the
    // rows of blocks below.
    std::vector<Area> Areas() const;

  private:
    // Rows top .. end - 1 and columns left .. right - 1 of a block (counted in
    // the block); nothing when end is 0.
    struct Box {
        uint8_t top = kBlock, end = 0, left = kBlock, right = 0;
        bool Marked() const { return end != 0; }
        void Add(const Box& b) {
            top = std::min(top, b.top);
            end = std::max(end, b.end);
            left = std::min(left, b.left);
            right = std::max(right, b.right);
        }
    };
    template <typename Visit>
    void ForEachMarked(Visit visit) const;

    uint32_t width_ = 0, height_ = 0;
    uint32_t columns_ = 0, rows_ = 0;
    std::vector<Box> marks_;  // columns_ * rows_, row by row
    bool any_ = false;
};

// Which whole images the blocks of the buffer hold. An opaque image drawn over
// whole blocks is written down in them; a block then keeps the span of its
// rows whose pixels changed since. Drawing the same image at the same place
// again needs to draw only those rows, and nothing over blocks that still
// hold it whole: the game draws every cell of the house in every frame it
// shows, and few of them change.
class BlockImages {
  public:
    void Resize(uint32_t width, uint32_t height);
    // Pixels x0 <= x < x1 of rows y0 <= y < y1 (inside the picture) changed.
    void Forget(int64_t x0, int64_t x1, int64_t y0, int64_t y1) {
        if (held_.empty()) return;
        ForEachBlockRows(ChangeMap::kBlock, columns_, x0, x1, y0, y1,
                         [this](int64_t i, uint8_t top, uint8_t end) {
                             Held& held = held_[size_t(i)];
                             held.lostTop = std::min(held.lostTop, top);
                             held.lostEnd = std::max(held.lostEnd, end);
                         });
    }

    // For a w x h image `image` about to be drawn at (x, y) over whole blocks:
    // calls draw(area) for what of it is to be drawn (areas inside the
    // picture, in picture pixels, each a span of rows of a run of blocks along
    // a row of blocks) and then writes the image down in all of them. False,
    // calling nothing, when the image does not lie over whole blocks: it is
    // then to be drawn as a whole.
    template <typename Draw>
    bool Redraw(uint64_t image, int64_t x, int64_t y, int64_t w, int64_t h, Draw draw) {
        uint32_t c0, c1, r0, r1;
        if (image == 0 || !Blocks(x, y, w, h, c0, c1, r0, r1)) return false;
        const Held now{image, x, y};
        for (uint32_t r = r0; r < r1; ++r) {
            Held* row = held_.data() + std::size_t(r) * columns_;
            for (uint32_t c = c0; c < c1;) {
                const Span need = Needed(row[c], now);
                if (need.top >= need.end) {
                    ++c;
                    continue;
                }
                const uint32_t first = c;
                while (c < c1 && Needed(row[c], now) == need) ++c;
                draw(Clipped(first, c, r, need));  // marks those rows lost again
                for (uint32_t k = first; k < c; ++k) row[k] = now;
            }
        }
        return true;
    }

  private:
    struct Held {
        uint64_t image = 0;  // 0: nothing known
        int64_t x = 0, y = 0;
        uint8_t lostTop = ChangeMap::kBlock, lostEnd = 0;  // the rows changed since
    };
    struct Span {
        uint8_t top, end;
        bool operator==(const Span&) const = default;
    };
    // The rows of a block to draw for `now`: the lost ones when it holds the
    // same image from the same place, else all.
    static Span Needed(const Held& held, const Held& now) {
        if (held.image == now.image && held.x == now.x && held.y == now.y)
            return Span{held.lostTop, held.lostEnd};
        return Span{0, uint8_t(ChangeMap::kBlock)};
    }
    // The blocks the image's part inside the picture touches; false when one
    // of them sticks out of it.
    bool Blocks(int64_t x, int64_t y, int64_t w, int64_t h, uint32_t& c0, uint32_t& c1, uint32_t& r0,
                uint32_t& r1) const;
    // Rows need.top .. need.end - 1 of blocks first .. end - 1 of row r of blocks, clipped to the picture.
    Area Clipped(uint32_t first, uint32_t end, uint32_t r, Span need) const;

    uint32_t width_ = 0, height_ = 0, columns_ = 0;
    std::vector<Held> held_;
};

// When each block of the buffer was last drawn into, counted in drawings, so
// that a screen can keep a part it drew (the game's status band) for as long
// as nothing else drew there.
class BlockStamps {
  public:
    // Every block counts as drawn now; marks taken before are older.
    void Resize(uint32_t width, uint32_t height);
    // Pixels x0 <= x < x1 of rows y0 <= y < y1 (inside the picture) were drawn.
    void Stamp(int64_t x0, int64_t x1, int64_t y0, int64_t y1) {
        ++count_;
        ForEachBlockRows(ChangeMap::kBlock, columns_, x0, x1, y0, y1,
                         [this](int64_t i, uint8_t, uint8_t) { stamps_[size_t(i)] = count_; });
    }
    // The drawings so far; anything drawn later is stamped after it.
    uint64_t Count() const { return count_; }
    // True when no block holding pixels x0 <= x < x1 of rows y0 <= y < y1 was
    // drawn into since `mark`. Outside the picture counts as drawn.
    bool Since(uint64_t mark, int64_t x0, int64_t x1, int64_t y0, int64_t y1) const;

  private:
    uint32_t width_ = 0, height_ = 0, columns_ = 0;
    uint64_t count_ = 0;
    std::vector<uint64_t> stamps_;
};

}  // namespace Vitrine::detail
