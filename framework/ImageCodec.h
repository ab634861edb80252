// Images for the canvas and the backends' window icons (private to the
// framework): device-independent bitmaps and icons as form files store them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vcl::images {

// Pixels 0xAARRGGBB, top row first. An icon image's transparency comes
// from its AND mask, unless it is a 32-bit image with an alpha channel (any
// pixel's alpha not 0), whose alpha then rules alone.
struct TImage {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;
};

// Reads an icon file (a form's Icon.Data, a .ico): of its images, the one
// whose width is closest to Size, more bits per pixel winning among equals;
// one that cannot be read (an image stored as PNG, say) gives way to the
// next best. False when the data is no icon or no image of it can be read.
bool DecodeIcon(std::string_view Data, int32_t Size, TImage& Out);

// Reads an image in any of the forms that form files and resources hold:
// an icon file (DecodeIcon at 32 pixels), a bitmap file ("BM"), a bitmap
// file after a 4-byte length (a bitmap property's data), either of those
// after a class name (a picture's data), or a bare device-independent
// bitmap. 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed. False when
// the data is none of these.
bool Decode(std::string_view Data, TImage& Out);

}  // namespace vcl::images
