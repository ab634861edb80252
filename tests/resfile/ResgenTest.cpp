// resgen run as the build runs it, on small manifests and on the design-time
// package's own, and the pictures of the package and of HoverBench.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "DataCases.h"
#include "ResTestSupport.h"
#include "framework/FormFiles.h"
#include "framework/resfile/ResFile.h"

namespace fs = std::filesystem;
using namespace vcl::resfile;
using restest::U16;
using restest::U32;

namespace {

const std::string kDesign = QV_DESIGN_DIR;

class Resgen : public vcltest::ProgramTest {
protected:
    vcltest::TRun Run(const std::string& args) { return ProgramTest::Run(QV_RESGEN, args); }

    // Compiles manifest text written as m.resources into out.res.
    vcltest::TRun Compile(const std::string& manifest) {
        Write("m.resources", manifest);
        return Run("m.resources out.res");
    }
    std::vector<TResource> Output() { return ReadRes(vcltest::Slurp(dir / "out.res"), "out.res"); }
};

const TResource& Find(const std::vector<TResource>& res, uint16_t type, const TResId& name) {
    const TResource* r = FindResource(res, TResId::FromId(type), name);
    if (!r) throw std::runtime_error("no " + TypeName(TResId::FromId(type)) + " resource");
    return *r;
}

// The package's .res, compiled once for the suite.
const std::vector<TResource>& Package() {
    static const std::vector<TResource> res = [] {
        const fs::path out = fs::temp_directory_path() / ("qv-package-" + std::to_string(::getpid()) + ".res");
        const std::string cmd = std::string(QV_RESGEN) + " " + kDesign + "/QVComponents.resources " + out.string();
        if (std::system(cmd.c_str()) != 0) throw std::runtime_error("resgen failed on the package manifest");
        auto r = ReadRes(vcltest::Slurp(out), out.string());
        fs::remove(out);
        return r;
    }();
    return res;
}

}  // namespace

TEST_F(Resgen, EveryKindOfLineBecomesItsResource) {
    fs::copy_file(kDesign + "/art/MainIcon.ico", dir / "i.ico");
    Write("raw.bin", std::string("\0\1\2", 3));
    const auto r = Compile(
        "# every kind once\n"
        "RCDATA  T 0 text \"a#b\\\"c\"   # a comment\n"
        "rcdata  \"two words\" 9 utf16 \"hi\\0\"\n"
        "RCDATA  H 0x10 hex 30 0a FF\n"
        "MyType  12 0 file raw.bin\n"
        "ICON    FIRST 0 ico i.ico\n"
        "ICON    SECOND 0 ico i.ico\n");
    ASSERT_EQ(r.Status, 0) << r.Err;
    const auto res = Output();
    EXPECT_EQ(Find(res, RT_RCDATA, TResId::FromName("T")).Data, "a#b\"c");
    EXPECT_EQ(Find(res, RT_RCDATA, TResId::FromName("two words")).Data, std::string("h\0i\0\0\0", 6));
    EXPECT_EQ(Find(res, RT_RCDATA, TResId::FromName("H")).Data, "0\n\xFF");
    EXPECT_EQ(Find(res, RT_RCDATA, TResId::FromName("H")).Language, 16);
    const TResource* raw = FindResource(res, TResId::FromName("MyType"), TResId::FromId(12));
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(raw->Data, std::string("\0\1\2", 3));
    // The second icon file is numbered on from the first.
    EXPECT_EQ(U16(Find(res, RT_GROUP_ICON, TResId::FromName("FIRST")).Data, 6 + 12), 1);
    EXPECT_EQ(U16(Find(res, RT_GROUP_ICON, TResId::FromName("SECOND")).Data, 6 + 12), 2);
}

TEST_F(Resgen, ManifestErrorsNameTheLineAndLeaveNoOutput) {
    Write("f.dfm", "object F: TForm\n  Left = \nend\n");
    for (const vcltest::TDataCase& c : vcltest::ReadCases(QV_TEST_DATA_DIR "/manifest-errors.txt")) {
        Write("out.res", "old");
        const auto r = Compile(c.Input);
        EXPECT_EQ(r.Status, 1) << c.Where;
        EXPECT_EQ(r.Err.rfind(c.Expected, 0), 0u) << c.Where << ": " << r.Err;
        EXPECT_EQ(vcltest::Slurp(dir / "out.res"), "old") << c.Where;
    }
}

