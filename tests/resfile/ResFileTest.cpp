// The resource-file library: .res round trips and damage, the builders,
// version information against windres, and ELF sections.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ResTestSupport.h"
#include "framework/resfile/ResFile.h"

namespace fs = std::filesystem;
using namespace vcl::resfile;
using restest::SetU16;
using restest::SetU32;
using restest::SetU64;
using restest::U16;
using restest::U32;

namespace {

TResource Res(TResId type, TResId name, std::string data, uint16_t language = 0) {
    TResource r;
    r.Type = std::move(type), r.Name = std::move(name), r.Language = language, r.Data = std::move(data);
    return r;
}

// Names and data of every length modulo 4, ids and names for both type and
// name, and every header field set.
std::vector<TResource> Mixed() {
    std::vector<TResource> v;
    const char* names[] = {"A", "AB", "ABC", "ABCD", "Größe"};
    for (int i = 0; i < 5; ++i)
        v.push_back(Res(TResId::FromId(RT_RCDATA), TResId::FromName(names[i]), std::string(i, char('a' + i)),
                        static_cast<uint16_t>(1033 + i)));
    v.push_back(TResource{TResId::FromName("MyType"), TResId::FromId(65535), 1046, MF_MOVEABLE, 0x01020304,
                          0x05060708, 0x090A0B0C, "xyz"});
    return v;
}

std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EResError& e) {
        return e.Message();
    }
    return "(no error)";
}

TVersionInfo SampleVersion() {
    TVersionInfo v;
    v.FileVersion = {1, 2, 3, 4};
    v.ProductVersion = {5, 6, 7, 8};
    v.FileFlags = 0x2;
    v.FileDate = 0x0000000100000002;
    v.StringTableKey = "040904E4";
    v.Strings = {{"CompanyName", "Orbelline Technologies"}, {"A", ""}, {"Comments", "odd"}};
    v.Translations = {{0x0409, 0x04E4}, {0x0416, 0x04B0}};
    return v;
}

class ResFile : public vcltest::ProgramTest {};

}  // namespace

TEST(ResFileFormat, EveryFieldNameAndDataLengthSurvivesTheRoundTrip) {
    EXPECT_TRUE(ReadRes(WriteRes(Mixed()), "x.res") == Mixed());
}

TEST_F(ResFile, OddLengthNamesAndDataAreAlignedAsWindresAlignsThem) {
    SKIP_WITHOUT_WINDRES();
    // Byte for byte what windres writes for the same resources: alignment of
    // names, headers and data is the file format's, not only our own.
    std::vector<TResource> ours;
    std::string rc = "LANGUAGE 0, 0\n";
    const char* names[] = {"A", "AB", "ABC", "ABCD"};
    const char* data[] = {"x", "xy", "xyz", "wxyz"};
    for (int i = 0; i < 4; ++i) {
        ours.push_back(Res(TResId::FromId(RT_RCDATA), TResId::FromName(names[i]), data[i]));
        rc += std::string(names[i]) + " RCDATA { \"" + data[i] + "\" }\n";
    }
    restest::WriteFile(dir / "a.rc", rc);
    const auto r = restest::Windres(dir, "-i " + (dir / "a.rc").string() + " -O res -o " + (dir / "a.res").string());
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(WriteRes(ours), vcltest::Slurp(dir / "a.res"));
}

