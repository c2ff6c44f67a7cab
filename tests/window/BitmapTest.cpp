// The bitmap table: handles, loading (bit depths, scaling, file names),
// shared pixels, masked drawing and copies between images.
#include "tests/window/WindowFixture.h"

#include <chrono>
#include <filesystem>
#include <fstream>

using namespace Vitrine;
using kerbo_test::Bgr;
using kerbo_test::ScratchFolder;
using kerbo_test::WindowTest;
using kerbo_test::WriteBmp;
using Testing::BitmapCount;
using Testing::Pixel;

namespace {

// A picture whose every pixel tells where it came from.
uint32_t Gradient(int x, int y) {
    return uint32_t(x * 4) << 16 | uint32_t(y * 8) << 8 | 0x40;
}

}  // namespace

class BitmapTable : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        WriteBmp(tile, 50, 50, 24, Gradient);
    }
    uint32_t Load() { return LoadBitmap(tile.c_str(), 50, 50); }

    ScratchFolder folder;
    std::string tile = folder.File("tile.bmp");
};

TEST_F(BitmapTable, HolesAreReusedLowestFirst) {
    EXPECT_EQ(BitmapCount(), 0u);
    EXPECT_EQ(Load(), 1u);
    EXPECT_EQ(Load(), 2u);
    EXPECT_EQ(Load(), 3u);
    DestroyBitmap(2);
    EXPECT_EQ(BitmapCount(), 3u);
    EXPECT_EQ(Testing::BitmapPixel(1, 0, 0), Bgr(Gradient(0, 0)));
    EXPECT_EQ(Testing::BitmapPixel(3, 0, 0), Bgr(Gradient(0, 0)));
    EXPECT_EQ(CreateBitmap(5, 5), 2u);
    EXPECT_EQ(BitmapCount(), 3u);
}

TEST_F(BitmapTable, DestroyingTheLastTrimsFreeEntriesBelowIt) {
    for (int i = 0; i < 4; ++i) Load();
    DestroyBitmap(2);
    DestroyBitmap(3);
    EXPECT_EQ(BitmapCount(), 4u);
    DestroyBitmap(4);
    EXPECT_EQ(BitmapCount(), 1u);
    DestroyBitmap(1);
    EXPECT_EQ(BitmapCount(), 0u);
    EXPECT_EQ(Load(), 1u);
}

TEST_F(BitmapTable, InvalidHandlesAndFailedLoadsChangeNothing) {
    Load();
    Load();
    DestroyBitmap(1);
    DestroyBitmap(1);
    DestroyBitmap(0);
    DestroyBitmap(99);
    EXPECT_EQ(BitmapCount(), 2u);
    EXPECT_EQ(LoadBitmap(folder.File("missing.bmp").c_str(), 10, 10), 0u);
    std::string notBmp = folder.File("text.bmp");
    FILE* out = std::fopen(notBmp.c_str(), "w");
    std::fputs("not a picture", out);
    std::fclose(out);
    EXPECT_EQ(LoadBitmap(notBmp.c_str(), 10, 10), 0u);
    EXPECT_EQ(LoadBitmap(nullptr, 10, 10), 0u);
    EXPECT_EQ(CreateBitmap(0, 10), 0u);
    EXPECT_EQ(BitmapCount(), 2u);
    DrawBitmap(0, 0, 0);
    DrawBitmap(1, 0, 0);
    DrawMaskBitmap(2, 1, 0, 0);
    EXPECT_EQ(Pixel(0, 0), 0u);
}

