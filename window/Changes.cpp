// The map of changed blocks of the picture; see Changes.h.
#include "window/Changes.h"

#include <algorithm>
#include <cstring>

namespace Vitrine::detail {

namespace {

bool Empty(const Area& a) {
    return a.w <= 0 || a.h <= 0;
}

bool Same(const Area& a, const Area& b) {
    return (Empty(a) && Empty(b)) || a == b;
}

// True when the two rectangles share a pixel.
bool Overlap(const Area& a, const Area& b) {
    if (Empty(a) || Empty(b)) return false;
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

}  // namespace

void AddOverlay(std::vector<Area>& areas, const Area& before, const Area& now) {
    const bool moved = !Same(before, now);
    if (moved && !Empty(before)) areas.push_back(before);
    if (Empty(now)) return;
    if (moved || std::any_of(areas.begin(), areas.end(), [&](const Area& a) { return Overlap(a, now); }))
        areas.push_back(now);
}

void ChangeMap::Resize(uint32_t width, uint32_t height) {
    width_ = width;
    height_ = height;
    columns_ = (width + kBlock - 1) / kBlock;
    rows_ = (height + kBlock - 1) / kBlock;
    marks_.assign(size_t(columns_) * rows_, Rows{});
    any_ = false;
}

void ChangeMap::MarkAll() {
    std::fill(marks_.begin(), marks_.end(), Rows{0, uint8_t(kBlock)});
    any_ = !marks_.empty();
}

void ChangeMap::Clear() {
    if (!any_) return;
    std::fill(marks_.begin(), marks_.end(), Rows{});
    any_ = false;
}

// Calls visit(x, y, w, h, rows) for every marked block, clipped to the
// picture, with the span of its rows that were marked.
template <typename Visit>
void ChangeMap::ForEachMarked(Visit visit) const {
    if (!any_) return;
    for (uint32_t r = 0; r < rows_; ++r) {
        const uint32_t y = r * kBlock, h = std::min(kBlock, height_ - y);
        for (uint32_t c = 0; c < columns_; ++c) {
            const Rows& rows = marks_[size_t(r) * columns_ + c];
            if (!rows.Marked()) continue;
            const uint32_t x = c * kBlock;
            visit(x, y, std::min(kBlock, width_ - x), h, rows);
        }
    }
}

bool ChangeMap::CopyDiffering(const uint32_t* from, uint32_t* to, ChangeMap& copied) const {
    bool any = false;
    ForEachMarked([&](uint32_t x, uint32_t y, uint32_t w, uint32_t h, const Rows& rows) {
        const size_t bytes = size_t(w) * sizeof(uint32_t);
        const uint32_t end = std::min<uint32_t>(rows.end, h);
        uint32_t row = rows.top;
        for (; row < end; ++row) {
            const size_t at = size_t(y + row) * width_ + x;
            if (std::memcmp(from + at, to + at, bytes) != 0) break;
        }
        if (row >= end) return;
        for (; row < end; ++row) {
            const size_t at = size_t(y + row) * width_ + x;
            std::memcpy(to + at, from + at, bytes);
        }
        copied.marks_[size_t(y / kBlock) * columns_ + x / kBlock] = Rows{0, uint8_t(kBlock)};
        copied.any_ = true;
        any = true;
    });
    return any;
}

std::vector<Area> ChangeMap::Areas() const {
    std::vector<Area> areas;
    if (!any_) return areas;
    // Runs still open below the previous row of blocks, as indexes into areas.
    std::vector<size_t> open, stillOpen;
    for (uint32_t r = 0; r < rows_; ++r) {
        const Rows* row = marks_.data() + size_t(r) * columns_;
        const int32_t y = int32_t(r * kBlock), h = int32_t(std::min(kBlock, height_ - r * kBlock));
        stillOpen.clear();
        for (uint32_t c = 0; c < columns_;) {
            if (!row[c].Marked()) {
                ++c;
                continue;
            }
            const uint32_t first = c;
            while (c < columns_ && row[c].Marked()) ++c;
            const int32_t x = int32_t(first * kBlock);
            const int32_t w = int32_t(std::min(c * kBlock, width_)) - x;
            auto same = std::find_if(open.begin(), open.end(),
                                     [&](size_t k) { return areas[k].x == x && areas[k].w == w; });
            if (same != open.end()) {
                areas[*same].h += h;
                stillOpen.push_back(*same);
            } else {
                areas.push_back(Area{x, y, w, h});
                stillOpen.push_back(areas.size() - 1);
            }
        }
        open.swap(stillOpen);
    }
    return areas;
}

// ---------------------------------------------------------------- the images blocks hold

void BlockImages::Resize(uint32_t width, uint32_t height) {
    width_ = width;
    height_ = height;
    columns_ = (width + ChangeMap::kBlock - 1) / ChangeMap::kBlock;
    held_.assign(size_t(columns_) * ((height + ChangeMap::kBlock - 1) / ChangeMap::kBlock), Held{});
}

bool BlockImages::Blocks(int64_t x, int64_t y, int64_t w, int64_t h, uint32_t& c0, uint32_t& c1, uint32_t& r0,
                         uint32_t& r1) const {
    constexpr int64_t B = ChangeMap::kBlock;
    const int64_t x0 = std::max<int64_t>(x, 0), x1 = std::min<int64_t>(x + w, width_);
    const int64_t y0 = std::max<int64_t>(y, 0), y1 = std::min<int64_t>(y + h, height_);
    if (x0 >= x1 || y0 >= y1) return false;
    // Whole blocks only: the part must start at a block's edge and end at one or at the picture's edge.
    if (x0 % B != 0 || y0 % B != 0) return false;
    if (x1 % B != 0 && x1 != width_) return false;
    if (y1 % B != 0 && y1 != height_) return false;
    c0 = uint32_t(x0 / B), c1 = uint32_t((x1 + B - 1) / B);
    r0 = uint32_t(y0 / B), r1 = uint32_t((y1 + B - 1) / B);
    return true;
}

Area BlockImages::Clipped(uint32_t first, uint32_t end, uint32_t r, Span need) const {
    constexpr uint32_t B = ChangeMap::kBlock;
    const uint32_t x0 = first * B, x1 = std::min(end * B, width_);
    const uint32_t y0 = r * B + need.top, y1 = std::min(r * B + need.end, height_);
    return Area{int32_t(x0), int32_t(y0), int32_t(x1 - x0), int32_t(y1 - y0)};
}

// ---------------------------------------------------------------- when blocks were drawn

void BlockStamps::Resize(uint32_t width, uint32_t height) {
    width_ = width;
    height_ = height;
    columns_ = (width + ChangeMap::kBlock - 1) / ChangeMap::kBlock;
    ++count_;
    stamps_.assign(size_t(columns_) * ((height + ChangeMap::kBlock - 1) / ChangeMap::kBlock), count_);
}

bool BlockStamps::Since(uint64_t mark, int64_t x0, int64_t x1, int64_t y0, int64_t y1) const {
    if (x0 < 0 || y0 < 0 || x1 > int64_t(width_) || y1 > int64_t(height_) || x0 >= x1 || y0 >= y1)
        return false;
    bool untouched = true;
    ForEachBlockRows(ChangeMap::kBlock, columns_, x0, x1, y0, y1, [&](int64_t i, uint8_t, uint8_t) {
        untouched = untouched && stamps_[size_t(i)] <= mark;
    });
    return untouched;
}

}  // namespace Vitrine::detail
