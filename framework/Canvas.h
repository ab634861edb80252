// Drawing: pixel surfaces and the canvas that draws on them in the
// framework's classic look.
//
// Every form keeps a surface of its client area (TCustomForm::Surface()).
// The message loop repaints what was invalidated: each control draws itself
// through its virtual Paint with the canvas's origin at the control's
// top-left and its clip at the control's bounds within the form. Backends
// show the surfaces: the headless desktop composes them into a screenshot,
// the windowed backend copies them into its windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Graphics.h"
#include "framework/Types.h"

namespace vcl {

// A 32-bit surface: each pixel 0x00RRGGBB (note: not TColor's 0x00BBGGRR).
struct TBitmapData {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;  // row-major, Width * Height

    void Resize(int32_t W, int32_t H, uint32_t Fill = 0);
    uint32_t Pixel(int32_t X, int32_t Y) const;  // 0 outside
    void SetPixel(int32_t X, int32_t Y, uint32_t RGB);
};

// 0x00BBGGRR (system colours resolved) to 0x00RRGGBB.
uint32_t ColorToPixel(TColor Color);

enum TPenStyle { psSolid, psDash, psDot, psClear };
enum TBrushStyle { bsSolid, bsClear };

struct TPen {
    TColor Color = clBlack;
    int32_t Width = 1;
    TPenStyle Style = psSolid;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

class TCanvas {
public:
    explicit TCanvas(TBitmapData& Target);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen Pen;
    TBrush Brush;
    TFont* Font() { return FFont; }

    // Drawing coordinates are relative to the origin; nothing is drawn
    // outside the clip rectangle (in surface coordinates).
    void SetOrigin(TPoint Origin) { FOrigin = Origin; }
    TPoint Origin() const { return FOrigin; }
    void SetClip(TRect Clip);
    TRect Clip() const { return FClip; }

    void FillRect(TRect R);                    // with the brush
    void FrameRect(TRect R);                   // 1-pixel frame in the brush colour
    void Rectangle(TRect R);                   // pen outline, brush inside
    void MoveTo(int32_t X, int32_t Y);
    void LineTo(int32_t X, int32_t Y);         // excludes the end point
    void Pixel(int32_t X, int32_t Y, TColor C);
    // Two-colour 3-D frame, Width pixels thick: top-left edges in TopLeft,
    // bottom-right edges in BottomRight; R shrinks by Width.
    void Frame3D(TRect& R, TColor TopLeft, TColor BottomRight, int32_t Width = 1);
    // The dotted focus rectangle.
    void DrawFocusRect(TRect R);

    // Text in the font, its top-left at (X, Y); the background is filled with
    // the brush unless the brush is clear. Underline and strike-out included.
    void TextOut(int32_t X, int32_t Y, std::string_view Text);
    // The same, clipped to R as well.
    void TextRect(TRect R, int32_t X, int32_t Y, std::string_view Text);
    // Measures in the font: the sum of the characters' advances, and the
    // cell height (ascent and descent). Text is 8-bit, Windows-1252.
    int32_t TextWidth(std::string_view Text);
    int32_t TextHeight(std::string_view Text);
    // Rows from a text's top to its baseline.
    int32_t TextAscent();
    // The font's underline, in its colour, under Width pixels of a text
    // whose top-left is at (X, Y): an accelerator's mark.
    void Underline(int32_t X, int32_t Y, int32_t Width);

    // An icon or bitmap from device-independent bitmap data (4, 8, 24 or 32
    // bits per pixel; icons with their AND mask). False if it cannot be read.
    bool DrawImage(int32_t X, int32_t Y, const std::string& ImageData);

private:
    TRect ToDevice(TRect R) const;
    // Device-coordinate drawing within the clip.
    void Fill(TRect DeviceRect, uint32_t RGB);
    void Plot(int32_t X, int32_t Y, uint32_t RGB);
    void DrawText(TRect Clip, int32_t X, int32_t Y, std::string_view Text);
    TBitmapData& FTarget;
    TFont* FFont;
    TPoint FOrigin;
    TRect FClip;
    TPoint FPenPos;
};

// The font face a family name resolves to (fontconfig), e.g. "Tahoma" ->
// "/usr/share/fonts/.../tahoma.ttf"; for the closing notes and tests.
std::string ResolvedFontFile(const std::string& Family, bool Bold, bool Italic);

// Writes a surface as PNG (to a temporary name, renamed into place).
// Raises EWriteError naming the file on failure.
void SavePng(const TBitmapData& Surface, const std::string& FileName);

}  // namespace vcl
