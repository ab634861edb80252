#include "framework/Canvas.h"

#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "framework/FontCache.h"
#include "framework/ImageCodec.h"
#include "framework/SysUtils.h"

namespace vcl {

// ---------------------------------------------------------------------------
// Surfaces

void TBitmapData::Resize(int32_t W, int32_t H, uint32_t Fill) {
    Width = std::max(0, W);
    Height = std::max(0, H);
    Pixels.assign(static_cast<size_t>(Width) * static_cast<size_t>(Height), Fill);
}

uint32_t TBitmapData::Pixel(int32_t X, int32_t Y) const {
    if (X < 0 || Y < 0 || X >= Width || Y >= Height) return 0;
    return Pixels[static_cast<size_t>(Y) * static_cast<size_t>(Width) + static_cast<size_t>(X)];
}

void TBitmapData::SetPixel(int32_t X, int32_t Y, uint32_t RGB) {
    if (X < 0 || Y < 0 || X >= Width || Y >= Height) return;
    Pixels[static_cast<size_t>(Y) * static_cast<size_t>(Width) + static_cast<size_t>(X)] = RGB & 0x00FFFFFF;
}

uint32_t ColorToPixel(TColor Color) {
    uint32_t bgr = ColorToRGB(Color);
    return (bgr & 0xFF) << 16 | (bgr & 0xFF00) | (bgr >> 16 & 0xFF);
}

namespace {

TRect Intersect(TRect a, TRect b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.Empty()) return TRect{};
    return r;
}

// Coverage A (0..255) of Src over Dst.
inline uint32_t Blend(uint32_t Dst, uint32_t Src, uint32_t A) {
    if (A >= 255) return Src;
    if (A == 0) return Dst;
    uint32_t inv = 255 - A;
    uint32_t r = ((Src >> 16 & 0xFF) * A + (Dst >> 16 & 0xFF) * inv + 127) / 255;
    uint32_t g = ((Src >> 8 & 0xFF) * A + (Dst >> 8 & 0xFF) * inv + 127) / 255;
    uint32_t b = ((Src & 0xFF) * A + (Dst & 0xFF) * inv + 127) / 255;
    return r << 16 | g << 8 | b;
}

}  // namespace

// ---------------------------------------------------------------------------
// TCanvas

TCanvas::TCanvas(TBitmapData& Target)
    : FTarget(Target), FFont(new TFont()), FClip{0, 0, Target.Width, Target.Height} {}

TCanvas::~TCanvas() { FFont->Free(); }

void TCanvas::SetClip(TRect Clip) { FClip = Intersect(Clip, TRect{0, 0, FTarget.Width, FTarget.Height}); }

void TCanvas::Fill(TRect DeviceRect, uint32_t RGB) {
    TRect r = Intersect(DeviceRect, FClip);
    if (r.Empty()) return;
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
        uint32_t* row = FTarget.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(FTarget.Width);
        std::fill(row + r.Left, row + r.Right, RGB);
    }
}

void TCanvas::Plot(int32_t X, int32_t Y, uint32_t RGB) {
    X += FOrigin.x;
    Y += FOrigin.y;
    if (FClip.Contains(TPoint{X, Y}))
        FTarget.Pixels[static_cast<size_t>(Y) * static_cast<size_t>(FTarget.Width) + static_cast<size_t>(X)] = RGB;
}

TRect TCanvas::ToDevice(TRect R) const {
    return TRect{R.Left + FOrigin.x, R.Top + FOrigin.y, R.Right + FOrigin.x, R.Bottom + FOrigin.y};
}

void TCanvas::FillRect(TRect R) {
    if (Brush.Style == bsClear) return;
    Fill(ToDevice(R), ColorToPixel(Brush.Color));
}

void TCanvas::FrameRect(TRect R) {
    if (Brush.Style == bsClear || R.Empty()) return;
    uint32_t c = ColorToPixel(Brush.Color);
    TRect d = ToDevice(R);
    Fill(TRect{d.Left, d.Top, d.Right, d.Top + 1}, c);
    Fill(TRect{d.Left, d.Bottom - 1, d.Right, d.Bottom}, c);
    Fill(TRect{d.Left, d.Top, d.Left + 1, d.Bottom}, c);
    Fill(TRect{d.Right - 1, d.Top, d.Right, d.Bottom}, c);
}

void TCanvas::Rectangle(TRect R) {
    if (R.Empty()) return;
    FillRect(R);
    if (Pen.Style == psClear) return;
    uint32_t c = ColorToPixel(Pen.Color);
    int32_t w = std::max(1, Pen.Width);
    TRect d = ToDevice(R);
    Fill(TRect{d.Left, d.Top, d.Right, d.Top + w}, c);
    Fill(TRect{d.Left, d.Bottom - w, d.Right, d.Bottom}, c);
    Fill(TRect{d.Left, d.Top, d.Left + w, d.Bottom}, c);
    Fill(TRect{d.Right - w, d.Top, d.Right, d.Bottom}, c);
}

void TCanvas::MoveTo(int32_t X, int32_t Y) { FPenPos = TPoint{X, Y}; }

