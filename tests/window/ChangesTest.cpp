// The map of changed blocks: the rectangles it makes of its marks, copying
// only what really differs, what else is repainted under a note drawn
// over the picture, and which whole images the blocks still hold.
#include "window/Changes.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Vitrine::detail;

namespace {

std::vector<Area> Rects(const ChangeMap& map) {
    return map.Areas();
}

}  // namespace

// 60 x 60 pixels: blocks of 25, the last row and column of blocks 10 wide.
TEST(ChangeMap, MarksBecomeFewTightRectanglesClippedToThePicture) {
    ChangeMap map;
    map.Resize(60, 60);
    EXPECT_TRUE(Rects(map).empty());
    map.Mark(20, 30, 0, 25);   // across the edge of two blocks: one run
    map.Mark(20, 30, 25, 30);  // the same run just below it, in the next row of blocks: joined
    map.MarkRow(52, 55, 5);    // beside the run, but neither reaches their common edge
    map.MarkRow(59, 60, 59);   // in the corner block
    EXPECT_EQ(Rects(map), (std::vector<Area>{{20, 0, 10, 30}, {52, 5, 3, 1}, {59, 59, 1, 1}}));
    map.Clear();
    EXPECT_FALSE(map.Any());
    map.MarkAll();
    EXPECT_EQ(Rects(map), (std::vector<Area>{{0, 0, 60, 60}}));
}

TEST(ChangeMap, CopiesOnlyWhatDiffersInMarkedBlocks) {
    ChangeMap marked, copied;
    marked.Resize(50, 25);
    copied.Resize(50, 25);
    std::vector<uint32_t> from(50 * 25, 7), to(50 * 25, 7);
    from[24 * 50 + 49] = 9;  // the last pixel of the right block
    from[3 * 50 + 30] = 9;   // and one up and left in it
    from[0] = 9;             // a change in the left block, which nobody marked
    marked.Mark(25, 50, 0, 25);
    EXPECT_TRUE(marked.CopyDiffering(from.data(), to.data(), copied));
    EXPECT_EQ(to[24 * 50 + 49], 9u);
    EXPECT_EQ(to[3 * 50 + 30], 9u);
    EXPECT_EQ(to[0], 7u);
    EXPECT_EQ(Rects(copied), (std::vector<Area>{{30, 3, 20, 22}}));
    EXPECT_FALSE(marked.CopyDiffering(from.data(), to.data(), copied)) << "they are alike now";
}

TEST(Overlay, ItsPlaceIsRepaintedWhenItComesGoesMovesOrSomethingUnderItChanges) {
    const Area note{10, 10, 20, 5}, elsewhere{100, 100, 20, 5}, under{0, 0, 15, 15}, apart{200, 0, 5, 5};
    std::vector<Area> areas;
    AddOverlay(areas, {}, note);  // it comes
    EXPECT_EQ(areas, (std::vector<Area>{note}));
    areas = {apart};
    AddOverlay(areas, note, note);  // stays, nothing under it changed
    EXPECT_EQ(areas, (std::vector<Area>{apart}));
    areas = {under};
    AddOverlay(areas, note, note);  // stays, drawn again over a whole picture
    EXPECT_EQ(areas, (std::vector<Area>{under, note}));
    areas = {};
    AddOverlay(areas, note, elsewhere);
    EXPECT_EQ(areas, (std::vector<Area>{note, elsewhere}));
    areas = {};
    AddOverlay(areas, note, {});  // it goes
    EXPECT_EQ(areas, (std::vector<Area>{note}));
}

// What a redraw of the image would draw: the runs of blocks that do not hold it.
static std::vector<Area> Redrawn(BlockImages& held, uint64_t image, int64_t x, int64_t y, int64_t w,
                                 int64_t h) {
    std::vector<Area> drawn;
    if (!held.Redraw(image, x, y, w, h, [&](const Area& a) { drawn.push_back(a); }))
        drawn.push_back({-1, -1, 0, 0});
    return drawn;
}

TEST(BlockImages, AnImageIsDrawnAgainOnlyWhereABlockLostIt) {
    BlockImages held;
    held.Resize(110, 60);  // the last column of blocks is 10 wide
    EXPECT_EQ(Redrawn(held, 1, 0, 0, 50, 50), (std::vector<Area>{{0, 0, 50, 25}, {0, 25, 50, 25}}));
    EXPECT_TRUE(Redrawn(held, 1, 0, 0, 50, 50).empty());
    EXPECT_EQ(Redrawn(held, 2, 0, 0, 50, 50).size(), 2u) << "another image";
    EXPECT_EQ(Redrawn(held, 2, 50, 0, 50, 50).size(), 2u) << "elsewhere";
    held.Forget(30, 31, 49, 50);
    EXPECT_EQ(Redrawn(held, 2, 0, 0, 50, 50), (std::vector<Area>{{25, 49, 25, 1}})) << "the row that changed";
    // Out to the picture's edge counts as whole; a part block never does.
    EXPECT_EQ(Redrawn(held, 3, 100, 50, 50, 50), (std::vector<Area>{{100, 50, 10, 10}}));
    EXPECT_EQ(Redrawn(held, 4, 10, 0, 50, 50), (std::vector<Area>{{-1, -1, 0, 0}}));
}
