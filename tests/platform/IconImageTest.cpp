// Decoding form icons: the icon directory, bitmap rows, palettes, masks.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/platform/IconImage.h"

using namespace vcl;

namespace {

void Put16(std::string& s, uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8 & 0xFF);
}
void Put32(std::string& s, uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

struct TImageSpec {
    int32_t Width;
    uint32_t Bpp;
    std::string Body;  // the bitmap: header, palette, rows, mask
};

// A bitmap header for an icon image: height counts colour and mask rows.
std::string Header(int32_t W, int32_t H, uint32_t Bpp, uint32_t Used = 0) {
    std::string s;
    Put32(s, 40);
    Put32(s, static_cast<uint32_t>(W));
    Put32(s, static_cast<uint32_t>(H * 2));
    Put16(s, 1);
    Put16(s, Bpp);
    Put32(s, 0);  // uncompressed
    Put32(s, 0);
    Put32(s, 0);
    Put32(s, 0);
    Put32(s, Used);
    Put32(s, 0);
    return s;
}

std::string Icon(const std::vector<TImageSpec>& Images) {
    std::string s;
    Put16(s, 0);
    Put16(s, 1);
    Put16(s, static_cast<uint32_t>(Images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(Images.size());
    for (auto& i : Images) {
        s += static_cast<char>(i.Width);
        s += static_cast<char>(i.Width);
        s += '\0';
        s += '\0';
        Put16(s, 1);
        Put16(s, i.Bpp);
        Put32(s, static_cast<uint32_t>(i.Body.size()));
        Put32(s, offset);
        offset += static_cast<uint32_t>(i.Body.size());
    }
    for (auto& i : Images) s += i.Body;
    return s;
}

// 2 by 2, 4 bits a pixel: palette red, green, blue, white. Rows are stored
// bottom first, each padded to 4 bytes; the mask hides the bottom-right pixel.
TImageSpec FourBit() {
    std::string b = Header(2, 2, 4, 4);
    for (uint32_t c : {0xFF0000u, 0x00FF00u, 0x0000FFu, 0xFFFFFFu}) Put32(b, c);
    b += std::string("\x23\0\0\0", 4);  // bottom row: blue, white
    b += std::string("\x01\0\0\0", 4);  // top row: red, green
    b += std::string("\x40\0\0\0", 4);  // mask, bottom row: second pixel transparent
    b += std::string("\x00\0\0\0", 4);  // mask, top row
    return {2, 4, b};
}

TEST(IconImage, PalettedRowsComeBottomFirstAndTheMaskMakesHoles) {
    TIconImage img;
    ASSERT_TRUE(DecodeIcon(Icon({FourBit()}), 32, img));
    ASSERT_EQ(img.Width, 2);
    ASSERT_EQ(img.Height, 2);
    EXPECT_EQ(img.Pixels[0], 0xFFFF0000u);  // top-left red, opaque
    EXPECT_EQ(img.Pixels[1], 0xFF00FF00u);
    EXPECT_EQ(img.Pixels[2], 0xFF0000FFu);
    EXPECT_EQ(img.Pixels[3], 0x00000000u);  // masked out
}

TEST(IconImage, ThirtyTwoBitAlphaOverridesTheMask) {
    std::string b = Header(1, 1, 32);
    Put32(b, 0x80112233);
    Put32(b, 0x80000000);  // mask says transparent; the alpha channel wins
    TIconImage img;
    ASSERT_TRUE(DecodeIcon(Icon({{1, 32, b}}), 32, img));
    EXPECT_EQ(img.Pixels[0], 0x80112233u);
}

TEST(IconImage, TwentyFourBitWithoutMaskIsOpaque) {
    std::string b = Header(1, 1, 24);
    b += std::string("\x33\x22\x11\0", 4);  // blue, green, red, padding
    TIconImage img;
    ASSERT_TRUE(DecodeIcon(Icon({{1, 24, b}}), 32, img));
    EXPECT_EQ(img.Pixels[0], 0xFF112233u);
}

TEST(IconImage, TheImageNearestInSizeIsChosenThenTheOneWithMoreColours) {
    std::string small = Header(1, 1, 24) + std::string("\x00\x00\xFF\0", 4);  // red
    std::string big = Header(2, 2, 24) + std::string(16, '\0');                // black
    std::string deep = Header(2, 2, 32) + std::string(16, '\xFF');             // white, alpha 255
    TIconImage img;
    ASSERT_TRUE(DecodeIcon(Icon({{1, 24, small}, {2, 24, big}, {2, 32, deep}}), 2, img));
    EXPECT_EQ(img.Width, 2);
    EXPECT_EQ(img.Pixels[0], 0xFFFFFFFFu);
    ASSERT_TRUE(DecodeIcon(Icon({{1, 24, small}, {2, 24, big}}), 1, img));
    EXPECT_EQ(img.Width, 1);
    EXPECT_EQ(img.Pixels[0], 0xFFFF0000u);
}

TEST(IconImage, AnUnreadableImageGivesWayToTheNextBest) {
    std::string png = "\x89PNG\r\n\x1a\n" + std::string(32, '\0');
    TIconImage img;
    ASSERT_TRUE(DecodeIcon(Icon({{2, 32, png}, FourBit()}), 2, img));
    EXPECT_EQ(img.Pixels[0], 0xFFFF0000u);
}

TEST(IconImage, WhatIsNotAnIconIsRefused) {
    TIconImage img;
    EXPECT_FALSE(DecodeIcon("", 32, img));
    EXPECT_FALSE(DecodeIcon(std::string("\0\0\2\0\1\0", 6), 32, img));  // a cursor
    std::string icon = Icon({FourBit()});
    EXPECT_FALSE(DecodeIcon(icon.substr(0, 40), 32, img));  // cut inside the bitmap
    EXPECT_FALSE(DecodeIcon(Icon({{2, 32, "\x89PNG\r\n\x1a\n"}}), 32, img));
    std::string rle = Header(2, 2, 8);
    rle[16] = 1;  // run-length encoded
    EXPECT_FALSE(DecodeIcon(Icon({{2, 8, rle + std::string(64, '\0')}}), 32, img));
    EXPECT_EQ(img.Width, 0);
    EXPECT_TRUE(img.Pixels.empty());
}

// A form's icon as a real form file stores it.
TEST(IconImage, AnIconFromARealFormFileDecodes) {
    std::ifstream in(std::string(QV_SHARED_DIR) + "/corpus/dfm/dmt2018__StarLight1__main.dfm", std::ios::binary);
    if (!in) GTEST_SKIP() << "the shared corpus is not beside the project";
    std::stringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    size_t at = text.find("Icon.Data = {");
    ASSERT_NE(at, std::string::npos);
    std::string data, hex;
    for (size_t i = text.find('{', at) + 1; i < text.size() && text[i] != '}'; ++i)
        if (std::isxdigit(static_cast<unsigned char>(text[i]))) hex += text[i];
    for (size_t i = 0; i + 1 < hex.size(); i += 2) data += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    TIconImage img;
    ASSERT_TRUE(DecodeIcon(data, 32, img));
    EXPECT_EQ(img.Width, 32);
    EXPECT_EQ(img.Height, 32);
    bool opaque = false;
    for (uint32_t p : img.Pixels) opaque |= (p >> 24) == 0xFF;
    EXPECT_TRUE(opaque);
}

}  // namespace