TEST(PackageResources, PackageInfoIsTheExactRecord) {
    std::string expected = std::string("\x03\0\0\x40", 4) + std::string("\x02\0\0\0", 4);
    for (const char* p : {"VCLX35", "VCL35"}) expected += std::string(1, '\0') + p + std::string(1, '\0');
    expected += std::string("\x0A\0\0\0", 4);
    const std::pair<const char*, char> units[] = {
        {"Sysinit", 0x00}, {"Windows", 0x0C}, {"Messages", 0x0C},     {"Winspool", 0x0C},     {"Imm", 0x0C},
        {"Commctrl", 0x0C}, {"Commdlg", 0x0C}, {"Dlgs", 0x0C}, {"Qvtrackmouse", 0x00}, {"Qvcomponents", 0x00}};
    for (const auto& [name, flags] : units) expected += std::string{flags, '\0'} + name + std::string(1, '\0');
    expected.resize((expected.size() + 3) / 4 * 4, '\0');
    ASSERT_EQ(expected.size(), 136u);
    const TResource& r = Find(Package(), RT_RCDATA, TResId::FromName("PACKAGEINFO"));
    EXPECT_EQ(r.Data, expected);
    EXPECT_EQ(r.Language, 0);
}

TEST(PackageResources, DescriptionOptionsAndFormHaveTheirExactBytes) {
    const auto& res = Package();
    std::string description;
    for (char c : std::string("Orbelline VCL Components")) description += std::string{c, '\0'};  // UTF-16LE
    EXPECT_EQ(Find(res, RT_RCDATA, TResId::FromName("DESCRIPTION")).Data, description + std::string(4, '\0'));
    EXPECT_EQ(Find(res, RT_RCDATA, TResId::FromName("PACKAGEOPTIONS")).Data, std::string("0\0\0\0", 4));
    const std::string dfm = vcltest::Slurp(kDesign + "/QVControlsListForm.dfm");
    EXPECT_EQ(Find(res, RT_RCDATA, TResId::FromName("TQVCONTROLSLISTFORM")).Data,
              vcl::formfile::TextToBinary(dfm, "QVControlsListForm.dfm"));
    for (const char* name : {"DESCRIPTION", "PACKAGEOPTIONS", "TQVCONTROLSLISTFORM"})
        EXPECT_EQ(Find(res, RT_RCDATA, TResId::FromName(name)).Language, 0) << name;
}

TEST(PackageResources, GlyphIconsAndVersionInTheirLanguages) {
    const auto& res = Package();
    const TResource& glyph = Find(res, RT_BITMAP, TResId::FromName("TQVTRACKMOUSE"));
    EXPECT_EQ(glyph.Language, 1033);
    EXPECT_EQ(glyph.Data, vcltest::Slurp(kDesign + "/art/QVTrackMouse.bmp").substr(14));
    const TResource& group = Find(res, RT_GROUP_ICON, TResId::FromName("MAINICON"));
    EXPECT_EQ(group.Language, 1046);
    EXPECT_EQ(U16(group.Data, 6 + 12), 1);
    EXPECT_EQ(Find(res, RT_ICON, TResId::FromId(1)).Language, 1046);

    const TResource& version = Find(res, RT_VERSION, TResId::FromId(1));
    EXPECT_EQ(version.Language, 1033);
    TVersionInfo expected;
    expected.FileVersion = expected.ProductVersion = {1, 0, 0, 0};
    expected.FileFlagsMask = 0x3F, expected.FileFlags = 0, expected.FileOS = 4, expected.FileType = 1;
    expected.FileSubtype = 0, expected.FileDate = 0;
    expected.StringTableKey = "040904E4";
    expected.Strings = {
        {"CompanyName", "Orbelline Technologies"},
        {"FileDescription", "VCL Components"},
        {"FileVersion", "1.0.0.0"},
        {"InternalName", "QVComponents.bpl"},
        {"LegalCopyright", "Copyright (C) Orbelline Technologies"},
        {"LegalTrademarks",
         "QVComponents, Orbelline Technologies and TQVTrackMouse are trademarks of Orbelline Technologies"},
        {"OriginalFilename", "QVComponents.dpk"},
        {"ProductName", "Orbelline VCL Components"},
        {"ProductVersion", "1.0.0.0"},
        {"Comments", "VCL Components"},
    };
    expected.Translations = {{0x0409, 0x04E4}};
    EXPECT_TRUE(ReadVersionInfo(version.Data, "VERSION") == expected);
}