void TCanvas::LineTo(int32_t X, int32_t Y) {
    TPoint from = FPenPos;
    FPenPos = TPoint{X, Y};
    if (Pen.Style == psClear) return;
    uint32_t c = ColorToPixel(Pen.Color);
    int32_t w = std::max(1, Pen.Width);
    int32_t dx = std::abs(X - from.x), dy = -std::abs(Y - from.y);
    int32_t sx = from.x < X ? 1 : -1, sy = from.y < Y ? 1 : -1;
    int32_t err = dx + dy, x = from.x, y = from.y;
    for (int32_t n = 0; x != X || y != Y; ++n) {
        bool on = true;
        if (Pen.Style == psDot) on = n % 2 == 0;
        else if (Pen.Style == psDash) on = n % 9 < 6;
        if (on) {
            if (w == 1) Plot(x, y, c);
            else Fill(ToDevice(Bounds(x - w / 2, y - w / 2, w, w)), c);
        }
        int32_t e2 = 2 * err;
        if (e2 >= dy) err += dy, x += sx;
        if (e2 <= dx) err += dx, y += sy;
    }
}

void TCanvas::Pixel(int32_t X, int32_t Y, TColor C) { Plot(X, Y, ColorToPixel(C)); }

void TCanvas::Frame3D(TRect& R, TColor TopLeft, TColor BottomRight, int32_t Width) {
    uint32_t tl = ColorToPixel(TopLeft), br = ColorToPixel(BottomRight);
    for (int32_t i = 0; i < Width && !R.Empty(); ++i) {
        TRect d = ToDevice(R);
        // Top-left edges first; the bottom-right ones take both far corners.
        Fill(TRect{d.Left, d.Top, d.Right - 1, d.Top + 1}, tl);
        Fill(TRect{d.Left, d.Top, d.Left + 1, d.Bottom - 1}, tl);
        Fill(TRect{d.Right - 1, d.Top, d.Right, d.Bottom}, br);
        Fill(TRect{d.Left, d.Bottom - 1, d.Right, d.Bottom}, br);
        R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    }
}

void TCanvas::DrawFocusRect(TRect R) {
    // Every other pixel inverted, in a checkerboard fixed to the surface, as
    // the system draws it: drawn twice, it is gone.
    TRect d = ToDevice(R);
    if (d.Empty()) return;
    auto invert = [&](int32_t x, int32_t y) {
        if (((x + y) & 1) || !FClip.Contains(TPoint{x, y})) return;
        uint32_t& p = FTarget.Pixels[static_cast<size_t>(y) * static_cast<size_t>(FTarget.Width) + static_cast<size_t>(x)];
        p ^= 0x00FFFFFF;
    };
    for (int32_t x = d.Left; x < d.Right; ++x) {
        invert(x, d.Top);
        if (d.Bottom - 1 > d.Top) invert(x, d.Bottom - 1);
    }
    for (int32_t y = d.Top + 1; y < d.Bottom - 1; ++y) {
        invert(d.Left, y);
        if (d.Right - 1 > d.Left) invert(d.Right - 1, y);
    }
}

// ---------------------------------------------------------------------------
// Text

void TCanvas::DrawText(TRect Clip, int32_t X, int32_t Y, std::string_view Text) {
    fonts::TFace& face = fonts::FaceFor(*FFont);
    int32_t width = face.TextWidth(Text), height = face.Height();
    TRect saved = FClip;
    FClip = Intersect(FClip, ToDevice(Clip));
    if (Brush.Style != bsClear) Fill(ToDevice(Bounds(X, Y, width, height)), ColorToPixel(Brush.Color));
    const uint32_t colour = ColorToPixel(FFont->Color());
    const int32_t baseline = Y + FOrigin.y + face.Ascent();
    const int32_t start = X + FOrigin.x;
    int64_t advanced = 0;  // 64ths of a pixel
    int32_t pen = start;
    for (char ch : Text) {
        const fonts::TGlyph& g = face.Glyph(static_cast<unsigned char>(ch));
        pen = start + static_cast<int32_t>((advanced + 32) >> 6);
        TRect box = Intersect(Bounds(pen + g.Left, baseline - g.Top, g.Width, g.Rows), FClip);
        for (int32_t y = box.Top; y < box.Bottom; ++y) {
            const uint8_t* cov = g.Coverage.data() + static_cast<size_t>(y - (baseline - g.Top)) * g.Width;
            uint32_t* row = FTarget.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(FTarget.Width);
            const int32_t left = pen + g.Left;
            for (int32_t x = box.Left; x < box.Right; ++x) row[x] = Blend(row[x], colour, cov[x - left]);
        }
        advanced += g.Advance64;
    }
    pen = start + static_cast<int32_t>((advanced + 32) >> 6);
    TFontStyles style = FFont->Style();
    if (style.Contains(fsUnderline)) {
        int32_t top = baseline + face.UnderlineOffset();
        Fill(TRect{X + FOrigin.x, top, pen, top + face.UnderlineThickness()}, colour);
    }
    if (style.Contains(fsStrikeOut)) {
        int32_t top = baseline - face.StrikeOffset();
        Fill(TRect{X + FOrigin.x, top, pen, top + face.StrikeThickness()}, colour);
    }
    FClip = saved;
}

