#include "framework/FontCache.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <tuple>

#include "framework/Graphics.h"

namespace vcl::fonts {

namespace {

std::string Lower(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

// Windows faces to the Debian faces drawn to the same metrics: Tahoma from
// Wine's fonts stands in for the dialog faces, Liberation for the core
// Windows faces.
std::string MetricCompatible(const std::string& family) {
    static const std::map<std::string, std::string> aliases = {
        {"ms sans serif", "Tahoma"},          {"ms shell dlg", "Tahoma"},
        {"ms shell dlg 2", "Tahoma"},         {"microsoft sans serif", "Tahoma"},
        {"system", "Tahoma"},                 {"arial", "Liberation Sans"},
        {"helvetica", "Liberation Sans"},     {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},       {"times new roman", "Liberation Serif"},
        {"times", "Liberation Serif"},
    };
    auto it = aliases.find(Lower(family));
    return it == aliases.end() ? family : it->second;
}

const char* const kFallbackFamily = "DejaVu Sans";

// The process's own fontconfig configuration: the system's, plus the
// folders of faces that fontconfig does not scan by itself (Wine's), added
// here rather than in any system file.
FcConfig* LoadConfig() {
    FcConfig* c = FcInitLoadConfigAndFonts();
    if (!c) return nullptr;
    std::vector<std::string> dirs;
    if (const char* env = std::getenv("QV_FONT_DIRS")) {
        std::string list = env;
        size_t start = 0;
        while (start <= list.size()) {
            size_t end = list.find(':', start);
            if (end == std::string::npos) end = list.size();
            if (end > start) dirs.push_back(list.substr(start, end - start));
            start = end + 1;
        }
    }
    dirs.push_back("/usr/share/wine/fonts");
    std::error_code ec;
    for (const std::string& dir : dirs) {
        // Outline faces only: the folder's bitmap .fon faces scale badly.
        for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
            std::string ext = Lower(entry.path().extension().string());
            if (ext == ".ttf" || ext == ".otf")
                FcConfigAppFontAddFile(c, reinterpret_cast<const FcChar8*>(entry.path().c_str()));
        }
    }
    return c;
}

// The process's own fontconfig configuration: the system's, plus the
// folders of faces that fontconfig does not scan by itself (Wine's), added
// here rather than in any system file. Destroyed at exit: fontconfig frees
// what it built for the added faces only then.
FcConfig* Config() {
    struct THolder {
        FcConfig* Config = LoadConfig();
        ~THolder() {
            if (Config) FcConfigDestroy(Config);
        }
    };
    static THolder holder;
    return holder.Config;
}

bool HasFamily(FcPattern* p, const std::string& family) {
    std::string want = Lower(family);
    FcChar8* s = nullptr;
    for (int i = 0; FcPatternGetString(p, FC_FAMILY, i, &s) == FcResultMatch; ++i)
        if (Lower(reinterpret_cast<const char*>(s)) == want) return true;
    return false;
}

// Matches one family; false when fontconfig offers only a substitute.
bool Match(const std::string& family, bool bold, bool italic, bool anyFamily, TResolvedFont& out) {
    FcConfig* config = Config();
    if (!config) return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;
    bool ok = false;
    FcChar8* file = nullptr;
    FcBool scalable = FcFalse;
    FcPatternGetBool(match, FC_SCALABLE, 0, &scalable);
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && scalable &&
        (anyFamily || HasFamily(match, family))) {
        out.File = reinterpret_cast<const char*>(file);
        int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
            out.Family = reinterpret_cast<const char*>(name);
        // fontconfig's own rules may already have marked the face for
        // synthesis (embolden, an oblique matrix) and changed its style.
        FcBool embolden = FcFalse;
        FcMatrix* matrix = nullptr;
        FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
        bool sheared = FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix && matrix->xy != 0;
        out.Index = index;
        out.SynthBold = bold && (weight < FC_WEIGHT_DEMIBOLD || embolden);
        out.SynthItalic = italic && (slant == FC_SLANT_ROMAN || sheared);
        ok = true;
    }
    FcPatternDestroy(match);
    return ok;
}

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) return static_cast<FT_Library>(nullptr);
        return l;
    }();
    return library;
}