TEST_F(BitmapTable, IdenticalLoadsShareOnePicture) {
    uint32_t a = Load(), b = Load();
    EXPECT_NE(a, b);
    EXPECT_EQ(BitmapCount(), 2u);
    EXPECT_TRUE(Testing::SharesPixels(a, b));
    uint32_t other = LoadBitmap(tile.c_str(), 25, 25);
    EXPECT_FALSE(Testing::SharesPixels(a, other));
    // Writing into one of them leaves the other as loaded.
    uint32_t source = LoadBitmap(tile.c_str(), 50, 50);
    CopyBitmap(other, b, 0, 0, 0, 0, 10, 10);
    EXPECT_FALSE(Testing::SharesPixels(a, b));
    EXPECT_EQ(Testing::BitmapPixel(b, 5, 5), Bgr(Gradient(10, 10)));
    EXPECT_EQ(Testing::BitmapPixel(a, 5, 5), Bgr(Gradient(5, 5)));
    EXPECT_EQ(Testing::BitmapPixel(source, 5, 5), Bgr(Gradient(5, 5)));
    EXPECT_TRUE(Testing::SharesPixels(a, source));
}

// Screens load their pictures at every entry and release them on leaving:
// the file is decoded once, and again only when it has changed.
TEST_F(BitmapTable, AFileIsDecodedOnceUntilItChanges) {
    const uint64_t before = Testing::BitmapDecodes();
    DestroyBitmap(Load());
    uint32_t again = Load();
    EXPECT_EQ(Testing::BitmapDecodes(), before + 1);
    EXPECT_EQ(Testing::BitmapPixel(again, 3, 3), Bgr(Gradient(3, 3)));
    WriteBmp(tile, 50, 50, 24, [](int, int) { return 0x102030u; });
    std::filesystem::last_write_time(tile, std::filesystem::last_write_time(tile) + std::chrono::seconds(2));
    uint32_t changed = Load();
    EXPECT_EQ(Testing::BitmapDecodes(), before + 2);
    EXPECT_EQ(Testing::BitmapPixel(changed, 3, 3), Bgr(0x102030u));
    EXPECT_EQ(Testing::BitmapPixel(again, 3, 3), Bgr(Gradient(3, 3))) << "a loaded image keeps its pixels";
}

// A header may claim any size; the decoder would try to allocate it.
TEST_F(BitmapTable, HeadersClaimingHugePicturesAreRefusedUndecoded) {
    for (int32_t claimed : {100000, -100000, 5000}) {
        std::string file = folder.File("huge.bmp");
        WriteBmp(file, 4, 4, 24, Gradient);
        std::fstream patch(file, std::ios::in | std::ios::out | std::ios::binary);
        patch.seekp(18);
        patch.write(reinterpret_cast<const char*>(&claimed), 4);  // width
        patch.write(reinterpret_cast<const char*>(&claimed), 4);  // height
        patch.close();
        const uint64_t before = Testing::BitmapDecodes();
        EXPECT_EQ(LoadBitmap(file.c_str(), 0, 0), 0u) << claimed;
        EXPECT_EQ(LoadBitmap(file.c_str(), 10, 10), 0u) << claimed;
        EXPECT_EQ(Testing::BitmapDecodes(), before) << claimed;
    }
    EXPECT_EQ(BitmapCount(), 0u);
}

TEST_F(BitmapTable, DrawsWholeImageClippedAtTheWindowEdge) {
    uint32_t handle = Load();
    DrawBitmap(handle, 100, 200);
    EXPECT_EQ(Pixel(100, 200), Bgr(Gradient(0, 0)));
    EXPECT_EQ(Pixel(149, 249), Bgr(Gradient(49, 49)));
    EXPECT_EQ(Pixel(150, 249), 0u);
    DrawBitmap(handle, -10, -20);
    EXPECT_EQ(Pixel(0, 0), Bgr(Gradient(10, 20)));
    DrawBitmap(handle, 780, 490);
    EXPECT_EQ(Pixel(799, 499), Bgr(Gradient(19, 9)));
}