TEST(ResFileFormat, ReadErrorsNameTheFileAndOffset) {
    // One RCDATA "AB" holding "xyz": entry at 32, its type at 40, name at 44,
    // fixed fields at 52, data at 68, file size 72.
    const std::string good = WriteRes({Res(TResId::FromId(RT_RCDATA), TResId::FromName("AB"), "xyz")});
    ASSERT_EQ(good.size(), 72u);
    struct Case {
        const char* Hazard;
        std::function<void(std::string&)> Damage;
        const char* Expected;
    };
    const Case cases[] = {
        {"empty file", [](std::string& d) { d.clear(); }, "offset 0: not a 32-bit resource file"},
        {"16-bit file", [](std::string& d) { d[0] = '\xFF'; }, "offset 0: not a 32-bit resource file"},
        {"trailing bytes", [](std::string& d) { d += std::string(4, '\0'); }, "offset 72: resource header cut off"},
        {"header size too small", [](std::string& d) { SetU32(d, 36, 16); }, "offset 36: bad resource header size 16"},
        {"header size unaligned", [](std::string& d) { SetU32(d, 36, 37); }, "offset 36: bad resource header size 37"},
        {"header past the end", [](std::string& d) { SetU32(d, 36, 1000); },
         "offset 36: resource header size 1000 runs past the end of the file (40 bytes left)"},
        {"names fill the header", [](std::string& d) { SetU32(d, 36, 32); },
         "offset 36: resource header size 32 leaves no room for the fields after the names"},
        {"unterminated name",
         [](std::string& d) {
             SetU32(d, 36, 32);
             for (size_t p = 44; p < 64; p += 2) SetU16(d, p, 'A');
         },
         "offset 44: unterminated resource name"},
        {"empty name", [](std::string& d) { SetU16(d, 44, 0); }, "offset 44: empty resource name"},
        {"unpaired surrogate", [](std::string& d) { SetU16(d, 44, 0xD800); },
         "offset 44: resource name is not valid UTF-16"},
        {"type id cut off",
         [](std::string& d) {
             SetU32(d, 36, 32);
             for (size_t p = 40; p < 60; p += 2) SetU16(d, p, 'T');
             SetU16(d, 60, 0);
             SetU16(d, 62, 0xFFFF);
         },
         "offset 62: resource name id cut off by the header size"},
        {"data past the end", [](std::string& d) { SetU32(d, 32, 5); },
         "offset 32: resource data size 5 runs past the end of the file (4 bytes left)"},
    };
    for (const Case& c : cases) {
        std::string bytes = good;
        c.Damage(bytes);
        const std::string error = ErrorOf([&] { ReadRes(bytes, "x.res"); });
        EXPECT_EQ(error.rfind(std::string("x.res: ") + c.Expected, 0), 0u) << c.Hazard << ": " << error;
    }
}

TEST(ResFileFormat, NamesTheFileCannotHoldAreRefused) {
    const std::string cases[] = {"", "\xC3", "\xEF\xBF\xBFX", std::string("A\0B", 3)};
    for (const std::string& name : cases)
        EXPECT_THROW(WriteRes({Res(TResId::FromId(RT_RCDATA), TResId::FromName(name), "")}), EResError) << name;
}

TEST(ResFileIcons, GroupDirectoryPointsAtItsIconIds) {
    // Two images of different sizes, the second stored first in the file.
    const std::string small(40, 's'), large(72, 'l');
    std::string ico;
    auto put16 = [&](uint16_t v) { ico += std::string{char(v & 0xFF), char(v >> 8)}; };
    auto put32 = [&](uint32_t v) { put16(uint16_t(v)), put16(uint16_t(v >> 16)); };
    put16(0), put16(1), put16(2);
    ico += std::string("\x10\x10\x10\x00", 4), put16(1), put16(4), put32(40), put32(6 + 32 + 72);
    ico += std::string("\x20\x20\x00\x00", 4), put16(1), put16(8), put32(72), put32(6 + 32);
    ico += large + small;

    const auto res = IconResources(TResId::FromName("MAINICON"), 7, 1046, ico, "a.ico");
    ASSERT_EQ(res.size(), 3u);
    const TResource& group = res.back();
    EXPECT_TRUE(group.Type == TResId::FromId(RT_GROUP_ICON));
    EXPECT_TRUE(group.Name == TResId::FromName("MAINICON"));
    ASSERT_EQ(group.Data.size(), 6u + 2 * 14);
    EXPECT_EQ(U16(group.Data, 4), 2);
    const std::string expected[] = {small, large};
    for (size_t i = 0; i < 2; ++i) {
        const size_t e = 6 + 14 * i;
        const uint16_t id = U16(group.Data, e + 12);
        const TResource* icon = FindResource(res, TResId::FromId(RT_ICON), TResId::FromId(id));
        EXPECT_EQ(id, 7 + i);
        ASSERT_NE(icon, nullptr) << "entry " << i << " names icon " << id;
        EXPECT_EQ(icon->Data, expected[i]);
        EXPECT_EQ(U32(group.Data, e + 8), icon->Data.size());
        EXPECT_EQ(group.Data.substr(e, 8), ico.substr(6 + 16 * i, 8));  // size, colours, planes, bits
        EXPECT_EQ(icon->Language, 1046);
    }
}

