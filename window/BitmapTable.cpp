// The bitmap table: images loaded from image files (by the platform, see
// LoadedPictures.h) or given by a test, or created blank, named by handles
// counted from 1, drawn whole or through a black-and-white mask, and copied
// into one another. Needs no SDL: every window platform shares it.
//
// Loads of the same file at the same size share one copy of the pixels (the
// game loads the cat images for every cat at every attempt, and each screen's
// images at every entry); a shared copy is never written: CopyBitmap gives
// its destination a private copy first.
#include "window/LoadedPictures.h"
#include "window/VitrineInternal.h"
#include "window/VitrineTest.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <tuple>

namespace Vitrine {
namespace detail {

namespace {

// The columns of one mask row that are drawn.
struct Span {
    uint16_t x;
    uint16_t length;
};

// A mask prepared for drawing an image of width x height through it: per
// row, the spans where the mask is white.
struct PreparedMask {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> rowStart;  // index into spans; height + 1 entries
    std::vector<Span> spans;
    // Around every span: columns left .. right - 1 of rows top .. bottom - 1
    // (none when bottom is 0), so a drawing notes its change in one step.
    uint32_t left = UINT32_MAX, right = 0, top = UINT32_MAX, bottom = 0;
};

// A new number for each picture and for each change of one (never 0).
uint64_t NewImageId() {
    static uint64_t last = 0;
    return ++last;
}

}  // namespace

// A picture as the table keeps it.
struct Pixels : Picture {
    uint64_t id = NewImageId();        // tells this picture, as it is now, from every other
    bool fromFile = false;             // may be shared by several loads: never written in place
    std::vector<PreparedMask> asMask;  // dropped with the pixels, cleared when they change
};

std::shared_ptr<Pixels> KeepLoaded(Picture picture) {
    auto pixels = std::make_shared<Pixels>();
    static_cast<Picture&>(*pixels) = std::move(picture);
    pixels->fromFile = true;
    return pixels;
}

namespace {

struct BitStruct {
    std::shared_ptr<Pixels> hbit;  // null marks a free entry
    uint32_t width = 0;
    uint32_t height = 0;
};

std::vector<BitStruct> bit;  // bitlen = bit.size()

// Pictures given by tests (Testing::GivePicture) by file name, and their
// loads by (name, width, height).
std::map<std::string, Picture> gGiven;
std::map<std::tuple<std::string, uint32_t, uint32_t>, std::shared_ptr<Pixels>> gGivenLoads;

// A given picture at width x height (0: its own size), scaled as a file's
// would be (nearest neighbour); null when none is given by that name.
std::shared_ptr<Pixels> GivenPixels(const char* file, uint32_t width, uint32_t height) {
    const auto given = gGiven.find(file);
    if (given == gGiven.end()) return nullptr;
    const Picture& from = given->second;
    std::shared_ptr<Pixels>& load = gGivenLoads[{file, width, height}];
    if (load) return load;
    Picture picture;
    picture.width = width == 0 ? from.width : std::min(width, kMaxSide);
    picture.height = height == 0 ? from.height : std::min(height, kMaxSide);
    picture.px.resize(size_t(picture.width) * picture.height);
    for (uint32_t y = 0; y < picture.height; ++y) {
        const uint32_t sy = uint32_t(uint64_t(y) * from.height / picture.height);
        for (uint32_t x = 0; x < picture.width; ++x) {
            const uint32_t sx = uint32_t(uint64_t(x) * from.width / picture.width);
            picture.px[size_t(y) * picture.width + x] = from.px[size_t(sy) * from.width + sx] & 0xFFFFFF;
        }
    }
    load = KeepLoaded(std::move(picture));
    return load;
}

BitStruct* Entry(uint32_t handle) {
    if (handle == 0 || handle > bit.size() || !bit[handle - 1].hbit) return nullptr;
    return &bit[handle - 1];
}

// Enters an image into the lowest free entry, else appends; returns its handle.
uint32_t AddBitmap(std::shared_ptr<Pixels> pixels, uint32_t width, uint32_t height) {
    auto freeEntry = std::find_if(bit.begin(), bit.end(), [](const BitStruct& b) { return !b.hbit; });
    if (freeEntry == bit.end()) freeEntry = bit.insert(bit.end(), BitStruct{});
    *freeEntry = BitStruct{std::move(pixels), width, height};
    return uint32_t(freeEntry - bit.begin()) + 1;
}

// Frees entry `del` (handle - 1); free entries at the end of the table are trimmed.
void DelBitmap(uint32_t del) {
    bit[del].hbit.reset();
    while (!bit.empty() && !bit.back().hbit) bit.pop_back();
    if (bit.empty()) bit.shrink_to_fit();
}

// Gives the entry pixels of its own before they are written.
Pixels& Writable(BitStruct& entry) {
    if (entry.hbit->fromFile || entry.hbit.use_count() > 1) {
        auto copy = std::make_shared<Pixels>();
        copy->width = entry.hbit->width;
        copy->height = entry.hbit->height;
        copy->px = entry.hbit->px;
        entry.hbit = std::move(copy);
    }
    entry.hbit->asMask.clear();
    entry.hbit->id = NewImageId();  // what the buffer holds of it is no longer this picture
    return *entry.hbit;
}

// ------------------------------------------------ drawing

// A grey pixel counts as white from half brightness up.
bool IsWhite(uint32_t pixel) {
    return (pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF) >= 3 * 128;
}

const PreparedMask& Prepare(Pixels& mask, uint32_t width, uint32_t height) {
    for (const PreparedMask& known : mask.asMask) {
        if (known.width == width && known.height == height) return known;
    }
    PreparedMask prepared;
    prepared.width = width;
    prepared.height = height;
    uint32_t across = std::min(width, mask.width);
    for (uint32_t y = 0; y < height; ++y) {
        prepared.rowStart.push_back(uint32_t(prepared.spans.size()));
        if (y >= mask.height) continue;
        const uint32_t* row = mask.px.data() + size_t(y) * mask.width;
        for (uint32_t x = 0; x < across;) {
            if (!IsWhite(row[x])) {
                ++x;
                continue;
            }
            uint32_t start = x;
            while (x < across && IsWhite(row[x])) ++x;
            prepared.spans.push_back(Span{uint16_t(start), uint16_t(x - start)});
            prepared.left = std::min(prepared.left, start);
            prepared.right = std::max(prepared.right, x);
            prepared.top = std::min(prepared.top, y);
            prepared.bottom = y + 1;
        }
    }
    prepared.rowStart.push_back(uint32_t(prepared.spans.size()));
    mask.asMask.push_back(std::move(prepared));
    return mask.asMask.back();
}

// Copies `length` pixels of an image row (from column `from`) to the buffer at
// (x + from, by), clipped to the buffer; by is inside the buffer.
// Returns the buffer's columns written, first .. end - 1 (none when end <=
// first), for the caller to note as changed.
struct Columns {
    int64_t first = 0, end = 0;
};
inline Columns CopyRowPart(const uint32_t* source, int64_t from, int64_t length, int64_t x, int64_t by) {
    int64_t left = std::max<int64_t>(from, -x);
    int64_t right = std::min<int64_t>(from + length, int64_t(window.xlen) - x);
    if (left >= right) return {};
    std::memcpy(window.buffer.data() + by * window.xlen + x + left, source + left,
                size_t(right - left) * sizeof(uint32_t));
    return {x + left, x + right};
}

// Copies columns from .. from + length - 1 of rows top .. bottom - 1 of an
// image drawn at (x, y) (rows inside the buffer) and notes the change.
void DrawRows(const Pixels& image, int64_t from, int64_t length, int64_t x, int64_t y, int64_t top,
              int64_t bottom) {
    Columns written;
    for (int64_t row = top; row < bottom; ++row)
        written = CopyRowPart(image.px.data() + row * image.width, from, length, x, y + row);
    if (top < bottom && written.first < written.end) Changed(written.first, written.end, y + top, y + bottom);
}

// Tests: true when rows top .. bottom - 1 of the image drawn at (x, y) show in the buffer.
bool ShowsImage(const Pixels& image, int64_t x, int64_t y, int64_t top, int64_t bottom) {
    const int64_t left = std::max<int64_t>(0, -x),
                  right = std::min<int64_t>(image.width, int64_t(window.xlen) - x);
    for (int64_t row = top; row < bottom && left < right; ++row) {
        if (std::memcmp(window.buffer.data() + (y + row) * window.xlen + x + left,
                        image.px.data() + row * image.width + left,
                        size_t(right - left) * sizeof(uint32_t)) != 0)
            return false;
    }
    return true;
}

}  // namespace

void ResetBitmaps() {
    bit.clear();
    bit.shrink_to_fit();
    gGivenLoads.clear();
    ForgetLoadedPixels();
}

}  // namespace detail

using namespace detail;

uint32_t LoadBitmap(const char* file, uint32_t width, uint32_t height) {
    NoticeClose();
    if (!file) return 0;
    auto pixels = GivenPixels(file, width, height);
    if (!pixels) pixels = LoadPixels(file, width, height);
    if (!pixels) return 0;
    return AddBitmap(pixels, pixels->width, pixels->height);
}

uint32_t CreateBitmap(uint32_t width, uint32_t height) {
    NoticeClose();
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) return 0;
    auto pixels = std::make_shared<Pixels>();
    pixels->width = width;
    pixels->height = height;
    pixels->px.assign(size_t(width) * height, 0);
    return AddBitmap(std::move(pixels), width, height);
}