TEST_F(BitmapTable, ScalesTheFileToTheRequestedSize) {
    std::string big = folder.File("big.bmp");
    WriteBmp(big, 40, 20, 24, Gradient);
    uint32_t handle = LoadBitmap(big.c_str(), 20, 10);
    Rectangle(0, 0, 799, 499, 0xFFFFFF, true);
    DrawBitmap(handle, 0, 0);
    EXPECT_EQ(Pixel(0, 0), Bgr(Gradient(0, 0)));
    EXPECT_EQ(Pixel(19, 9), Bgr(Gradient(38, 18)));
    EXPECT_EQ(Pixel(20, 9), 0xFFFFFFu);
    EXPECT_EQ(Pixel(19, 10), 0xFFFFFFu);
}

TEST_F(BitmapTable, ReadsEveryBitDepth) {
    const std::vector<uint32_t> palette = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
    auto indexOf = [](int x, int y) { return uint32_t(x + y) % 2; };
    auto colourOf = [](int x, int y) { return (x + y) % 2 ? 0xFFFFFFu : 0u; };
    for (int bpp : {1, 4, 8, 24, 32}) {
        std::string file = folder.File("depth" + std::to_string(bpp) + ".bmp");
        if (bpp <= 8) {
            WriteBmp(file, 7, 3, bpp, indexOf, palette);
        } else {
            WriteBmp(file, 7, 3, bpp, colourOf);
        }
        uint32_t handle = LoadBitmap(file.c_str(), 7, 3);
        ASSERT_NE(handle, 0u) << bpp;
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 7; ++x) EXPECT_EQ(Testing::BitmapPixel(handle, x, y), colourOf(x, y)) << bpp;
        }
    }
    std::string colours = folder.File("palette4.bmp");
    WriteBmp(
        colours, 4, 1, 4, [](int x, int) { return uint32_t(x + 2); }, palette);
    uint32_t handle = LoadBitmap(colours.c_str(), 4, 1);
    EXPECT_EQ(Testing::BitmapPixel(handle, 0, 0), Bgr(0xFF0000));
    EXPECT_EQ(Testing::BitmapPixel(handle, 2, 0), Bgr(0x0000FF));
    EXPECT_EQ(Testing::BitmapPixel(handle, 3, 0), Bgr(0x808080));
}

TEST_F(BitmapTable, FileNamesIgnoreCaseWhenNotFoundAsGiven) {
    std::filesystem::create_directories(folder.File("Images"));
    WriteBmp(folder.File("Images/Cat.bmp"), 4, 4, 24, Gradient);
    EXPECT_NE(LoadBitmap(folder.File("images/CAT.BMP").c_str(), 4, 4), 0u);
    EXPECT_NE(LoadBitmap(folder.File("Images/cat.bmp").c_str(), 4, 4), 0u);
    EXPECT_EQ(LoadBitmap(folder.File("images/dog.bmp").c_str(), 4, 4), 0u);
}

class MaskedDrawing : public BitmapTable {
  protected:
    uint32_t Mask(const std::function<uint32_t(int, int)>& colour) {
        std::string file = folder.File("mask" + std::to_string(++masks) + ".bmp");
        WriteBmp(file, 50, 50, 24, colour);
        return LoadBitmap(file.c_str(), 50, 50);
    }
    int masks = 0;
};

TEST_F(MaskedDrawing, BlackKeepsTheBufferWhiteDrawsTheImage) {
    uint32_t image = Load();
    Rectangle(0, 0, 799, 499, 0x123456, true);
    DrawMaskBitmap(image, Mask([](int, int) { return 0u; }), 10, 10);
    for (int y = 0; y < 70; ++y) {
        for (int x = 0; x < 70; ++x) ASSERT_EQ(Pixel(x, y), 0x123456u);
    }
    DrawMaskBitmap(image, Mask([](int, int) { return 0xFFFFFFu; }), 10, 10);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 50; ++x) ASSERT_EQ(Pixel(10 + x, 10 + y), Bgr(Gradient(x, y)));
    }
    EXPECT_EQ(Pixel(60, 60), 0x123456u);
}