TEST(ResFileBuilders, DamagedBitmapsAndIconsAreRefusedWithTheirOffset) {
    // A valid 2 x 2, 4-bit bitmap: pixels at 14 + 40 + 64 = 118, 8 bytes.
    std::string bmp = "BM" + std::string(12, '\0') + std::string(40, '\0') + std::string(64 + 8, '\0');
    SetU32(bmp, 10, 118);
    SetU32(bmp, 14, 40);
    SetU32(bmp, 18, 2);
    SetU32(bmp, 22, 2);
    SetU16(bmp, 26, 1);
    SetU16(bmp, 28, 4);
    ASSERT_EQ(BitmapResource(TResId::FromId(1), 0, bmp, "a.bmp").Data, bmp.substr(14));

    std::string ico = std::string(6 + 16, '\0') + "IMAGE";
    SetU16(ico, 2, 1);
    SetU16(ico, 4, 1);
    SetU32(ico, 6 + 8, 5);
    SetU32(ico, 6 + 12, 22);
    ASSERT_EQ(IconResources(TResId::FromId(1), 1, 0, ico, "a.ico").size(), 2u);

    struct Case {
        bool Icon;
        std::function<void(std::string&)> Damage;
        const char* Expected;
    };
    const Case cases[] = {
        {false, [](std::string& d) { d[0] = 'X'; }, "a.bmp: offset 0: not a bitmap file"},
        {false, [](std::string& d) { SetU32(d, 14, 41); }, "a.bmp: offset 14: unknown bitmap header size 41"},
        {false, [](std::string& d) { SetU16(d, 26, 2); }, "a.bmp: offset 26: bitmap planes must be 1, not 2"},
        {false, [](std::string& d) { SetU16(d, 28, 3); }, "a.bmp: offset 28: unsupported bit count 3"},
        {false, [](std::string& d) { SetU32(d, 10, 122); },
         "a.bmp: offset 10: pixel data at 122, not right after the palette at 118"},
        {false, [](std::string& d) { d.resize(d.size() - 1); }, "a.bmp: offset 118: pixel data needs 8 bytes"},
        {true, [](std::string& d) { SetU16(d, 2, 2); }, "a.ico: offset 0: not an icon file"},
        {true, [](std::string& d) { SetU16(d, 4, 0); }, "a.ico: offset 4: the icon file holds no images"},
        {true, [](std::string& d) { SetU16(d, 4, 3); }, "a.ico: offset 4: the directory of 3 images runs past"},
        {true, [](std::string& d) { SetU32(d, 6 + 8, 6); }, "a.ico: offset 18: image 1 (6 bytes at 22) runs past"},
    };
    for (const Case& c : cases) {
        std::string bytes = c.Icon ? ico : bmp;
        c.Damage(bytes);
        const std::string error = ErrorOf([&] {
            if (c.Icon)
                IconResources(TResId::FromId(1), 1, 0, bytes, "a.ico");
            else
                BitmapResource(TResId::FromId(1), 0, bytes, "a.bmp");
        });
        EXPECT_EQ(error.rfind(c.Expected, 0), 0u) << error;
    }
}

