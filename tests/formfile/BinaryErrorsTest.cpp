// Every way a binary stream can be damaged ends in an EReadError that names
// the stream and the offset, never in a crash or an over-read.

#include "tests/formfile/FormFileTestSupport.h"

namespace formfile_test {
namespace {

std::string ReadError(const std::string& binary, const std::string& name = "form.bin") {
    return ErrorOf<vcl::EReadError>([&] { BinaryToText(binary, name); });
}

std::string Prop(const std::string& name, const std::string& valueBytes) {
    return static_cast<char>(name.size()) + name + valueBytes;
}

TEST(BinaryErrors, MissingSignatureIsReportedAtOffsetZero) {
    EXPECT_EQ(ReadError("TPFX\x03Obj"), "form.bin: offset 0: not a binary form: expected signature 'TPF0', found 'TPFX'");
    EXPECT_NE(ReadError("TP").find("form.bin: offset 0: not a binary form"), std::string::npos);
}

TEST(BinaryErrors, EveryTruncationIsAnErrorAtTheEnd) {
    const std::string full = TextToBinary(
        OneObjectText("  A = (1 300 70000 $1FFFFFFFF 'x' #1000 1.5 2.5s 3c 4d True nil [a, b] {0102})\n"
                      "  B = <item [1] C = 'y' end>\n  D = '" + std::string(300, 'z') + "'\n"
                      "  object Child: TChild [2]\n  end"),
        "full.dfm");
    ASSERT_NO_THROW(BinaryToText(full, "full"));
    for (size_t n = 0; n < full.size(); ++n) {
        const std::string msg = ReadError(full.substr(0, n), "cut.bin");
        EXPECT_TRUE(msg.starts_with("cut.bin: offset ")) << n << ": " << msg;
        const size_t offset = std::stoul(msg.substr(16));
        EXPECT_LE(offset, n) << msg;
    }
}

TEST(BinaryErrors, UnknownValueTypeIsReportedWithItsOffset) {
    const std::string bin = OneObject(Prop("Left", "\x69"));
    const size_t at = bin.find('\x69');
    EXPECT_EQ(ReadError(bin), "form.bin: offset " + std::to_string(at) + ": unknown value type 105");
    EXPECT_EQ(ValueTypeName(TValueType::vaQWord), std::string("vaQWord"));
}

TEST(BinaryErrors, HugeLengthFieldsAreCheckedBeforeAnyAllocation) {
    const std::string huge("\xFF\xFF\xFF\xFF", 4);
    for (const char tag : {'\x0C', '\x14', '\x0A'}) {  // vaLString, vaUTF8String, vaBinary
        const std::string bin = OneObject(Prop("P", std::string(1, tag) + huge + "abc"));
        EXPECT_NE(ReadError(bin).find("length 4294967295 exceeds the "), std::string::npos) << int(tag);
    }
    const std::string wide = OneObject(Prop("W", "\x12" + B("\x00\x00\x00\x80") + "ab"));
    EXPECT_NE(ReadError(wide).find("wide string length 2147483648 (4294967296 bytes) exceeds"), std::string::npos);
    const std::string shortStr = OneObject(Prop("S", "\x06\xF0" "abc"));
    EXPECT_NE(ReadError(shortStr).find("unexpected end of data: a string needs 240 bytes"), std::string::npos);
}

TEST(BinaryErrors, TypedReadOfAnotherTypeNamesBoth) {
    BinaryWriter w;
    w.WriteString("text");
    w.WriteInteger(5);
    BinaryReader r(w.Data(), "typed", 100);
    EXPECT_EQ(ErrorOf<vcl::EReadError>([&] { r.ReadInteger(); }),
              "typed: offset 100: expected an integer value, found vaString");
    const std::string integer = w.Data().substr(6);
    BinaryReader r2(integer, "typed");
    EXPECT_EQ(ErrorOf<vcl::EReadError>([&] { r2.ReadString(); }), "typed: offset 0: expected a string value, found vaInt8");
    BinaryReader r3(w.Data(), "typed");
    EXPECT_EQ(ErrorOf<vcl::EReadError>([&] { r3.ReadIdent(); }), "typed: offset 0: expected an identifier, found vaString");
}

TEST(BinaryErrors, DeepNestingStopsAtTheLimit) {
    const std::string lists = OneObject(Prop("L", std::string(100000, '\x01')));
    EXPECT_NE(ReadError(lists).find("nested deeper than 200 levels"), std::string::npos);
    EXPECT_NE(ErrorOf<vcl::EReadError>([&] { DescribeForm(lists, "d"); }).find("nested deeper than"), std::string::npos);
    BinaryReader r(lists, "skip");
    r.ReadSignature();
    r.ReadObjectHeader();
    r.ReadStr();
    EXPECT_NE(ErrorOf<vcl::EReadError>([&] { r.SkipValue(); }).find("nested deeper than"), std::string::npos);

    std::string objects = "TPF0";
    for (int i = 0; i < 100000; ++i) objects += B("\x01T\x00\x00");
    EXPECT_NE(ReadError(objects).find("nested deeper than 200 levels"), std::string::npos);
}

TEST(BinaryErrors, DamagedResourceHeaderIsReportedInTheFile) {
    EXPECT_EQ(ReadError(B("\xFF\x0A\x00TFORM")), "form.bin: offset 3: resource name is not terminated");
    EXPECT_EQ(ReadError(B("\xFF\x0A\x00\xFF\x01")),
              "form.bin: offset 4: unexpected end of data: a resource id needs 2 bytes, 1 left");
    const std::string tooBig = B("\xFF\x0A\x00X\x00\x30\x10\x64\x00\x00\x00") + "TPF0";
    EXPECT_EQ(ReadError(tooBig), "form.bin: offset 7: resource size 100 exceeds the 4 bytes that follow");
    // Offsets inside a resource count from the start of the file.
    const std::string inner = OneObject(Prop("P", "\x69"));
    const auto n = static_cast<uint32_t>(inner.size());
    const std::string res = B("\xFF\x0A\x00X\x00\x30\x10") + std::string(reinterpret_cast<const char*>(&n), 4) + inner;
    EXPECT_EQ(ReadError(res), "form.bin: offset " + std::to_string(11 + inner.find('\x69')) + ": unknown value type 105");
}

TEST(BinaryErrors, MalformedStructureIsNamed) {
    const std::string trailing = OneObject("") + "x";
    EXPECT_EQ(ReadError(trailing), "form.bin: offset " + std::to_string(trailing.size() - 1) +
                                       ": data continues after the end of the form");
    EXPECT_EQ(ReadError(B("TPF0\xF8\x01T\x00\x00\x00")), "form.bin: offset 4: unknown object flags 0x8");
    EXPECT_EQ(ReadError(B("TPF0\xF2\x06\x01x\x01T\x00\x00\x00")),
              "form.bin: offset 5: the child position must be an integer, found vaString");
    const std::string item = OneObject(Prop("C", "\x0E\x02\x05\x06"));
    EXPECT_NE(ReadError(item).find("expected a collection item (vaList), found vaString"), std::string::npos);
}

}  // namespace
}  // namespace formfile_test
