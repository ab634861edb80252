// The resource-file library: .res round trips, the builders, version
// information against windres, ELF sections, and damaged files of every
// kind (data/damage.txt).
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "DataCases.h"
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

namespace {

// Damages Bytes by the steps of a case of data/damage.txt.
void Damage(std::string& Bytes, const std::string& Steps) {
    for (size_t at = 0, end = 0; at < Steps.size(); at = end + 2) {
        end = std::min(Steps.find("; ", at), Steps.size());
        std::istringstream step(Steps.substr(at, end - at));
        std::string op;
        uint64_t where = 0, a = 0, b = 0;
        step >> op >> where >> a >> b;
        if (op == "is") Bytes = Steps.substr(3);
        else if (op == "size") Bytes.resize(where, '\0');
        else if (op == "u8") Bytes[where] = static_cast<char>(a);
        else if (op == "u16") SetU16(Bytes, where, static_cast<uint16_t>(a));
        else if (op == "u32") SetU32(Bytes, where, static_cast<uint32_t>(a));
        else if (op == "u64") SetU64(Bytes, where, a);
        else if (op == "fill16") for (; where < a; where += 2) SetU16(Bytes, where, static_cast<uint16_t>(b));
        else ADD_FAILURE() << "unknown step " << op;
    }
}

}  // namespace

TEST(ResFileDamage, EveryDamagedFileOfTheDataFileIsRefusedWithTheOffset) {
    // A valid 2 x 2, 4-bit bitmap: pixels at 14 + 40 + 64 = 118, 8 bytes.
    std::string bmp = "BM" + std::string(12, '\0') + std::string(40, '\0') + std::string(64 + 8, '\0');
    SetU32(bmp, 10, 118);
    SetU32(bmp, 14, 40);
    SetU32(bmp, 18, 2);
    SetU32(bmp, 22, 2);
    SetU16(bmp, 26, 1);
    SetU16(bmp, 28, 4);
    std::string ico = std::string(6 + 16, '\0') + "IMAGE";
    SetU16(ico, 2, 1);
    SetU16(ico, 4, 1);
    SetU32(ico, 6 + 8, 5);
    SetU32(ico, 6 + 12, 22);
    const std::string res = WriteRes({Res(TResId::FromId(RT_RCDATA), TResId::FromName("AB"), "xyz")});
    ASSERT_EQ(res.size(), 72u);
    ASSERT_EQ(BitmapResource(TResId::FromId(1), 0, bmp, "a.bmp").Data, bmp.substr(14));
    ASSERT_EQ(IconResources(TResId::FromId(1), 1, 0, ico, "a.ico").size(), 2u);
    const std::map<std::string, std::pair<std::string, std::function<void(const std::string&)>>> kinds = {
        {"res", {res, [](const std::string& d) { ReadRes(d, "x.res"); }}},
        {"bmp", {bmp, [](const std::string& d) { BitmapResource(TResId::FromId(1), 0, d, "a.bmp"); }}},
        {"ico", {ico, [](const std::string& d) { IconResources(TResId::FromId(1), 1, 0, d, "a.ico"); }}},
        {"version", {WriteVersionInfo(SampleVersion()), [](const std::string& d) { ReadVersionInfo(d, "v"); }}},
        {"elf", {MiniElf("abc"), [](const std::string& d) { ElfSection(d, ".rsrc", "m.o"); }}},
    };
    for (const vcltest::TDataCase& c : vcltest::ReadCases(QV_TEST_DATA_DIR "/damage.txt")) {
        auto [bytes, read] = kinds.at(c.Kind);
        Damage(bytes, c.Input);
        const std::string error = ErrorOf([&] { read(bytes); });
        EXPECT_EQ(error.rfind(c.Expected, 0), 0u) << c.Where << ": " << error;
    }
    EXPECT_EQ(ErrorOf([] { ElfSection(MiniElf("abc"), ".text", "m.o"); }), "m.o: no section named .text");
}