void DestroyBitmap(uint32_t bitmap) {
    NoticeClose();
    if (Entry(bitmap)) DelBitmap(bitmap - 1);
}

void DrawBitmap(uint32_t bitmap, int32_t x, int32_t y) {
    if (!Active()) return;
    const BitStruct* entry = Entry(bitmap);
    if (!entry) return;
    const Pixels& image = *entry->hbit;
    // Over whole blocks, only the ones that no longer hold it from a drawing
    // here are drawn again: the others show it already.
    const bool inBlocks =
        window.held.Redraw(image.id, x, y, image.width, image.height, [&](const Area& area) {
            DrawRows(image, area.x - x, area.w, x, y, area.y - y, area.y - y + area.h);
        });
    int64_t top = std::max<int64_t>(0, -int64_t(y));
    int64_t bottom = std::min<int64_t>(image.height, int64_t(window.ylen) - y);
    if (!inBlocks) DrawRows(image, 0, image.width, x, y, top, bottom);
    if (window.checkDrawing && !ShowsImage(image, x, y, top, bottom)) ++window.drawnWrong;
    ShowChange();
}

void DrawMaskBitmap(uint32_t bitmap, uint32_t maskbitmap, int32_t x, int32_t y) {
    if (!Active()) return;
    const BitStruct* entry = Entry(bitmap);
    BitStruct* maskEntry = Entry(maskbitmap);
    if (!entry || !maskEntry) return;
    const Pixels& image = *entry->hbit;
    const PreparedMask& mask = Prepare(*maskEntry->hbit, image.width, image.height);
    int64_t top = std::max<int64_t>(0, -int64_t(y));
    int64_t bottom = std::min<int64_t>(image.height, int64_t(window.ylen) - y);
    for (int64_t row = top; row < bottom; ++row) {
        const uint32_t* source = image.px.data() + row * image.width;
        for (uint32_t s = mask.rowStart[row]; s < mask.rowStart[row + 1]; ++s) {
            CopyRowPart(source, mask.spans[s].x, mask.spans[s].length, x, y + row);
        }
    }
    // The change is noted once, around the mask's spans inside the buffer.
    const int64_t x0 = std::max<int64_t>(0, x + int64_t(mask.left)),
                  x1 = std::min<int64_t>(window.xlen, x + int64_t(mask.right)),
                  y0 = y + std::max<int64_t>(top, mask.top), y1 = y + std::min<int64_t>(bottom, mask.bottom);
    if (x0 < x1 && y0 < y1) Changed(x0, x1, y0, y1);
    ShowChange();
}