TEST_F(ResFile, VersionInfoIsLaidOutExactlyAsWindresLaysItOut) {
    SKIP_WITHOUT_WINDRES();
    const TVersionInfo v = SampleVersion();
    // windres adds no terminator to a string value; Microsoft's compiler does,
    // and so do we: the rc spells it out.
    const std::string rc =
        "1 VERSIONINFO\n"
        "FILEVERSION 1,2,3,4\nPRODUCTVERSION 5,6,7,8\nFILEFLAGSMASK 0x3F\nFILEFLAGS 0x2\n"
        "FILEOS 4\nFILETYPE 1\nFILESUBTYPE 0\n"
        "BEGIN\n"
        " BLOCK \"StringFileInfo\"\n BEGIN\n  BLOCK \"040904E4\"\n  BEGIN\n"
        "   VALUE \"CompanyName\", \"Orbelline Technologies\\0\"\n"
        "   VALUE \"A\", \"\\0\"\n"
        "   VALUE \"Comments\", \"odd\\0\"\n"
        "  END\n END\n"
        " BLOCK \"VarFileInfo\"\n BEGIN\n  VALUE \"Translation\", 0x409, 0x4E4, 0x416, 0x4B0\n END\n"
        "END\n";
    restest::WriteFile(dir / "v.rc", rc);
    const auto r = restest::Windres(dir, "-i " + (dir / "v.rc").string() + " -O res -o " + (dir / "v.res").string());
    ASSERT_EQ(r.Status, 0) << r.Err;
    const auto theirs = ReadRes(vcltest::Slurp(dir / "v.res"), "v.res");
    ASSERT_EQ(theirs.size(), 1u);
    // windres has no FILEDATE statement: compare with a date of 0.
    TVersionInfo undated = v;
    undated.FileDate = 0;
    EXPECT_EQ(WriteVersionInfo(undated), theirs[0].Data);
    EXPECT_TRUE(ReadVersionInfo(theirs[0].Data, "v.res") == undated);
}

TEST(ResFileVersion, DamagedVersionInfoIsRefusedWithTheOffset) {
    const std::string good = WriteVersionInfo(SampleVersion());
    struct Case {
        std::function<void(std::string&)> Damage;
        const char* Expected;
    };
    const Case cases[] = {
        {[](std::string& d) { d.resize(4); }, "v: offset 0: version block cut off: 4 bytes left"},
        {[](std::string& d) { SetU16(d, 0, uint16_t(d.size() + 2)); }, "v: offset 0: version block length"},
        {[](std::string& d) { SetU16(d, 6, 'X'); }, "v: offset 6: not version information"},
        {[](std::string& d) { SetU32(d, 40, 0); }, "v: offset 40: bad fixed file information signature 0x0"},
        {[](std::string& d) { SetU16(d, 2, 10); }, "v: offset 40: the fixed file information is cut off"},
        {[](std::string& d) { SetU16(d, 92, 2); }, "v: offset 92: bad version block length 2"},
    };
    for (const Case& c : cases) {
        std::string bytes = good;
        c.Damage(bytes);
        const std::string error = ErrorOf([&] { ReadVersionInfo(bytes, "v"); });
        EXPECT_EQ(error.rfind(c.Expected, 0), 0u) << error;
    }
}

namespace {

// A minimal ELF64 image: header, the section name table, data, then three
// section headers (null, .shstrtab, .rsrc) at kShoff.
constexpr size_t kShoff = 128;
std::string MiniElf(std::string_view data) {
    const std::string names("\0.shstrtab\0.rsrc\0", 17);
    std::string e(64, '\0');
    e.replace(0, 6, "\x7F" "ELF\x02\x01");
    e[6] = 1;
    SetU16(e, 16, 1);   // relocatable
    SetU16(e, 18, 62);  // x86-64
    SetU32(e, 20, 1);
    SetU64(e, 40, kShoff);
    SetU16(e, 52, 64);
    SetU16(e, 58, 64);
    SetU16(e, 60, 3);
    SetU16(e, 62, 1);
    e += names;
    e += data;
    e.resize(kShoff + 3 * 64, '\0');
    SetU32(e, kShoff + 64, 1);
    SetU32(e, kShoff + 64 + 4, 3);  // SHT_STRTAB
    SetU64(e, kShoff + 64 + 24, 64);
    SetU64(e, kShoff + 64 + 32, names.size());
    SetU32(e, kShoff + 128, 11);
    SetU32(e, kShoff + 128 + 4, 1);  // SHT_PROGBITS
    SetU64(e, kShoff + 128 + 24, 64 + names.size());
    SetU64(e, kShoff + 128 + 32, data.size());
    return e;
}

}  // namespace