// Windows-1252 bytes 0x80 to 0x9F; the rest are Latin-1.
uint32_t CodePoint(unsigned char c) {
    static constexpr uint16_t k80[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    return c >= 0x80 && c < 0xA0 ? k80[c - 0x80] : c;
}

int32_t Scale(long units, int32_t ppem, int32_t unitsPerEm) {
    return static_cast<int32_t>(std::lround(static_cast<double>(units) * ppem / unitsPerEm));
}

// The width of a face's 'l' in font units: its stem.
long StemWidth(const TResolvedFont& f) {
    FT_Library lib = Library();
    FT_Face face = nullptr;
    if (!lib || f.File.empty() || FT_New_Face(lib, f.File.c_str(), f.Index, &face) != 0) return 0;
    long width = 0;
    if (FT_Load_Char(face, 'l', FT_LOAD_NO_SCALE) == 0 && face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_BBox box;
        FT_Outline_Get_CBox(&face->glyph->outline, &box);
        width = box.xMax - box.xMin;
    }
    FT_Done_Face(face);
    return width;
}

// Some bold faces (Wine's Tahoma among them) carry bold advances around the
// regular strokes: they are drawn emboldened, keeping their advances.
void CheckBoldStrokes(const std::string& family, bool italic, TResolvedFont& bold) {
    TResolvedFont regular;
    if (!Match(family, false, italic, false, regular) || regular.File == bold.File) return;
    long b = StemWidth(bold), r = StemWidth(regular);
    if (b > 0 && r > 0 && b * 20 <= r * 21) {
        bold.SynthBold = true;
        bold.BoldAdvances = true;
    }
}

}  // namespace

TResolvedFont ResolveFont(const std::string& Family, bool Bold, bool Italic) {
    TResolvedFont r;
    std::string wanted = MetricCompatible(Family.empty() ? std::string(kFallbackFamily) : Family);
    bool found = Match(wanted, Bold, Italic, false, r);
    if (!found && wanted != Family && !Family.empty()) {
        wanted = Family;
        found = Match(wanted, Bold, Italic, false, r);
    }
    if (!found) {
        wanted = kFallbackFamily;
        found = Match(wanted, Bold, Italic, false, r) || Match(wanted, Bold, Italic, true, r);
    }
    if (found && Bold && !r.SynthBold) CheckBoldStrokes(wanted, Italic, r);
    return r;
}

TFace::TFace(const TResolvedFont& Font, int32_t Height)
    : FSynthBold(Font.SynthBold), FBoldAdvances(Font.BoldAdvances), FSynthItalic(Font.SynthItalic) {
    FT_Face face = nullptr;
    FT_Library lib = Library();
    if (!lib || Font.File.empty() || FT_New_Face(lib, Font.File.c_str(), Font.Index, &face) != 0) {
        // No face: text measures as boxes of a nominal size and draws nothing.
        FAscent = 10;
        FDescent = 3;
        return;
    }
    FFace = face;
    const int32_t upem = face->units_per_EM ? face->units_per_EM : 2048;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    // Windows measures a cell by the OS/2 table's Windows ascent and descent.
    long cellUnits = os2 && os2->usWinAscent + os2->usWinDescent > 0 ? os2->usWinAscent + os2->usWinDescent
                                                                    : face->ascender - face->descender;
    if (cellUnits <= 0) cellUnits = upem;
    // A negative height is the character height (the em), a positive one
    // the cell height, 0 the usual 8 points; in 64 bits, as a form file may
    // hold any height, the most negative too.
    int64_t wanted = Height < 0 ? -int64_t{Height}
                     : Height > 0 ? (int64_t{Height} * upem + cellUnits / 2) / cellUnits
                                  : 11;
    int32_t ppem = static_cast<int32_t>(std::clamp<int64_t>(wanted, 1, 2048));
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ppem));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        FAscent = Scale(os2->usWinAscent, ppem, upem);
        FDescent = Scale(os2->usWinDescent, ppem, upem);
    } else {
        FAscent = static_cast<int32_t>((face->size->metrics.ascender + 63) >> 6);
        FDescent = static_cast<int32_t>((-face->size->metrics.descender + 63) >> 6);
    }
    FAscent = std::max(FAscent, 1);
    FDescent = std::max(FDescent, 0);
    if (face->underline_thickness > 0) {
        FUnderlineThickness = std::max(1, Scale(face->underline_thickness, ppem, upem));
        FUnderlineOffset = std::max(1, Scale(-face->underline_position, ppem, upem) - FUnderlineThickness / 2);
    }
    if (FSynthBold) FUnderlineThickness = std::max(FUnderlineThickness, ppem >= 16 ? 2 : 1);
    FUnderlineOffset = std::min(FUnderlineOffset, std::max(1, FDescent - FUnderlineThickness));
    if (os2 && os2->yStrikeoutSize > 0) {
        FStrikeThickness = std::max(1, Scale(os2->yStrikeoutSize, ppem, upem));
        FStrikeOffset = Scale(os2->yStrikeoutPosition, ppem, upem);
    } else {
        FStrikeThickness = FUnderlineThickness;
        FStrikeOffset = FAscent * 3 / 10;
    }
    FStrikeOffset = std::clamp(FStrikeOffset, 1, FAscent);
}