void TCanvas::TextOut(int32_t X, int32_t Y, std::string_view Text) {
    DrawText(TRect{-FOrigin.x, -FOrigin.y, FTarget.Width - FOrigin.x, FTarget.Height - FOrigin.y}, X, Y, Text);
}

void TCanvas::TextRect(TRect R, int32_t X, int32_t Y, std::string_view Text) {
    // The whole rectangle takes the brush, as an opaque clipped text does.
    FillRect(R);
    TBrushStyle style = Brush.Style;
    Brush.Style = bsClear;
    DrawText(R, X, Y, Text);
    Brush.Style = style;
}

int32_t TCanvas::TextWidth(std::string_view Text) { return fonts::FaceFor(*FFont).TextWidth(Text); }

int32_t TCanvas::TextHeight(std::string_view) { return fonts::FaceFor(*FFont).Height(); }

int32_t TCanvas::TextAscent() { return fonts::FaceFor(*FFont).Ascent(); }

void TCanvas::Underline(int32_t X, int32_t Y, int32_t Width) {
    fonts::TFace& face = fonts::FaceFor(*FFont);
    int32_t top = Y + face.Ascent() + face.UnderlineOffset();
    Fill(ToDevice(TRect{X, top, X + Width, top + face.UnderlineThickness()}), ColorToPixel(FFont->Color()));
}

// ---------------------------------------------------------------------------
// Images

bool TCanvas::DrawImage(int32_t X, int32_t Y, const std::string& ImageData) {
    images::TImage image;
    if (!images::Decode(ImageData, image)) return false;
    TRect target = ToDevice(Bounds(X, Y, image.Width, image.Height));
    TRect box = Intersect(target, FClip);
    for (int32_t y = box.Top; y < box.Bottom; ++y) {
        const uint32_t* src = image.Pixels.data() + static_cast<size_t>(y - target.Top) * image.Width;
        uint32_t* row = FTarget.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(FTarget.Width);
        for (int32_t x = box.Left; x < box.Right; ++x) {
            uint32_t p = src[x - target.Left];
            row[x] = Blend(row[x], p & 0x00FFFFFF, p >> 24);
        }
    }
    return true;
}

// ---------------------------------------------------------------------------

std::string ResolvedFontFile(const std::string& Family, bool Bold, bool Italic) {
    return fonts::ResolveFont(Family, Bold, Italic).File;
}

namespace {

struct TPngError {
    std::string Message;
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
    static_cast<TPngError*>(png_get_error_ptr(png))->Message = message ? message : "libpng error";
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// Writes without C++ objects on the stack that a longjmp would skip.
bool WritePng(std::FILE* f, const TBitmapData& S, const std::vector<png_bytep>& rows, TPngError& err) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &err, OnPngError, OnPngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(S.Width), static_cast<png_uint_32>(S.Height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_rows(png, const_cast<png_bytepp>(rows.data()), static_cast<png_uint_32>(rows.size()));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

void SavePng(const TBitmapData& Surface, const std::string& FileName) {
    auto fail = [&](const std::string& why) -> void {
        throw EWriteError("Cannot write the picture '" + FileName + "': " + why);
    };
    if (Surface.Width <= 0 || Surface.Height <= 0) fail("the picture is empty");
    // 8-bit RGB rows, as libpng takes them.
    std::vector<png_byte> bytes(static_cast<size_t>(Surface.Width) * static_cast<size_t>(Surface.Height) * 3);
    std::vector<png_bytep> rows(static_cast<size_t>(Surface.Height));
    for (int32_t y = 0; y < Surface.Height; ++y) {
        png_bytep row = bytes.data() + static_cast<size_t>(y) * static_cast<size_t>(Surface.Width) * 3;
        rows[static_cast<size_t>(y)] = row;
        for (int32_t x = 0; x < Surface.Width; ++x) {
            uint32_t p = Surface.Pixels[static_cast<size_t>(y) * static_cast<size_t>(Surface.Width) + static_cast<size_t>(x)];
            row[x * 3] = static_cast<png_byte>(p >> 16);
            row[x * 3 + 1] = static_cast<png_byte>(p >> 8);
            row[x * 3 + 2] = static_cast<png_byte>(p);
        }
    }
    // A reader never sees a half-written file.
    std::string temp = FileName + ".tmp" + std::to_string(::getpid());
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) fail(std::strerror(errno));
    TPngError err;
    bool ok = WritePng(f, Surface, rows, err);
    int flushError = std::fflush(f) != 0 ? errno : 0;
    if (std::fclose(f) != 0 && !flushError) flushError = errno;
    if (!ok || flushError) {
        std::remove(temp.c_str());
        fail(!ok ? (err.Message.empty() ? std::string("libpng could not start") : err.Message)
                 : std::string(std::strerror(flushError)));
    }
    if (std::rename(temp.c_str(), FileName.c_str()) != 0) {
        int e = errno;
        std::remove(temp.c_str());
        fail(std::strerror(e));
    }
}

}  // namespace vcl
