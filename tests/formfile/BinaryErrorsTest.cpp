// Every way a binary stream can be damaged ends in an EReadError that names
// the stream and the offset, never in a crash or an over-read; the damaged
// streams written out byte by byte are in data/binary-errors.txt.

#include "tests/formfile/FormFileTestSupport.h"

namespace formfile_test {
namespace {

std::string ReadError(const std::string& binary, const std::string& name = "form.bin") {
    return ErrorOf<vcl::EReadError>([&] { BinaryToText(binary, name); });
}

std::string Prop(const std::string& name, const std::string& valueBytes) {
    return static_cast<char>(name.size()) + name + valueBytes;
}

TEST(BinaryErrors, EveryCaseOfTheDataFile) {
    for (const TDataCase& c : ReadCases(QV_TEST_DATA_DIR "/binary-errors.txt"))
        EXPECT_EQ(ReadError(c.Input), c.Expected) << c.Where;
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

TEST(BinaryErrors, TypedReadOfAnotherTypeNamesBoth) {
    EXPECT_EQ(ValueTypeName(TValueType::vaQWord), std::string("vaQWord"));
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

}  // namespace
}  // namespace formfile_test