TEST_F(Resgen, WindresReadsThePackageResources) {
    SKIP_WITHOUT_WINDRES();
    const auto r = Run(kDesign + "/QVComponents.resources out.res");
    ASSERT_EQ(r.Status, 0) << r.Err;
    const auto w = restest::Windres(dir, "-i out.res -O rc");
    ASSERT_EQ(w.Status, 0) << w.Err;
    for (const char* line :
         {"\"TQVTRACKMOUSE\" 2 /* RT_BITMAP */", "\"MAINICON\" 14 /* RT_GROUP_ICON */", "\"PACKAGEINFO\" RCDATA",
          " FILEVERSION 1, 0, 0, 0\n PRODUCTVERSION 1, 0, 0, 0\n FILEFLAGSMASK 0x3f\n FILEOS 0x4\n FILETYPE 0x1\n",
          "VALUE \"LegalTrademarks\", \"QVComponents, Orbelline Technologies and TQVTrackMouse are trademarks of "
          "Orbelline Technologies\"\n      VALUE \"OriginalFilename\"",
          "VALUE \"Translation\", 0x409, 1252"})
        EXPECT_NE(w.Out.find(line), std::string::npos) << line;
}

TEST(PackagePictures, GlyphIs24By24FourBitOnSilverInTheDesignersPalette) {
    const std::string bmp = vcltest::Slurp(kDesign + "/art/QVTrackMouse.bmp");
    ASSERT_GE(bmp.size(), 14u + 40 + 64);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(U32(bmp, 14), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(U32(bmp, 18), 24u);
    EXPECT_EQ(U32(bmp, 22), 24u);  // bottom-up
    EXPECT_EQ(U16(bmp, 28), 4);
    EXPECT_EQ(U32(bmp, 30), 0u);  // uncompressed
    const uint32_t palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
                                  0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(U32(bmp, 54 + 4 * i), palette[i]) << "palette entry " << i;  // B, G, R, 0
    const uint32_t pixels = U32(bmp, 10);
    ASSERT_EQ(bmp.size(), pixels + 24u * 12);
    EXPECT_EQ(static_cast<uint8_t>(bmp[pixels]) >> 4, 8) << "lower-left pixel is not silver";
    const int allowed[] = {0, 3, 8, 11, 15};  // black, olive, silver, yellow, white
    for (size_t i = pixels; i < bmp.size(); ++i)
        for (int nibble : {static_cast<uint8_t>(bmp[i]) >> 4, bmp[i] & 0xF})
            EXPECT_NE(std::find(std::begin(allowed), std::end(allowed), nibble), std::end(allowed))
                << "colour " << nibble << " at byte " << i;
}

// The package's icons and HoverBench's; the forms carry theirs in Icon.Data.
TEST(PackagePictures, IconsAre32By32SixteenColoursAndTheFormsCarryThem) {
    const std::string demo = QV_DEMO_DIR, dialogIcon = kDesign + "/art/QVTrackMouse.ico";
    for (const std::string& name : {dialogIcon, kDesign + "/art/MainIcon.ico", demo + "/HoverBench.ico"}) {
        const std::string ico = vcltest::Slurp(name);
        ASSERT_GE(ico.size(), 22u + 40) << name;
        EXPECT_EQ(ico.substr(0, 10), std::string("\0\0\1\0\1\0\x20\x20\x10\0", 10)) << name;
        EXPECT_EQ(U16(ico, 6 + 6), 4) << name;
        EXPECT_EQ(IconResources(TResId::FromName("I"), 1, 0, ico, name).size(), 2u);
    }
    // Icon.Data, a binary value, holds the icon file's bytes.
    const auto carries = [](const std::string& Dfm, const std::string& Icon) {
        const std::string ico = vcltest::Slurp(Icon);
        const auto n = static_cast<uint32_t>(ico.size());
        const std::string value = "\x09Icon.Data\x0A" + std::string(reinterpret_cast<const char*>(&n), 4) + ico;
        return vcl::formfile::TextToBinary(vcltest::Slurp(Dfm), Dfm).find(value) != std::string::npos;
    };
    EXPECT_TRUE(carries(kDesign + "/QVControlsListForm.dfm", dialogIcon));
    EXPECT_TRUE(carries(demo + "/TrackForm.dfm", demo + "/HoverBench.ico"));
    EXPECT_TRUE(carries(demo + "/TrackAbout.dfm", demo + "/HoverBench.ico"));
}
