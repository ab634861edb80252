#include "framework/Graphics.h"

#include <algorithm>
#include <cmath>

#include "framework/Streaming.h"

namespace vcl {

namespace {

struct NamedColor {
    TColor Color;
    const char* Name;
};

constexpr NamedColor kColors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
};

// The classic 3-D scheme, indexed by system colour number.
constexpr uint32_t kSystemRGB[] = {
    0xC8C8C8,  // scroll bar
    0x808000,  // background (teal desktop)
    0x800000,  // active caption (navy)
    0x808080,  // inactive caption
    0xC0C0C0,  // menu
    0xFFFFFF,  // window
    0x000000,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0xFFFFFF,  // caption text
    0xC0C0C0,  // active border
    0xC0C0C0,  // inactive border
    0x808080,  // app workspace
    0x800000,  // highlight
    0xFFFFFF,  // highlight text
    0xC0C0C0,  // button face
    0x808080,  // button shadow
    0x808080,  // gray text
    0x000000,  // button text
    0xC0C0C0,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x000000,  // 3-D dark shadow
    0xDFDFDF,  // 3-D light
    0x000000,  // info text
    0xE1FFFF,  // info background
};

bool CharsetToIdent(int64_t v, std::string& ident) {
    switch (v) {
        case 0: ident = "ANSI_CHARSET"; return true;
        case 1: ident = "DEFAULT_CHARSET"; return true;
        case 2: ident = "SYMBOL_CHARSET"; return true;
        case 77: ident = "MAC_CHARSET"; return true;
        case 128: ident = "SHIFTJIS_CHARSET"; return true;
        case 129: ident = "HANGEUL_CHARSET"; return true;
        case 134: ident = "GB2312_CHARSET"; return true;
        case 136: ident = "CHINESEBIG5_CHARSET"; return true;
        case 161: ident = "GREEK_CHARSET"; return true;
        case 162: ident = "TURKISH_CHARSET"; return true;
        case 177: ident = "HEBREW_CHARSET"; return true;
        case 178: ident = "ARABIC_CHARSET"; return true;
        case 186: ident = "BALTIC_CHARSET"; return true;
        case 204: ident = "RUSSIAN_CHARSET"; return true;
        case 222: ident = "THAI_CHARSET"; return true;
        case 238: ident = "EASTEUROPE_CHARSET"; return true;
        case 255: ident = "OEM_CHARSET"; return true;
        default: return false;
    }
}

bool IdentToCharset(std::string_view ident, int64_t& v) {
    for (int64_t i = 0; i < 256; ++i) {
        std::string name;
        if (CharsetToIdent(i, name) && SameText(name, ident)) {
            v = i;
            return true;
        }
    }
    return false;
}

}  // namespace

bool ColorToIdent(int64_t color, std::string& ident) {
    for (const auto& c : kColors) {
        // Silver and gray have second names; the first in the table wins.
        if (c.Color == color) {
            ident = c.Name;
            return true;
        }
    }
    return false;
}

bool IdentToColor(std::string_view ident, int64_t& color) {
    for (const auto& c : kColors) {
        if (SameText(c.Name, ident)) {
            color = c.Color;
            return true;
        }
    }
    if (SameText(ident, "clLtGray")) return color = clLtGray, true;
    if (SameText(ident, "clDkGray")) return color = clDkGray, true;
    return false;
}

uint32_t ColorToRGB(TColor color) {
    uint32_t v = static_cast<uint32_t>(color);
    if (v & 0x80000000u) {
        uint32_t index = v & 0xFF;
        return index < std::size(kSystemRGB) ? kSystemRGB[index] : 0;
    }
    return v & 0x00FFFFFF;
}

const TTypeInfo* ColorTypeInfo() {
    static const TTypeInfo* info = MakeNamedIntTypeInfo("TColor", &IdentToColor, &ColorToIdent);
    return info;
}

const TTypeInfo* CharsetTypeInfo() {
    static const TTypeInfo* info = MakeNamedIntTypeInfo("TFontCharset", &IdentToCharset, &CharsetToIdent);
    return info;
}

// ---------------------------------------------------------------------------
// TFont

VCL_IMPLEMENT_CLASS(TFont)
void TFont::DescribeClass(ClassBuilder<TFont>& c) {
    c.Property("Charset", &TFont::Charset, &TFont::SetCharset);
    c.Property("Color", &TFont::Color, &TFont::SetColor);
    c.Property("Height", &TFont::Height, &TFont::SetHeight);
    c.Property("Name", &TFont::Name, &TFont::SetName);
    c.Property("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
    c.Property("Size", &TFont::Size, &TFont::SetSize).Stored(false);
    c.Property("Style", &TFont::Style, &TFont::SetStyle);
}

void TFont::Assign(TPersistent* Source) {
    if (auto* f = dynamic_cast<TFont*>(Source)) {
        FCharset = f->FCharset;
        FColor = f->FColor;
        FHeight = f->FHeight;
        FName = f->FName;
        FPitch = f->FPitch;
        FStyle = f->FStyle;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TFont::Changed() { OnChange(this); }

void TFont::SetCharset(TFontCharset v) {
    if (v != FCharset) FCharset = v, Changed();
}
void TFont::SetColor(TColor v) {
    if (v != FColor) FColor = v, Changed();
}
void TFont::SetHeight(int32_t v) {
    if (v != FHeight) FHeight = v, Changed();
}
// In floating point throughout: the extreme heights a form file may hold
// neither overflow on negation nor wrap round on the way back.
int32_t TFont::Size() const { return static_cast<int32_t>(std::lround(-(FHeight * 72.0 / 96.0))); }
void TFont::SetSize(int32_t v) {
    SetHeight(static_cast<int32_t>(std::lround(std::clamp(-(v * 96.0 / 72.0), double{INT32_MIN}, double{INT32_MAX}))));
}
void TFont::SetName(const AnsiString& v) {
    if (v != FName) FName = v, Changed();
}
void TFont::SetPitch(TFontPitch v) {
    if (v != FPitch) FPitch = v, Changed();
}
void TFont::SetStyle(TFontStyles v) {
    if (v != FStyle) FStyle = v, Changed();
}

bool TFont::operator==(const TFont& o) const {
    return FCharset == o.FCharset && FColor == o.FColor && FHeight == o.FHeight && FName == o.FName &&
           FPitch == o.FPitch && FStyle == o.FStyle;
}

// ---------------------------------------------------------------------------
// TIcon

VCL_IMPLEMENT_CLASS(TIcon)
void TIcon::DescribeClass(ClassBuilder<TIcon>&) {}

void TIcon::Assign(TPersistent* Source) {
    if (auto* i = dynamic_cast<TIcon*>(Source)) {
        FData = i->FData;
        return;
    }
    TPersistent::Assign(Source);
}

void TIcon::DefineProperties(TFiler& Filer) {
    Filer.DefineProperty(
        "Data", [this](TReader& r) { FData = r.ReadBinary(); }, [this](TWriter& w) { w.WriteBinary(FData); },
        !FData.empty());
}

}  // namespace vcl
