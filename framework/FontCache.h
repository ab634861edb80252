// Fonts for the canvas (private to the framework): family names resolved
// through fontconfig to metric-compatible faces, FreeType faces opened once
// per name, height and style, and glyphs rendered once per face.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vcl {
class TFont;
}

namespace vcl::fonts {

struct TResolvedFont {
    std::string File;    // empty when no font at all could be found
    int Index = 0;       // the face inside the file
    std::string Family;  // the family that was matched
    bool SynthBold = false;    // bold asked for, the face's strokes are not
    bool BoldAdvances = false;  // ... though its advances are (a bold face drawn with regular strokes)
    bool SynthItalic = false;  // italic asked for, the face is upright
};

// The face for a family name as form files use them ("Tahoma", "MS Sans
// Serif", "Arial", ...), else the sans face.
TResolvedFont ResolveFont(const std::string& Family, bool Bold, bool Italic);

// A rendered glyph: an 8-bit coverage map and where it sits relative to the
// pen on the baseline.
struct TGlyph {
    int32_t Left = 0;  // columns right of the pen
    int32_t Top = 0;   // rows above the baseline
    int32_t Width = 0;
    int32_t Rows = 0;
    int32_t Advance64 = 0;  // in 64ths of a pixel: the face's own, unhinted
    std::vector<uint8_t> Coverage;  // Rows * Width
};

// One face at one pixel size and style. Text is 8-bit, Windows-1252.
class TFace {
public:
    TFace(const TResolvedFont& Font, int32_t Height);
    ~TFace();
    TFace(const TFace&) = delete;
    TFace& operator=(const TFace&) = delete;

    int32_t Ascent() const { return FAscent; }
    int32_t Descent() const { return FDescent; }
    int32_t Height() const { return FAscent + FDescent; }
    // Rows below the baseline where underlines start, and their thickness.
    int32_t UnderlineOffset() const { return FUnderlineOffset; }
    int32_t UnderlineThickness() const { return FUnderlineThickness; }
    // Rows above the baseline where strike-out lines start (going down).
    int32_t StrikeOffset() const { return FStrikeOffset; }
    int32_t StrikeThickness() const { return FStrikeThickness; }

    const TGlyph& Glyph(unsigned char Ch);
    // Characters are placed at their unhinted advances, each rounded to
    // the pixel from the start of the text: widths then match what forms
    // were laid out for.
    int32_t TextWidth(std::string_view Text);

private:
    void Render(unsigned char Ch, TGlyph& Out);
    void* FFace = nullptr;  // FT_Face
    bool FSynthBold = false;
    bool FBoldAdvances = false;
    bool FSynthItalic = false;
    int32_t FAscent = 0, FDescent = 0;
    int32_t FUnderlineOffset = 1, FUnderlineThickness = 1;
    int32_t FStrikeOffset = 3, FStrikeThickness = 1;
    std::array<bool, 256> FLoaded{};
    std::array<TGlyph, 256> FGlyphs;
};

// The face for a font's name, height and bold/italic style; opened once and
// kept for the life of the process.
TFace& FaceFor(const TFont& Font);

}  // namespace vcl::fonts
