// Where the bitmap table (BitmapTable.cpp, shared by every window platform)
// gets the pictures of image files: each platform loads them in its own way
// (BitmapFiles.cpp reads BMP files; the null platform makes them up).
#pragma once

#include <cstdint>
#include <memory>

#include "window/Bmp.h"

namespace Vitrine::detail {

// A picture as the bitmap table keeps it (BitmapTable.cpp).
struct Pixels;

// BitmapTable.cpp: a loaded picture as the table keeps it; loads may share
// it, so it is never written in place.
std::shared_ptr<Pixels> KeepLoaded(Picture picture);

// The platform: the picture of image file `file` at width x height (0: its
// own size), shared with an earlier load of the same when it is unchanged;
// null when there is none (said once on standard error).
std::shared_ptr<Pixels> LoadPixels(const char* file, uint32_t width, uint32_t height);
// The platform: forgets the pictures it keeps (the window closed).
void ForgetLoadedPixels();

}  // namespace Vitrine::detail
