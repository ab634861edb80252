// The canvas by pixel: fills, frames, lines, clipping, origin, text, images
// and the faces that family names resolve to.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "ProgramFixture.h"
#include "framework/Canvas.h"

namespace {

using namespace vcl;

constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0xFF0000, kShadow = 0x808080;

struct Surface {
    TBitmapData Bits;
    explicit Surface(int32_t w, int32_t h) { Bits.Resize(w, h, kWhite); }
    uint32_t operator()(int32_t x, int32_t y) const { return Bits.Pixel(x, y); }
    int Count(TRect r, uint32_t rgb) const {
        int n = 0;
        for (int32_t y = r.Top; y < r.Bottom; ++y)
            for (int32_t x = r.Left; x < r.Right; ++x) n += Bits.Pixel(x, y) == rgb;
        return n;
    }
    // Pixels, each {x, y, rgb}.
    void Expect(std::initializer_list<std::array<int64_t, 3>> probes) const {
        for (const auto& [x, y, rgb] : probes)
            EXPECT_EQ(Bits.Pixel(int32_t(x), int32_t(y)), uint32_t(rgb)) << x << "," << y;
    }
    // Pixels that are not the background.
    int Ink(TRect r) const { return (r.Right - r.Left) * (r.Bottom - r.Top) - Count(r, kWhite); }
};

// A white surface of 200 by 40 and a canvas on it, Tahoma 8 in black.
class Canvas : public ::testing::Test {
protected:
    void UseFont(int32_t height, TFontStyles style = {}, TColor color = clBlack) {
        c.Font()->SetName("Tahoma");
        c.Font()->SetHeight(height);
        c.Font()->SetStyle(style);
        c.Font()->SetColor(color);
    }
    Surface s{200, 40};
    TCanvas c{s.Bits};
};

TEST_F(Canvas, SystemColoursBecomeSurfacePixels) {
    EXPECT_EQ(ColorToPixel(clRed), 0xFF0000u);  // 0x00BBGGRR to 0x00RRGGBB
    EXPECT_EQ(ColorToPixel(clBtnFace), 0xC0C0C0u);
    EXPECT_EQ(ColorToPixel(clBackground), 0x008080u);
    EXPECT_EQ(ColorToPixel(clHighlight), 0x000080u);
}

TEST_F(Canvas, FillRectCoversItsLeftAndTopEdgesButNotItsRightAndBottom) {
    c.Brush.Color = clRed;
    c.FillRect(TRect{2, 3, 6, 7});
    s.Expect({{2, 3, kRed}, {5, 6, kRed}, {6, 6, kWhite}, {5, 7, kWhite}});
    EXPECT_EQ(s.Count(TRect{0, 0, 60, 40}, kRed), 16);
    c.Brush.Style = bsClear;  // a clear brush fills and frames nothing
    c.FillRect(TRect{20, 20, 30, 30});
    c.FrameRect(TRect{20, 20, 30, 30});
    EXPECT_EQ(s.Count(TRect{0, 0, 60, 40}, kRed), 16);
}

TEST_F(Canvas, FrameRectDrawsOnlyTheEdgesAndRectangleFillsInside) {
    c.Brush.Color = clRed;
    c.FrameRect(TRect{1, 1, 11, 6});
    s.Expect({{1, 1, kRed}, {10, 5, kRed}, {5, 1, kRed}, {1, 3, kRed}, {5, 3, kWhite}, {11, 1, kWhite}});
    // Rectangle outlines with the pen and fills with the brush.
    c.Pen.Color = clBtnShadow;
    c.Rectangle(TRect{20, 20, 26, 26});
    s.Expect({{20, 20, kShadow}, {25, 25, kShadow}, {23, 23, kRed}});
}

TEST_F(Canvas, Frame3DPutsTheFarCornersInTheBottomRightColour) {
    TRect r{0, 0, 10, 8};
    c.Frame3D(r, clBtnHighlight, clBtnShadow, 2);
    EXPECT_EQ(r, (TRect{2, 2, 8, 6}));
    // Both rings; the highlight is white on white, so the shadow side shows
    // them, and the inside is untouched.
    s.Expect({{9, 0, kShadow}, {0, 7, kShadow}, {9, 4, kShadow}, {4, 7, kShadow}, {8, 3, kShadow}, {4, 6, kShadow},
              {4, 4, kWhite}});

    Surface t(60, 40);
    TCanvas d(t.Bits);
    TRect q{0, 0, 10, 8};
    d.Frame3D(q, clRed, clBtnShadow);
    t.Expect({{0, 0, kRed}, {8, 0, kRed}, {0, 6, kRed}, {9, 0, kShadow}, {0, 7, kShadow}});
}

TEST_F(Canvas, ClipKeepsEverythingInside) {
    c.SetClip(TRect{5, 5, 15, 15});
    c.Brush.Color = clRed;
    c.FillRect(TRect{0, 0, 60, 40});
    c.Pen.Color = clRed;
    c.MoveTo(0, 20);
    c.LineTo(60, 20);
    UseFont(-11, {}, clRed);
    c.TextOut(0, 30, "Clipped away");
    EXPECT_EQ(s.Count(TRect{0, 0, 60, 40}, kRed), 100);
    s.Expect({{5, 5, kRed}, {15, 15, kWhite}});
    // A clip beyond the surface is cut to it.
    c.SetClip(TRect{-10, -10, 1000, 1000});
    EXPECT_EQ(c.Clip(), (TRect{0, 0, 200, 40}));
}

TEST_F(Canvas, OriginMovesDrawingCoordinates) {
    c.SetOrigin(TPoint{10, 5});
    c.Brush.Color = clRed;
    c.FillRect(TRect{0, 0, 2, 2});
    c.Pixel(-10, -5, clRed);
    s.Expect({{10, 5, kRed}, {11, 6, kRed}, {0, 0, kRed}, {12, 5, kWhite}});
}

TEST_F(Canvas, LineToStopsBeforeItsEndPoint) {
    c.Pen.Color = clRed;
    c.MoveTo(0, 0);
    c.LineTo(5, 0);
    EXPECT_EQ(s.Count(TRect{0, 0, 6, 1}, kRed), 5);
    EXPECT_EQ(s(5, 0), kWhite);
    c.LineTo(5, 5);  // starts where the last one stopped
    s.Expect({{5, 0, kRed}, {5, 4, kRed}, {5, 5, kWhite}});
    c.Pen.Style = psDot;
    c.MoveTo(0, 10);
    c.LineTo(10, 10);
    EXPECT_EQ(s.Count(TRect{0, 10, 10, 11}, kRed), 5);
}

TEST_F(Canvas, FocusRectangleDrawnTwiceIsGone) {
    c.DrawFocusRect(TRect{2, 2, 12, 8});
    int dots = s.Count(TRect{0, 0, 60, 40}, 0x000000);
    EXPECT_GT(dots, 8);
    EXPECT_LT(dots, 28);  // dotted, not solid
    EXPECT_EQ(s(6, 5), kWhite);
    c.DrawFocusRect(TRect{2, 2, 12, 8});
    EXPECT_EQ(s.Count(TRect{0, 0, 60, 40}, kWhite), 60 * 40);
}

TEST_F(Canvas, TextInkIsInTheFontColourWithinTheTextExtentOnly) {
    UseFont(-11, {}, clRed);
    c.Brush.Style = bsClear;
    c.TextOut(10, 10, "Hello");
    int32_t w = c.TextWidth("Hello"), h = c.TextHeight("Hello");
    TRect extent{10, 10, 10 + w, 10 + h};
    EXPECT_GT(s.Count(extent, kRed), 10);
    EXPECT_EQ(s.Ink(TRect{0, 0, 100, 40}), s.Ink(extent));
    // Antialiased edges lie between the font colour and the background.
    bool blended = false;
    for (int32_t y = extent.Top; y < extent.Bottom; ++y)
        for (int32_t x = extent.Left; x < extent.Right; ++x) {
            uint32_t p = s(x, y);
            if (p != kRed && p != kWhite) {
                blended = true;
                EXPECT_EQ(p >> 16, 0xFFu) << x << "," << y;  // red stays full, green and blue fade
            }
        }
    EXPECT_TRUE(blended);
}

TEST_F(Canvas, TextOutFillsTheTextCellWithAnOpaqueBrush) {
    UseFont(-11);
    c.Brush.Color = clRed;
    c.TextOut(10, 10, "Hi");
    int32_t w = c.TextWidth("Hi"), h = c.TextHeight("Hi");
    // Filled from the cell corner, above the capitals, to its far corner.
    s.Expect({{10, 10, kRed}, {10 + w - 1, 10 + h - 1, kRed}, {10 + w, 10, kWhite}, {10, 10 + h, kWhite}});
}

// The rows of a text's cell that are solid font colour across the text.
std::vector<int32_t> SolidRows(const Surface& s, int32_t x, int32_t y, int32_t w, int32_t h) {
    std::vector<int32_t> rows;
    for (int32_t row = y; row < y + h; ++row)
        if (s.Count(TRect{x, row, x + w, row + 1}, 0x000000) == w) rows.push_back(row - y);
    return rows;
}

TEST_F(Canvas, UnderlineIsASolidRowBelowTheBaselineAndStrikeOutAbove) {
    UseFont(-11);
    const int32_t w = c.TextWidth("a a"), h = c.TextHeight("a a"), ascent = c.TextAscent();
    c.TextOut(0, 0, "a a");
    EXPECT_TRUE(SolidRows(s, 0, 0, w, h).empty());
    c.Font()->SetStyle(TFontStyles{fsUnderline});
    c.TextOut(0, 20, "a a");
    std::vector<int32_t> rows = SolidRows(s, 0, 20, w, h);
    ASSERT_FALSE(rows.empty());
    EXPECT_GE(rows.front(), ascent);
    EXPECT_LT(rows.back(), h);
    c.Font()->SetStyle(TFontStyles{fsStrikeOut});
    c.TextOut(100, 0, "a a");
    rows = SolidRows(s, 100, 0, w, h);
    ASSERT_FALSE(rows.empty());
    EXPECT_LT(rows.back(), ascent);
    EXPECT_GT(rows.front(), 1);
}

TEST_F(Canvas, BoldTextIsWiderAndDarkerThanRegular) {
    UseFont(-11);
    int32_t regular = c.TextWidth("Bold words");
    c.TextOut(0, 0, "Bold words");
    c.Font()->SetStyle(TFontStyles{fsBold});
    int32_t bold = c.TextWidth("Bold words");
    c.TextOut(0, 20, "Bold words");
    EXPECT_GT(bold, regular);
    EXPECT_GT(s.Ink(TRect{0, 20, 200, 40}), s.Ink(TRect{0, 0, 200, 20}));
}

TEST_F(Canvas, ItalicIsDrawnForAFaceWithoutAnItalic) {
    UseFont(-11);
    c.TextOut(0, 0, "l");
    c.Font()->SetStyle(TFontStyles{fsItalic});
    c.TextOut(0, 20, "l");
    // Tahoma has no italic: the slanted outline puts its top further right.
    auto firstInk = [&](int32_t row) {
        for (int32_t x = 0; x < 20; ++x)
            if (s(x, row) != kWhite) return x;
        return -1;
    };
    int32_t top = c.TextAscent() - 7;
    EXPECT_GT(firstInk(20 + top), firstInk(top));
}

TEST_F(Canvas, TextMeasuresGrowWithTheTextAndFollowTheHeight) {
    UseFont(-11);
    EXPECT_EQ(c.TextWidth(""), 0);
    EXPECT_GT(c.TextWidth("a"), 0);
    EXPECT_GT(c.TextWidth("ab"), c.TextWidth("a"));
    EXPECT_EQ(c.TextWidth("abc"), c.TextWidth("ab") + c.TextWidth("c"));
    // 8-point Tahoma has the 13-pixel cell that forms' TextHeight records.
    EXPECT_EQ(c.TextHeight("Wg"), 13);
    c.Font()->SetHeight(13);  // a positive height is the cell height
    EXPECT_EQ(c.TextHeight("Wg"), 13);
    c.Font()->SetHeight(-16);
    EXPECT_GT(c.TextHeight("Wg"), 13);
}

TEST_F(Canvas, TextRectKeepsTextInsideItsRectangle) {
    UseFont(-11);
    c.Brush.Style = bsClear;
    c.TextRect(TRect{0, 0, 20, 20}, 2, 2, "A long line of text");
    EXPECT_GT(s.Ink(TRect{0, 0, 20, 20}), 0);
    EXPECT_EQ(s.Ink(TRect{20, 0, 100, 40}), 0);
}

// ---------------------------------------------------------------------------
// Images

// data/red-blue.ico: 32 by 32, 16 colours, the left half red and the right
// half blue, its lower half transparent through the AND mask.
std::string Icon() { return vcltest::Slurp(QV_TEST_DATA_DIR "/red-blue.ico"); }

TEST_F(Canvas, IconIsDrawnWithItsPaletteAndMask) {
    ASSERT_TRUE(c.DrawImage(4, 4, Icon()));
    // From row 20 down the mask lets the surface show through, as beyond 32 columns.
    s.Expect({{5, 5, kRed}, {34, 5, 0x0000FFu}, {5, 19, kRed}, {5, 20, kWhite}, {34, 35, kWhite}, {36, 5, kWhite}});
}

TEST_F(Canvas, BitmapFileWithALengthPrefixIsDrawnOpaque) {
    // data/two-by-two.bmp.data, a bitmap file after its length as Picture.Data
    // holds it: 2 by 2, 24 bits, the bottom row green then blue, the top row
    // red then white.
    Surface back(10, 10);
    back.Bits.Resize(10, 10, 0x123456);
    TCanvas on(back.Bits);
    ASSERT_TRUE(on.DrawImage(1, 1, vcltest::Slurp(QV_TEST_DATA_DIR "/two-by-two.bmp.data")));
    back.Expect({{1, 1, kRed}, {2, 1, kWhite}, {1, 2, 0x00FF00u}, {2, 2, 0x0000FFu}, {3, 3, 0x123456u}});
}

TEST_F(Canvas, UnreadableImageDataDrawsNothing) {
    EXPECT_FALSE(c.DrawImage(0, 0, "not a picture"));
    EXPECT_FALSE(c.DrawImage(0, 0, Icon().substr(0, 60)));  // cut short
    EXPECT_EQ(s.Ink(TRect{0, 0, 10, 10}), 0);
}

// ---------------------------------------------------------------------------
// Faces

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

TEST(Fonts, FamilyNamesResolveToMetricCompatibleFaces) {
    struct TCase {
        const char* Family;
        bool Bold;
        const char* File;
    } cases[] = {
        {"Tahoma", false, "tahoma.ttf"},
        {"Tahoma", true, "tahomabd.ttf"},
        {"MS Sans Serif", false, "tahoma.ttf"},
        {"Arial", false, "LiberationSans-Regular.ttf"},
        {"Arial", true, "LiberationSans-Bold.ttf"},
        {"Courier New", false, "LiberationMono-Regular.ttf"},
        {"No Such Family", false, "DejaVuSans.ttf"},
    };
    for (const TCase& t : cases) {
        std::string path = ResolvedFontFile(t.Family, t.Bold, false);
        EXPECT_TRUE(std::filesystem::exists(path)) << t.Family << ": " << path;
        EXPECT_EQ(FileName(path), t.File) << t.Family;
    }
}

}  // namespace