TEST(ResFileElf, SectionBytesOfTheLibraryTheBuildMade) {
    const std::string lib = vcltest::Slurp(QV_TINY_LIB);
    const std::string section = ElfSection(lib, ".rsrc", QV_TINY_LIB);
    EXPECT_EQ(section, vcltest::Slurp(QV_TINY_RES));
    EXPECT_NE(FindResource(ReadRes(section, ".rsrc"), TResId::FromId(RT_VERSION), TResId::FromId(1)), nullptr);
    EXPECT_EQ(ElfSection(MiniElf("abc"), ".rsrc", "m.o"), "abc");
}

TEST(ResFileElf, DamagedElfFilesAreRefusedWithTheOffset) {
    struct Case {
        std::function<void(std::string&)> Damage;
        const char* Section;
        std::string Expected;
    };
    const std::string h2 = std::to_string(kShoff + 128);
    const Case cases[] = {
        {[](std::string& d) { d = "not an elf file"; }, ".rsrc", "offset 0: not an ELF file"},
        {[](std::string& d) { d[4] = 1; }, ".rsrc", "offset 4: not a 64-bit ELF file (class 1)"},
        {[](std::string& d) { d[5] = 2; }, ".rsrc", "offset 5: not a little-endian ELF file"},
        {[](std::string& d) { SetU64(d, 40, 0); }, ".rsrc", "offset 40: the file has no section headers"},
        {[](std::string& d) { SetU64(d, 40, d.size()); }, ".rsrc", "offset 40: section headers at 320 lie outside"},
        {[](std::string& d) { SetU16(d, 58, 40); }, ".rsrc", "offset 58: section header size 40, expected 64"},
        {[](std::string& d) { SetU16(d, 60, 4); }, ".rsrc", "offset 60: 4 section headers at 128 run past the end"},
        {[](std::string& d) { SetU16(d, 62, 3); }, ".rsrc", "offset 62: section name table index 3 out of range"},
        {[](std::string& d) { SetU64(d, kShoff + 64 + 24, 1000); }, ".rsrc",
         "offset " + std::to_string(kShoff + 64 + 24) + ": the section name table lies outside the file"},
        {[](std::string& d) { SetU32(d, kShoff + 128, 17); }, ".rsrc",
         "offset " + h2 + ": section 2: name offset 17 outside the name table"},
        {[](std::string& d) { d[64 + 16] = 'x'; }, ".rsrc", "offset " + h2 + ": section 2: unterminated name"},
        {[](std::string& d) { SetU32(d, kShoff + 64, 11); }, ".rsrc",
         "offset " + h2 + ": more than one section named .rsrc"},
        {[](std::string& d) { SetU32(d, kShoff + 128 + 4, 8); }, ".rsrc",
         "offset " + std::to_string(kShoff + 128 + 4) + ": section .rsrc has no bytes in the file"},
        {[](std::string& d) { SetU64(d, kShoff + 128 + 32, 1u << 20); }, ".rsrc",
         "offset " + std::to_string(kShoff + 128 + 24) + ": section .rsrc (1048576 bytes at 81) runs past"},
        {[](std::string&) {}, ".text", "no section named .text"},
    };
    for (const Case& c : cases) {
        std::string bytes = MiniElf("abc");
        c.Damage(bytes);
        const std::string error = ErrorOf([&] { ElfSection(bytes, c.Section, "m.o"); });
        EXPECT_EQ(error.rfind("m.o: " + c.Expected, 0), 0u) << error;
    }
}
