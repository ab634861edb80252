// Colours, fonts and images as controls store them. Drawing comes with the
// canvas; this unit holds the values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/Classes.h"

namespace vcl {

// 0x00BBGGRR; values with the top bit set name system colours.
enum TColor : int32_t {
    clBlack = 0x000000,
    clMaroon = 0x000080,
    clGreen = 0x008000,
    clOlive = 0x008080,
    clNavy = 0x800000,
    clPurple = 0x800080,
    clTeal = 0x808000,
    clGray = 0x808080,
    clSilver = 0xC0C0C0,
    clRed = 0x0000FF,
    clLime = 0x00FF00,
    clYellow = 0x00FFFF,
    clBlue = 0xFF0000,
    clFuchsia = 0xFF00FF,
    clAqua = 0xFFFF00,
    clLtGray = 0xC0C0C0,
    clDkGray = 0x808080,
    clWhite = 0xFFFFFF,
    clNone = 0x1FFFFFFF,
    clDefault = 0x20000000,

    clScrollBar = static_cast<int32_t>(0x80000000),
    clBackground = static_cast<int32_t>(0x80000001),
    clActiveCaption = static_cast<int32_t>(0x80000002),
    clInactiveCaption = static_cast<int32_t>(0x80000003),
    clMenu = static_cast<int32_t>(0x80000004),
    clWindow = static_cast<int32_t>(0x80000005),
    clWindowFrame = static_cast<int32_t>(0x80000006),
    clMenuText = static_cast<int32_t>(0x80000007),
    clWindowText = static_cast<int32_t>(0x80000008),
    clCaptionText = static_cast<int32_t>(0x80000009),
    clActiveBorder = static_cast<int32_t>(0x8000000A),
    clInactiveBorder = static_cast<int32_t>(0x8000000B),
    clAppWorkSpace = static_cast<int32_t>(0x8000000C),
    clHighlight = static_cast<int32_t>(0x8000000D),
    clHighlightText = static_cast<int32_t>(0x8000000E),
    clBtnFace = static_cast<int32_t>(0x8000000F),
    clBtnShadow = static_cast<int32_t>(0x80000010),
    clGrayText = static_cast<int32_t>(0x80000011),
    clBtnText = static_cast<int32_t>(0x80000012),
    clInactiveCaptionText = static_cast<int32_t>(0x80000013),
    clBtnHighlight = static_cast<int32_t>(0x80000014),
    cl3DDkShadow = static_cast<int32_t>(0x80000015),
    cl3DLight = static_cast<int32_t>(0x80000016),
    clInfoText = static_cast<int32_t>(0x80000017),
    clInfoBk = static_cast<int32_t>(0x80000018),
};

bool ColorToIdent(int64_t color, std::string& ident);
bool IdentToColor(std::string_view ident, int64_t& color);
// The RGB value (0x00BBGGRR) of a colour, system colours resolved to the
// classic scheme.
uint32_t ColorToRGB(TColor color);

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
// A character set number; form files name the common ones (ANSI_CHARSET ...).
enum TFontCharset : int32_t { ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2 };

class TFont : public TPersistent {
    VCL_CLASS(TFont, TPersistent)

    TFont() = default;
    void Assign(TPersistent* Source) override;

    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    // Height < 0: character height in pixels; > 0: cell height.
    int32_t Height() const { return FHeight; }
    void SetHeight(int32_t v);
    // Size in points at 96 pixels per inch.
    int32_t Size() const;
    void SetSize(int32_t v);
    const AnsiString& Name() const { return FName; }
    void SetName(const AnsiString& v);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch v);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles v);

    bool operator==(const TFont& o) const;
    TNotifyEvent OnChange;

private:
    void Changed();
    TFontCharset FCharset = DEFAULT_CHARSET;
    TColor FColor = clWindowText;
    int32_t FHeight = -11;
    AnsiString FName = "MS Sans Serif";
    TFontPitch FPitch = fpDefault;
    TFontStyles FStyle;
};

// An icon or picture as stored in form files: the raw image data, kept
// byte for byte and written back unchanged. Decoding belongs to the canvas.
class TIcon : public TPersistent {
    VCL_CLASS(TIcon, TPersistent)

    TIcon() = default;
    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler& Filer) override;
    const std::string& Data() const { return FData; }
    void SetData(std::string data) { FData = std::move(data); }
    bool Empty() const { return FData.empty(); }

private:
    std::string FData;
};

}  // namespace vcl

VCL_ENUM_INFO(vcl::TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
VCL_ENUM_INFO(vcl::TFontPitch, fpDefault, fpVariable, fpFixed)

namespace vcl {
const TTypeInfo* ColorTypeInfo();
const TTypeInfo* CharsetTypeInfo();
}  // namespace vcl

template <>
struct vcl::TypeInfoTraits<vcl::TColor> {
    static const vcl::TTypeInfo* Get() { return vcl::ColorTypeInfo(); }
};
template <>
struct vcl::TypeInfoTraits<vcl::TFontCharset> {
    static const vcl::TTypeInfo* Get() { return vcl::CharsetTypeInfo(); }
};