TEST_F(MaskedDrawing, ASpriteThroughItsShapeWithGreysByBrightness) {
    // A round sprite: white disc inside, black around; two grey rings.
    auto shape = [](int x, int y) {
        int d = (x - 25) * (x - 25) + (y - 25) * (y - 25);
        if (d < 15 * 15) return 0xFFFFFFu;
        if (d < 17 * 17) return 0x808080u;  // half brightness: drawn
        if (d < 19 * 19) return 0x7F7F7Fu;  // just below: kept
        return 0u;
    };
    uint32_t image = Load(), mask = Mask(shape);
    Rectangle(0, 0, 799, 499, 0x123456, true);
    DrawMaskBitmap(image, mask, -5, 300);  // partly off the left edge
    for (int y = 0; y < 50; ++y) {
        for (int x = 5; x < 50; ++x) {
            bool drawn = shape(x, y) >= 0x808080u;
            ASSERT_EQ(Pixel(x - 5, 300 + y), drawn ? Bgr(Gradient(x, y)) : 0x123456u) << x << "," << y;
        }
    }
    // The mask and image still draw correctly after the mask is replaced by a copy.
    CopyBitmap(CreateBitmap(50, 50), mask, 0, 0, 0, 0, 50, 50);  // all black now
    Rectangle(0, 0, 799, 499, 0x123456, true);
    DrawMaskBitmap(image, mask, 0, 0);
    EXPECT_EQ(Pixel(25, 25), 0x123456u);
}

TEST_F(BitmapTable, CopyBitmapClipsAndCopiesOntoItself) {
    uint32_t image = Load();
    uint32_t patch = CreateBitmap(10, 10);
    CopyBitmap(image, patch, 45, 45, 0, 0, 10, 10);  // only 5 x 5 lie inside the source
    EXPECT_EQ(Testing::BitmapPixel(patch, 4, 4), Bgr(Gradient(49, 49)));
    EXPECT_EQ(Testing::BitmapPixel(patch, 5, 5), 0u);
    CopyBitmap(image, image, 0, 0, 1, 0, 49, 50);  // shift right by one
    EXPECT_EQ(Testing::BitmapPixel(image, 1, 0), Bgr(Gradient(0, 0)));
    EXPECT_EQ(Testing::BitmapPixel(image, 49, 7), Bgr(Gradient(48, 7)));
    CopyBitmap(image, 0, 0, 0, 0, 0, 5, 5);
    CopyBitmap(99, patch, 0, 0, 0, 0, 5, 5);
    EXPECT_EQ(Testing::BitmapPixel(patch, 0, 0), Bgr(Gradient(45, 45)));
}

// Drawing an image again where it lies untouched is skipped; whatever was
// drawn over it since, or a change of the image, brings its pixels back.
TEST_F(BitmapTable, DrawingAgainRestoresWhateverChangedSince) {
    const uint32_t image = Load();
    DrawBitmap(image, 50, 100);
    Rectangle(60, 110, 60, 110, 0xFFFFFF, true);
    SetFont(1, 0xFFFFFF);
    Text("W", 85, 120);
    DrawBitmap(image, 50, 100);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 50; ++x) ASSERT_EQ(Pixel(50 + x, 100 + y), Bgr(Gradient(x, y))) << x << ", " << y;
    }
    const uint32_t dot = CreateBitmap(1, 1);
    CopyBitmap(dot, image, 0, 0, 20, 30, 1, 1);
    DrawBitmap(image, 50, 100);
    EXPECT_EQ(Pixel(70, 130), 0u) << "the image changed";
    EXPECT_EQ(Pixel(71, 130), Bgr(Gradient(21, 30)));
}

TEST(BitmapsNoWindow, LoadWithoutAWindowButDrawNothing) {
    ScratchFolder folder;
    WriteBmp(folder.File("a.bmp"), 4, 4, 24, Gradient);
    uint32_t handle = LoadBitmap(folder.File("a.bmp").c_str(), 4, 4);
    EXPECT_EQ(handle, 1u);
    DrawBitmap(handle, 0, 0);
    DestroyBitmap(handle);
    EXPECT_EQ(BitmapCount(), 0u);
}