void CopyBitmap(uint32_t srcbitmap, uint32_t destbitmap, int32_t xsrc, int32_t ysrc, int32_t xdest,
                int32_t ydest, uint32_t width, uint32_t height) {
    NoticeClose();
    BitStruct* source = Entry(srcbitmap);
    BitStruct* dest = Entry(destbitmap);
    if (!source || !dest) return;
    Pixels& to = Writable(*dest);
    std::shared_ptr<Pixels> keep = source->hbit;  // a copy onto itself reads a snapshot
    std::vector<uint32_t> snapshot;
    const Pixels& from = *keep;
    const uint32_t* fromPx = from.px.data();
    if (&from == &to) {
        snapshot = from.px;
        fromPx = snapshot.data();
    }
    // Clip the rectangle to both images.
    int64_t sx = xsrc, sy = ysrc, dx = xdest, dy = ydest, w = width, h = height;
    int64_t cut = std::max<int64_t>({0, -sx, -dx});
    sx += cut, dx += cut, w -= cut;
    cut = std::max<int64_t>({0, -sy, -dy});
    sy += cut, dy += cut, h -= cut;
    w = std::min<int64_t>({w, int64_t(from.width) - sx, int64_t(to.width) - dx});
    h = std::min<int64_t>({h, int64_t(from.height) - sy, int64_t(to.height) - dy});
    if (w <= 0 || h <= 0) return;
    for (int64_t row = 0; row < h; ++row) {
        std::memcpy(to.px.data() + (dy + row) * to.width + dx, fromPx + (sy + row) * from.width + sx,
                    size_t(w) * sizeof(uint32_t));
    }
}

// ---------------------------------------------------------------- for tests

namespace Testing {

void GivePicture(const std::string& file, uint32_t width, uint32_t height, std::vector<uint32_t> pixels) {
    for (auto load = gGivenLoads.begin(); load != gGivenLoads.end();) {
        load = std::get<0>(load->first) == file ? gGivenLoads.erase(load) : std::next(load);
    }
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
        pixels.size() != size_t(width) * height) {
        gGiven.erase(file);
        return;
    }
    gGiven[file] = Picture{width, height, std::move(pixels)};
}

uint32_t BitmapCount() {
    NoticeClose();
    return uint32_t(bit.size());
}

bool SharesPixels(uint32_t a, uint32_t b) {
    const BitStruct* first = Entry(a);
    const BitStruct* second = Entry(b);
    return first && second && first->hbit == second->hbit;
}

uint32_t BitmapPixel(uint32_t bitmap, uint32_t x, uint32_t y) {
    const BitStruct* entry = Entry(bitmap);
    if (!entry || x >= entry->hbit->width || y >= entry->hbit->height) return 0;
    return entry->hbit->px[size_t(y) * entry->hbit->width + x];
}

}  // namespace Testing

}  // namespace Vitrine