TFace::~TFace() {
    if (FFace) FT_Done_Face(static_cast<FT_Face>(FFace));
}

const TGlyph& TFace::Glyph(unsigned char Ch) {
    if (!FLoaded[Ch]) {
        Render(Ch, FGlyphs[Ch]);
        FLoaded[Ch] = true;
    }
    return FGlyphs[Ch];
}

int32_t TFace::TextWidth(std::string_view Text) {
    int64_t w = 0;
    for (char c : Text) w += Glyph(static_cast<unsigned char>(c)).Advance64;
    return static_cast<int32_t>((w + 32) >> 6);
}

void TFace::Render(unsigned char Ch, TGlyph& Out) {
    Out = TGlyph{};
    auto face = static_cast<FT_Face>(FFace);
    if (!face) {
        Out.Advance64 = Height() * 32;
        return;
    }
    FT_UInt index = FT_Get_Char_Index(face, CodePoint(Ch));
    // Antialiased outlines even where a face carries bitmaps for small sizes.
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0) return;
    FT_GlyphSlot slot = face->glyph;
    if (FSynthItalic) FT_GlyphSlot_Oblique(slot);
    Out.Advance64 = static_cast<int32_t>(slot->linearHoriAdvance >> 10);
    if (FSynthBold && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        // As the system simulates bold: strokes a pixel wider, and each
        // advance a pixel longer unless the face's advances are bold already.
        FT_Outline_EmboldenXY(&slot->outline, 64, 0);
        if (!FBoldAdvances && Out.Advance64 > 0) Out.Advance64 += 64;
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY || bm.width == 0 || bm.rows == 0) return;
    Out.Left = slot->bitmap_left;
    Out.Top = slot->bitmap_top;
    Out.Width = static_cast<int32_t>(bm.width);
    Out.Rows = static_cast<int32_t>(bm.rows);
    Out.Coverage.resize(static_cast<size_t>(Out.Width) * static_cast<size_t>(Out.Rows));
    // Strokes a little darker than their exact coverage: at dialog sizes a
    // stem rarely covers whole pixels, and the classic look has solid text.
    for (int32_t y = 0; y < Out.Rows; ++y) {
        const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
        uint8_t* out = Out.Coverage.data() + static_cast<std::ptrdiff_t>(y) * Out.Width;
        for (int32_t x = 0; x < Out.Width; ++x) out[x] = static_cast<uint8_t>(std::min(255, row[x] * 3 / 2));
    }
}

TFace& FaceFor(const TFont& Font) {
    using TKey = std::tuple<std::string, int32_t, bool, bool>;
    // Never destroyed: forms freed as the program exits still measure text.
    static auto& faces = *new std::map<TKey, std::unique_ptr<TFace>>;  // names in lower case
    // Drawing asks for the same font many times in a row.
    static TFace* last = nullptr;
    static auto& lastKey = *new TKey;
    bool bold = Font.Style().Contains(fsBold), italic = Font.Style().Contains(fsItalic);
    if (last && std::get<1>(lastKey) == Font.Height() && std::get<2>(lastKey) == bold &&
        std::get<3>(lastKey) == italic && std::get<0>(lastKey) == Font.Name())
        return *last;
    TKey key{Lower(Font.Name()), Font.Height(), bold, italic};
    auto it = faces.find(key);
    if (it == faces.end())
        it = faces.emplace(key, std::make_unique<TFace>(ResolveFont(Font.Name(), bold, italic), Font.Height())).first;
    last = it->second.get();
    lastKey = TKey{Font.Name(), Font.Height(), bold, italic};
    return *last;
}

}  // namespace vcl::fonts
