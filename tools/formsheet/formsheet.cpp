// formsheet: a contact sheet of the forms in a folder, with how each loads.
//
//   formsheet FOLDER --out SHEET.png [--columns N] [--thumb WIDTH]
//
// Every form file of the folder (text or binary) is loaded as formrun loads
// it: strictly first, as `formrun FORM --ignore-handlers` does (every class,
// property and value known; the handlers left unassigned, since the plain
// form has none), then, if that fails, leniently, as `formrun FORM --lenient`
// does (what cannot be read skipped, unknown classes kept as stand-ins). Each
// is shown on the headless desktop and drawn as a thumbnail with its file
// name under it and a mark for how it loaded: green strictly, amber
// leniently, red not at all. The last line printed is the summary:
// "N forms: S strictly, L leniently, F not at all".
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/Streaming.h"
#include "framework/Version.h"
#include "framework/platform/headless/HeadlessPlatform.h"
#include "runtime/QVTrackMouse.h"

using namespace vcl;
namespace fs = std::filesystem;

namespace {

const char* const kUsage =
    "usage: formsheet FOLDER --out SHEET.png [--columns N] [--thumb WIDTH]\n"
    "  FOLDER         the form files (.dfm, .lfm, .xfm, .fmx) to show\n"
    "  --out FILE     the contact sheet to write (PNG)\n"
    "  --columns N    thumbnails a row (8)\n"
    "  --thumb WIDTH  the width of a thumbnail in pixels (200)\n"
    "  --help         print this and exit\n"
    "  --version      print the version and exit\n"
    "Each form is marked by how it loads: green strictly (as formrun FORM\n"
    "--ignore-handlers loads it), amber leniently (as formrun FORM --lenient),\n"
    "red not at all.\n";

int Usage(const std::string& Problem) {
    std::fprintf(stderr, "formsheet: %s\n%s", Problem.c_str(), kUsage);
    return 2;
}

enum class TLoad { Strict, Lenient, Failed };

struct TEntry {
    std::string Name;
    TLoad How = TLoad::Failed;
    TBitmapData Picture;
};

bool IsFormFile(const fs::path& p) {
    std::string ext = p.extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".dfm" || ext == ".lfm" || ext == ".xfm" || ext == ".fmx";
}

// Loads the form into a fresh plain form, with formrun's options for the
// same mark; null when it does not load.
TForm* Load(const std::string& Data, const std::string& Path, bool Lenient) {
    auto* form = new TForm(Application);
    TWeakRef<TForm> ref(form);
    try {
        TReadOptions options;
        options.IgnoreMissingHandlers = true;
        options.Lenient = Lenient;
        options.OnWarning = [](const std::string&) {};
        ReadComponentFromForm(Data, Path, form, options);
        return ref.Get();
    } catch (const Exception&) {
        if (ref) ref->Free();
        return nullptr;
    }
}

// The form's window as the desktop shows it.
TBitmapData Picture(THeadlessPlatform& Desktop, TForm* Form) {
    Form->SetPosition(poDesigned);
    Form->SetLeft(0);
    Form->SetTop(0);
    Form->Show();
    Application->ProcessMessages();
    return Desktop.WindowShot(Form);
}

// Scaled to fit W x H, averaging the source pixels each target pixel covers.
void DrawThumbnail(TBitmapData& Sheet, const TBitmapData& P, int32_t X0, int32_t Y0, int32_t W, int32_t H) {
    const double scale = std::min({1.0, static_cast<double>(W) / P.Width, static_cast<double>(H) / P.Height});
    const int32_t tw = std::max(1, static_cast<int32_t>(P.Width * scale));
    const int32_t th = std::max(1, static_cast<int32_t>(P.Height * scale));
    for (int32_t y = 0; y < th; ++y)
        for (int32_t x = 0; x < tw; ++x) {
            const int32_t sx0 = static_cast<int32_t>(x / scale), sx1 = std::max(sx0 + 1, static_cast<int32_t>((x + 1) / scale));
            const int32_t sy0 = static_cast<int32_t>(y / scale), sy1 = std::max(sy0 + 1, static_cast<int32_t>((y + 1) / scale));
            uint64_t r = 0, g = 0, b = 0, n = 0;
            for (int32_t sy = sy0; sy < sy1 && sy < P.Height; ++sy)
                for (int32_t sx = sx0; sx < sx1 && sx < P.Width; ++sx) {
                    const uint32_t px = P.Pixel(sx, sy);
                    r += (px >> 16) & 0xFF, g += (px >> 8) & 0xFF, b += px & 0xFF, ++n;
                }
            if (n) Sheet.SetPixel(X0 + x, Y0 + y, static_cast<uint32_t>((r / n) << 16 | (g / n) << 8 | (b / n)));
        }
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder, out;
    int columns = 8, thumb = 200;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == "--version") {
            std::printf("formsheet %s\n", QV_VERSION);
            return 0;
        }
        if (a == "--out" || a == "--columns" || a == "--thumb") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') return Usage("option '" + a + "' needs a value");
            const std::string v = argv[++i];
            if (a == "--out") {
                out = v;
                continue;
            }
            int n = 0;
            try {
                size_t used = 0;
                n = std::stoi(v, &used);
                if (used != v.size()) n = 0;
            } catch (...) {
            }
            if (n < 1 || n > (a == "--columns" ? 100 : 2000))
                return Usage("option '" + a + "' needs a number in range, not '" + v + "'");
            (a == "--columns" ? columns : thumb) = n;
        } else if (!a.empty() && a[0] == '-') {
            return Usage("unknown option '" + a + "'");
        } else if (folder.empty()) {
            folder = a;
        } else {
            return Usage("unexpected argument '" + a + "' (one folder only)");
        }
    }
    if (folder.empty()) return Usage("no folder given");
    if (out.empty()) return Usage("no --out file given");
    std::error_code ec;
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(folder, ec))
        if (e.is_regular_file() && IsFormFile(e.path())) files.push_back(e.path());
    if (ec) {
        std::fprintf(stderr, "formsheet: cannot read the folder '%s': %s\n", folder.c_str(), ec.message().c_str());
        return 1;
    }
    std::sort(files.begin(), files.end());

    RegisterFormClasses();
    RegisterQVTrackMouse();
    auto desktop = std::make_unique<THeadlessPlatform>(TSize{2560, 1600});
    THeadlessPlatform& screen = *desktop;
    SetPlatform(std::move(desktop));
    Application->Initialize();

    std::vector<TEntry> entries;
    int counts[3] = {0, 0, 0};
    for (const fs::path& f : files) {
        TEntry e;
        e.Name = f.filename().string();
        std::string data;
        if (ReadFileBytes(f.string(), data)) {
            TForm* form = Load(data, f.string(), false);
            e.How = TLoad::Strict;
            if (!form) {
                form = Load(data, f.string(), true);
                e.How = form ? TLoad::Lenient : TLoad::Failed;
            }
            if (form) {
                TWeakRef<TForm> ref(form);
                e.Picture = Picture(screen, form);
                if (ref) ref->Free();
                Application->ProcessMessages();
            }
        }
        ++counts[static_cast<int>(e.How)];
        std::printf("%-8s %s\n", e.How == TLoad::Strict ? "strict" : e.How == TLoad::Lenient ? "lenient" : "failed",
                    e.Name.c_str());
        entries.push_back(std::move(e));
    }

    // The sheet: a grid of cells, each a thumbnail over its name and mark.
    const int32_t thumbH = thumb * 3 / 4, label = 16, pad = 8;
    const int32_t cellW = thumb + pad, cellH = thumbH + label + pad;
    const int32_t rows = std::max<int32_t>(1, (static_cast<int32_t>(entries.size()) + columns - 1) / columns);
    TBitmapData sheet;
    sheet.Resize(pad + columns * cellW, pad + rows * cellH, 0xFFFFFF);
    {
        TCanvas c(sheet);
        c.Font()->SetName("Tahoma");
        c.Font()->SetHeight(-11);
        for (size_t i = 0; i < entries.size(); ++i) {
            const TEntry& e = entries[i];
            const int32_t x = pad + static_cast<int32_t>(i % columns) * cellW;
            const int32_t y = pad + static_cast<int32_t>(i / columns) * cellH;
            c.Brush.Color = static_cast<TColor>(0xEEEEEE);
            c.FillRect(TRect{x, y, x + thumb, y + thumbH});
            if (e.Picture.Width > 0) DrawThumbnail(sheet, e.Picture, x, y, thumb, thumbH);
            const TColor mark = e.How == TLoad::Strict    ? static_cast<TColor>(0x30A030)
                                : e.How == TLoad::Lenient ? static_cast<TColor>(0x10A0E0)
                                                          : static_cast<TColor>(0x2020D0);
            c.Brush.Color = mark;
            c.FillRect(TRect{x, y + thumbH + 3, x + 8, y + thumbH + 11});
            c.Brush.Color = clWhite;
            // Collected files are named owner__project__file: the file's own
            // part is what fits under a thumbnail.
            const size_t cut = e.Name.rfind("__");
            const std::string shown = cut == std::string::npos ? e.Name : e.Name.substr(cut + 2);
            c.TextRect(TRect{x + 11, y + thumbH, x + thumb, y + thumbH + label}, x + 11, y + thumbH + 1, shown);
        }
    }
    try {
        SavePng(sheet, out);
    } catch (const Exception& e) {
        std::fprintf(stderr, "formsheet: %s\n", e.Message().c_str());
        return 1;
    }
    std::printf("%zu forms: %d strictly, %d leniently, %d not at all\n", entries.size(), counts[0], counts[1],
                counts[2]);
    return 0;
}
