// Decoding icons as windows and the canvas take them: choosing among an
// icon's images, and each image's transparency.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/ImageCodec.h"

using namespace vcl::images;

namespace {

// Little-endian fields appended to a string.
void Put(std::string& s, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
}

struct TImageSpec {
    int32_t Width;
    uint32_t Bpp;
    std::string Body;  // the bitmap: header, palette, rows, mask
};

// A bitmap header for an icon image: height counts colour and mask rows.
std::string Header(int32_t W, int32_t H, uint32_t Bpp) {
    std::string s;
    Put(s, 40, 4), Put(s, static_cast<uint32_t>(W), 4), Put(s, static_cast<uint32_t>(H * 2), 4);
    Put(s, 1, 2), Put(s, Bpp, 2);
    return s + std::string(24, '\0');  // uncompressed, sizes, resolutions, colours
}

std::string Icon(const std::vector<TImageSpec>& Images) {
    std::string s;
    Put(s, 0, 2), Put(s, 1, 2), Put(s, static_cast<uint32_t>(Images.size()), 2);
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(Images.size());
    for (auto& i : Images) {
        Put(s, static_cast<uint32_t>(i.Width), 1), Put(s, static_cast<uint32_t>(i.Width), 1), Put(s, 0, 2);
        Put(s, 1, 2), Put(s, i.Bpp, 2), Put(s, static_cast<uint32_t>(i.Body.size()), 4), Put(s, offset, 4);
        offset += static_cast<uint32_t>(i.Body.size());
    }
    for (auto& i : Images) s += i.Body;
    return s;
}

// One pixel: 32 bits (B, G, R, A) or 24 (B, G, R, padding), then the mask
// row when given.
TImageSpec OnePixel(uint32_t Bpp, uint32_t Pixel, const char* Mask) {
    std::string b = Header(1, 1, Bpp);
    Put(b, Bpp == 32 ? Pixel : Pixel & 0xFFFFFF, 4);
    if (Mask) b += std::string(Mask, 4);
    return {1, Bpp, b};
}

TEST(IconDecoder, AlphaChannelRulesAloneElseTheMaskElseOpaque) {
    const char* hole = "\x80\0\0\0";
    const char* solid = "\0\0\0\0";
    struct TCase {
        const char* What;
        TImageSpec Image;
        uint32_t Pixel;
    } cases[] = {
        {"alpha over a mask hole", OnePixel(32, 0x80112233, hole), 0x80112233},
        {"alpha 0 over a solid mask", OnePixel(32, 0x00112233, solid), 0xFF112233},
        {"alpha 0 over a mask hole", OnePixel(32, 0x00112233, hole), 0},
        {"24 bits, mask hole", OnePixel(24, 0x112233, hole), 0},
        {"24 bits, no mask stored", OnePixel(24, 0x112233, nullptr), 0xFF112233},
    };
    for (const auto& c : cases) {
        TImage img;
        ASSERT_TRUE(DecodeIcon(Icon({c.Image}), 32, img)) << c.What;
        EXPECT_EQ(img.Pixels.at(0), c.Pixel) << c.What;
        // The canvas reads icons the same way.
        ASSERT_TRUE(Decode(Icon({c.Image}), img)) << c.What;
        EXPECT_EQ(img.Pixels.at(0), c.Pixel) << c.What;
    }
}

TEST(IconDecoder, TheImageNearestInSizeIsChosenThenTheOneWithMoreColours) {
    std::string small = Header(1, 1, 24) + std::string("\x00\x00\xFF\0", 4);  // red
    std::string big = Header(2, 2, 24) + std::string(16, '\0');                // black
    std::string deep = Header(2, 2, 32) + std::string(16, '\xFF');             // white, alpha 255
    TImage img;
    ASSERT_TRUE(DecodeIcon(Icon({{1, 24, small}, {2, 24, big}, {2, 32, deep}}), 2, img));
    EXPECT_EQ(img.Width, 2);
    EXPECT_EQ(img.Pixels[0], 0xFFFFFFFFu);
    ASSERT_TRUE(DecodeIcon(Icon({{1, 24, small}, {2, 24, big}}), 1, img));
    EXPECT_EQ(img.Width, 1);
    EXPECT_EQ(img.Pixels[0], 0xFFFF0000u);
}

TEST(IconDecoder, AnUnreadableImageGivesWayToTheNextBest) {
    std::string png = "\x89PNG\r\n\x1a\n" + std::string(32, '\0');
    TImage img;
    ASSERT_TRUE(DecodeIcon(Icon({{2, 32, png}, OnePixel(24, 0x112233, nullptr)}), 2, img));
    EXPECT_EQ(img.Pixels.at(0), 0xFF112233u);
}

TEST(IconDecoder, WhatIsNotAReadableIconIsRefused) {
    std::string rle = Header(2, 2, 8);
    rle[16] = 1;  // run-length encoded
    const std::string cases[] = {
        "",
        std::string("\0\0\2\0\1\0", 6),  // a cursor
        Icon({OnePixel(24, 0, "\0\0\0\0")}).substr(0, 40),  // cut inside the bitmap
        Icon({{2, 32, "\x89PNG\r\n\x1a\n"}}),
        Icon({{2, 8, rle + std::string(64, '\0')}}),
    };
    for (const std::string& data : cases) {
        TImage img;
        img.Width = 1;
        EXPECT_FALSE(DecodeIcon(data, 32, img)) << data.size();
        EXPECT_EQ(img.Width, 0);
        EXPECT_TRUE(img.Pixels.empty());
    }
}

// A form's icon as a real form file stores it.
TEST(IconDecoder, AnIconFromARealFormFileDecodes) {
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
    TImage img;
    ASSERT_TRUE(DecodeIcon(data, 32, img));
    EXPECT_EQ(img.Width, 32);
    EXPECT_EQ(img.Height, 32);
    bool opaque = false;
    for (uint32_t p : img.Pixels) opaque |= (p >> 24) == 0xFF;
    EXPECT_TRUE(opaque);
}

}  // namespace
