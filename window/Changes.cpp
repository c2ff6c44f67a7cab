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

Area Joined(const Area& a, const Area& b) {
    if (Empty(a)) return b;
    if (Empty(b)) return a;
    const int32_t x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    const int32_t x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
    return Area{x0, y0, x1 - x0, y1 - y0};
}

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
    marks_.assign(size_t(columns_) * rows_, Box{});
    any_ = false;
}

void ChangeMap::MarkAll() {
    std::fill(marks_.begin(), marks_.end(), Box{0, uint8_t(kBlock), 0, uint8_t(kBlock)});
    any_ = !marks_.empty();
}

void ChangeMap::Clear() {
    if (!any_) return;
    std::fill(marks_.begin(), marks_.end(), Box{});
    any_ = false;
}

// Calls visit(x, y, box) for every marked block, with its corner in the
// picture and its marked part clipped to the picture.
template <typename Visit>
void ChangeMap::ForEachMarked(Visit visit) const {
    if (!any_) return;
    for (uint32_t r = 0; r < rows_; ++r) {
        const uint32_t y = r * kBlock, h = std::min(kBlock, height_ - y);
        for (uint32_t c = 0; c < columns_; ++c) {
            Box box = marks_[size_t(r) * columns_ + c];
            if (!box.Marked()) continue;
            const uint32_t x = c * kBlock, w = std::min(kBlock, width_ - x);
            box.end = uint8_t(std::min<uint32_t>(box.end, h));
            box.right = uint8_t(std::min<uint32_t>(box.right, w));
            if (box.top < box.end && box.left < box.right) visit(x, y, box);
        }
    }
}

bool ChangeMap::CopyDiffering(const uint32_t* from, uint32_t* to, ChangeMap& copied) const {
    bool any = false;
    ForEachMarked([&](uint32_t x, uint32_t y, const Box& box) {
        const size_t bytes = size_t(box.right - box.left) * sizeof(uint32_t);
        const auto at = [&](uint32_t row, uint32_t column) { return size_t(y + row) * width_ + x + column; };
        const auto rowDiffers = [&](uint32_t row) {
            return std::memcmp(from + at(row, box.left), to + at(row, box.left), bytes) != 0;
        };
        // The differing rows: the first and last from each end.
        uint32_t top = box.top, end = box.end;
        while (top < end && !rowDiffers(top)) ++top;
        if (top >= end) return;
        while (!rowDiffers(end - 1)) --end;
        // The differing columns in them: a row moves a bound only where it
        // differs outside the bounds so far, which memcmp tells quickly.
        uint32_t left = box.right, right = box.left;
        const auto differs = [](const uint32_t* a, const uint32_t* b, uint32_t n) {
            return n > 0 && std::memcmp(a, b, size_t(n) * sizeof(uint32_t)) != 0;
        };
        for (uint32_t row = top; row < end; ++row) {
            const uint32_t* a = from + at(row, 0);
            const uint32_t* b = to + at(row, 0);
            if (differs(a + box.left, b + box.left, left - box.left))
                for (uint32_t c = box.left; c < left; ++c)
                    if (a[c] != b[c]) {
                        left = c;
                        break;
                    }
            if (right < left) right = left;  // a first differing row: its right bound from its left one
            if (differs(a + right, b + right, box.right - right))
                for (uint32_t c = box.right; c > right; --c)
                    if (a[c - 1] != b[c - 1]) {
                        right = c;
                        break;
                    }
        }
        for (uint32_t row = top; row < end; ++row)
            std::memcpy(to + at(row, left), from + at(row, left), size_t(right - left) * sizeof(uint32_t));
        copied.marks_[size_t(y / kBlock) * columns_ + x / kBlock].Add(
            Box{uint8_t(top), uint8_t(end), uint8_t(left), uint8_t(right)});
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
    Area run;             // the run along this row of blocks being joined
    bool runsOn = false;  // ... and it reaches the right edge of its last block
    uint32_t runRow = 0;
    const auto closeRun = [&] {
        if (run.w <= 0) return;
        auto same = std::find_if(open.begin(), open.end(), [&](size_t k) {
            const Area& a = areas[k];
            return a.x == run.x && a.w == run.w && a.y + a.h == run.y;
        });
        if (same != open.end()) {
            areas[*same].h += run.h;
            stillOpen.push_back(*same);
        } else {
            areas.push_back(run);
            stillOpen.push_back(areas.size() - 1);
        }
        run = Area{};
    };
    ForEachMarked([&](uint32_t x, uint32_t y, const Box& box) {
        const uint32_t r = y / kBlock;
        if (r != runRow) {
            closeRun();
            open.swap(stillOpen);
            stillOpen.clear();
            if (r != runRow + 1) open.clear();  // a row of blocks with nothing marked between
            runRow = r;
        }
        const Area part{int32_t(x + box.left), int32_t(y + box.top), int32_t(box.right - box.left),
                        int32_t(box.end - box.top)};
        const bool joins = run.w > 0 && runsOn && box.left == 0 && run.x + run.w == part.x;
        if (joins) {
            const int32_t y0 = std::min(run.y, part.y), y1 = std::max(run.y + run.h, part.y + part.h);
            run = Area{run.x, y0, part.x + part.w - run.x, y1 - y0};
        } else {
            closeRun();
            run = part;
        }
        runsOn = box.right == std::min(kBlock, width_ - x);
    });
    closeRun();
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
