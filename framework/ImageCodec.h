// Images for the canvas (private to the framework): device-independent
// bitmaps and icons as form files store them, and PNG output.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vcl::images {

// Pixels 0xAARRGGBB, top row first; alpha 0 where an icon's AND mask (or a
// 32-bit image's alpha channel) makes the pixel transparent.
struct TImage {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;
};

// Reads an image in any of the forms that form files and resources hold:
// an icon file (the image closest to 32 pixels wide, more colours winning
// among equals), a bitmap file ("BM"), a bitmap file after a 4-byte length
// (a bitmap property's data), either of those after a class name (a
// picture's data), or a bare device-independent bitmap. 1, 4, 8, 16, 24 and
// 32 bits per pixel, uncompressed. False when the data is none of these.
bool Decode(std::string_view Data, TImage& Out);

}  // namespace vcl::images
