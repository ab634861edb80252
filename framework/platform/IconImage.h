// Icons as form files store them (a form's Icon.Data): the icon file format,
// a directory of images, each a device-independent bitmap followed by its
// AND mask. Images stored as PNG inside the icon are not decoded.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vcl {

struct TIconImage {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;  // row-major, top row first, 0xAARRGGBB
};

// Decodes the image whose width is closest to Size (the one with more colours
// among equals). 1, 4, 8, 24 and 32 bits per pixel; transparency from the AND
// mask, or from the alpha channel of 32-bit images that have one. False when
// the data is not an icon or none of its images can be read.
bool DecodeIcon(std::string_view Data, int32_t Size, TIconImage& Out);

}  // namespace vcl
