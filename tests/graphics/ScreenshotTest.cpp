// Headless screenshots: the desktop, the forms' frames and title bars, the
// texts drawn on the screen, and PNG files written and read back.
#include <png.h>
#include <unistd.h>

#include <filesystem>

#include "framework/Windows.h"
#include "framework/platform/headless/InputScript.h"
#include "ControlsFixture.h"

namespace {

using namespace vcltest;
namespace fs = std::filesystem;

class Screenshot : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        dir = fs::temp_directory_path() / ("graphics-test-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::remove_all(dir);
        EraseScreenTexts(TRect{-100000, -100000, 100000, 100000});
        GraphicsTest::TearDown();
    }
    fs::path dir;
};

// Reads a PNG as 0x00RRGGBB pixels.
bool ReadPng(const fs::path& file, TBitmapData& out) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) return false;
    out.Resize(static_cast<int32_t>(image.width), static_cast<int32_t>(image.height));
    for (size_t i = 0; i < out.Pixels.size(); ++i)
        out.Pixels[i] = uint32_t{bytes[i * 3]} << 16 | uint32_t{bytes[i * 3 + 1]} << 8 | bytes[i * 3 + 2];
    return true;
}

int CountIn(const TBitmapData& s, TRect r, uint32_t rgb) {
    int n = 0;
    for (int32_t y = r.Top; y < r.Bottom; ++y)
        for (int32_t x = r.Left; x < r.Right; ++x) n += s.Pixel(x, y) == rgb;
    return n;
}

TEST_F(Screenshot, DesktopIsTealWhereNoFormIsAndLaterFormsLieOnTop) {
    ShowForm(100, 50, 200, 100, clRed);
    ShowForm(150, 80, 200, 100, clWhite);
    TBitmapData s = Desktop()->Screenshot();
    EXPECT_EQ(s.Width, 1024);
    EXPECT_EQ(s.Height, 768);
    EXPECT_EQ(s.Pixel(0, 0), kTeal);
    EXPECT_EQ(s.Pixel(1023, 767), kTeal);
    EXPECT_EQ(s.Pixel(120, 100), kRed);
    EXPECT_EQ(s.Pixel(200, 130), kWhite);
}

TEST_F(Screenshot, FormShowsInARaisedFrameUnderItsTitleBar) {
    TForm* f = ShowForm(100, 50, 200, 100, clWhite);
    f->SetCaption("Title");
    Process();
    TBitmapData s = Desktop()->Screenshot();
    TFrameMetrics m = FrameMetrics(bsSingle);
    TPoint client = f->ClientOrigin();
    EXPECT_EQ(client, (TPoint{100 + m.Border, 50 + m.Border + m.Caption}));
    EXPECT_EQ(s.Pixel(client.x, client.y), kWhite);
    EXPECT_EQ(s.Pixel(client.x + 199, client.y + 99), kWhite);
    EXPECT_EQ(s.Pixel(client.x + 200, client.y + 50), kFace);  // the right border
    EXPECT_EQ(s.Pixel(100 + f->Width() - 1, 80), kBlack);      // its dark outer edge
    EXPECT_EQ(s.Pixel(99, 80), kTeal);
    // The title bar: the active caption colour, white bold text at its left.
    TRect title{100 + m.Border, 50 + m.Border, 100 + f->Width() - m.Border, 50 + m.Border + m.Caption - 1};
    EXPECT_EQ(s.Pixel(title.Left + 100, title.Top + 1), kNavy);
    EXPECT_GT(CountIn(s, TRect{title.Left, title.Top, title.Left + 40, title.Bottom}, kWhite), 10);
}

TEST_F(Screenshot, InactiveFormsHaveAGreyTitleBar) {
    TForm* back = ShowForm(100, 50, 200, 100);
    TForm* front = ShowForm(400, 50, 200, 100);
    back->SetCaption("Back");
    front->SetCaption("Front");
    Process();
    TBitmapData s = Desktop()->Screenshot();
    TFrameMetrics m = FrameMetrics(bsSingle);
    EXPECT_EQ(s.Pixel(100 + 150, 50 + m.Border + 2), kShadow);
    EXPECT_EQ(s.Pixel(400 + 150, 50 + m.Border + 2), kNavy);
    EXPECT_GT(CountIn(s, TRect{100 + m.Border + 2, 50 + m.Border, 100 + 60, 50 + m.Border + m.Caption - 1}, kFace),
              10);  // the caption in grey
}

TEST_F(Screenshot, CloseBoxSitsAtTheRightOfTheTitleBar) {
    TForm* f = ShowForm(100, 50, 200, 100);
    TBitmapData s = Desktop()->Screenshot();
    TFrameMetrics m = FrameMetrics(bsSingle);
    int32_t right = 100 + f->Width() - m.Border, top = 50 + m.Border;
    EXPECT_EQ(s.Pixel(right - 15, top + 12), kFace);  // the box's face
    EXPECT_GT(CountIn(s, TRect{right - 18, top + 2, right - 2, top + 15}, kBlack), 8);  // its cross
    f->SetBorderIcons(TBorderIcons{});
    f->Invalidate();
    s = Desktop()->Screenshot();
    EXPECT_EQ(s.Pixel(right - 15, top + 12), kNavy);
}

TEST_F(Screenshot, ScreenTextsAreDrawnOverTheFormsInTheirColour) {
    ShowForm(100, 50, 200, 100, clNavy);
    HDC dc = GetDC(nullptr);
    SetTextColor(dc, 0x0000FF);  // red, as COLORREF
    TextOutA(dc, 150, 100, "Text", 4);
    ReleaseDC(nullptr, dc);
    TBitmapData s = Desktop()->Screenshot();
    EXPECT_GT(CountIn(s, TRect{150, 100, 190, 120}, kRed), 10);
    EXPECT_GT(CountIn(s, TRect{150, 100, 190, 120}, kWhite), 10);  // the opaque background
    EXPECT_EQ(s.Pixel(200, 100), kNavy);
}

TEST_F(Screenshot, PngHoldsTheSamePixels) {
    ShowForm(100, 50, 200, 100);
    TBitmapData s = Desktop()->Screenshot();
    fs::path file = dir / "desktop.png";
    Desktop()->SaveScreenshot(file.string());
    TBitmapData back;
    ASSERT_TRUE(ReadPng(file, back));
    EXPECT_EQ(back.Width, s.Width);
    EXPECT_EQ(back.Height, s.Height);
    EXPECT_TRUE(back.Pixels == s.Pixels);
    // Written under another name and renamed: nothing else is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(Screenshot, PngThatCannotBeWrittenNamesTheFile) {
    TBitmapData s;
    s.Resize(4, 4);
    std::string file = (dir / "missing" / "shot.png").string();
    try {
        SavePng(s, file);
        FAIL() << "no error";
    } catch (const EWriteError& e) {
        EXPECT_NE(e.Message().find(file), std::string::npos) << e.Message();
    }
}

TEST_F(Screenshot, ShotCommandOfAnInputScriptWritesThePicture) {
    ShowForm(100, 50, 200, 100, clRed);
    fs::path file = dir / "scripted.png";
    TInputScript script("shot " + file.string() + "\n", "script");
    EXPECT_FALSE(script.Step(*Desktop()));
    TBitmapData back;
    ASSERT_TRUE(ReadPng(file, back));
    EXPECT_EQ(back.Pixel(0, 0), kTeal);
    EXPECT_EQ(back.Pixel(150, 120), kRed);
}

}  // namespace
