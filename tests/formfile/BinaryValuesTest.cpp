// How values are laid out in the binary format, and read back through the
// reader's own calls (the layout of every construct the text converter
// writes: data/text-reader.txt; every kind of value through text and back:
// TextWriterTest.cpp).

#include "tests/formfile/FormFileTestSupport.h"

namespace formfile_test {
namespace {

TEST(BinaryValues, IntegersTakeTheSmallestTagThatHoldsThem) {
    const struct {
        int64_t Value;
        TValueType Tag;
        size_t Size;
    } cases[] = {
        {0, TValueType::vaInt8, 1},           {127, TValueType::vaInt8, 1},
        {-128, TValueType::vaInt8, 1},        {128, TValueType::vaInt16, 2},
        {-129, TValueType::vaInt16, 2},       {32767, TValueType::vaInt16, 2},
        {-32768, TValueType::vaInt16, 2},     {32768, TValueType::vaInt32, 4},
        {INT32_MIN, TValueType::vaInt32, 4},  {int64_t{INT32_MAX} + 1, TValueType::vaInt64, 8},
        {INT64_MIN, TValueType::vaInt64, 8},  {INT64_MAX, TValueType::vaInt64, 8},
    };
    for (const auto& c : cases) {
        BinaryWriter w;
        w.WriteInteger(c.Value);
        const std::string& d = w.Data();
        ASSERT_EQ(d.size(), 1 + c.Size) << c.Value;
        EXPECT_EQ(static_cast<TValueType>(d[0]), c.Tag) << c.Value;
        BinaryReader r(d, "ints");
        EXPECT_EQ(r.ReadInteger(), c.Value);
        EXPECT_TRUE(r.AtEnd());
    }
}

TEST(BinaryValues, StringsPast255BytesSwitchToTheLongForm) {
    BinaryWriter w;
    w.WriteString(std::string(255, 'a'));
    w.WriteString(std::string(256, 'b'));
    const std::string& d = w.Data();
    EXPECT_EQ(d[0], static_cast<char>(TValueType::vaString));
    EXPECT_EQ(static_cast<unsigned char>(d[1]), 255);
    EXPECT_EQ(d[257], static_cast<char>(TValueType::vaLString));
    EXPECT_EQ(d.substr(258, 4), B("\x00\x01\x00\x00"));
    BinaryReader r(d, "strings");
    EXPECT_EQ(r.ReadString(), std::string(255, 'a'));
    EXPECT_EQ(r.ReadString(), std::string(256, 'b'));
    EXPECT_THROW(BinaryWriter().WriteStr(std::string(256, 'n')), vcl::EWriteError);
}

TEST(BinaryValues, SetsBinaryDataAndWideStringsReadBackAsWritten) {
    BinaryWriter w;
    w.WriteSet({"fsBold", "fsItalic"});
    w.WriteSet({});
    w.WriteBinary(B("\x00\xFF\x10"));
    w.WriteWideString(u"A\u00E9\U0001F600");
    w.WriteUTF8String("\xC3\xA9");
    const std::string& d = w.Data();
    EXPECT_EQ(d.substr(0, 18), B("\x0B\x06" "fsBold\x08" "fsItalic\x00"));
    BinaryReader r(d, "values");
    ASSERT_EQ(r.ReadValue(), TValueType::vaSet);
    EXPECT_EQ(r.ReadSetBody(), (std::vector<std::string>{"fsBold", "fsItalic"}));
    ASSERT_EQ(r.ReadValue(), TValueType::vaSet);
    EXPECT_TRUE(r.ReadSetBody().empty());
    ASSERT_EQ(r.ReadValue(), TValueType::vaBinary);
    EXPECT_EQ(r.ReadBinaryBody(), B("\x00\xFF\x10"));
    const size_t wide = r.Position();
    ASSERT_EQ(r.ReadValue(), TValueType::vaWString);
    EXPECT_EQ(r.ReadWideStringBody(), u"A\u00E9\U0001F600");
    const std::string rest = d.substr(wide);
    BinaryReader again(rest, "values");
    EXPECT_EQ(again.ReadString(), "A\xC3\xA9\xF0\x9F\x98\x80");  // UTF-16 to UTF-8, pair joined
    EXPECT_EQ(again.ReadString(), "\xC3\xA9");
}

TEST(BinaryValues, IdentifierWordsMapToTheirOwnTags) {
    BinaryWriter w;
    for (const char* ident : {"TRUE", "false", "Nil", "null", "alClient"}) w.WriteIdent(ident);
    const std::string& d = w.Data();
    EXPECT_EQ(d.substr(0, 4), B("\x09\x08\x0D\x00"));
    BinaryReader r(d, "idents");
    for (const char* back : {"True", "False", "nil", "Null", "alClient"}) EXPECT_EQ(r.ReadIdent(), back);
}

TEST(BinaryValues, SkipValuePassesOverWholeNestedValues) {
    const std::string bin = TextToBinary(OneObjectText("  A = (1 'two' [x] ( <item [2] B = {00FF} end> 1.5 ) $7FFFFFFFFF)\n"
                                                       "  C = 7"),
                                         "skip.dfm");
    BinaryReader r(bin, "skip.dfm");
    r.ReadSignature();
    r.ReadObjectHeader();
    EXPECT_EQ(r.ReadStr(), "A");
    r.SkipValue();
    EXPECT_EQ(r.ReadStr(), "C");
    EXPECT_EQ(r.ReadInteger(), 7);
}

TEST(BinaryValues, QWordAboveInt64IsReadOnlyAsQWord) {
    BinaryWriter w;
    w.WriteQWord(UINT64_MAX);
    w.WriteQWord(42);
    BinaryReader r(w.Data(), "qword");
    ASSERT_EQ(r.NextValue(), TValueType::vaQWord);
    EXPECT_NE(ErrorOf<vcl::EReadError>([&] { r.ReadInteger(); }).find("qword: offset 0: integer 18446744073709551615 is out of range"),
              std::string::npos);
    const std::string second = w.Data().substr(9);
    BinaryReader again(second, "qword");
    EXPECT_EQ(again.ReadInteger(), 42);
}

TEST(BinaryValues, ResourceHeaderIsStrippedWhetherNamedOrNumbered) {
    const std::string stream = TextToBinary("object A: TA\nend", "a.dfm");
    auto sized = [&](const std::string& head) {
        const auto n = static_cast<uint32_t>(stream.size());
        return head + B("\x30\x10") + std::string(reinterpret_cast<const char*>(&n), 4) + stream;
    };
    const std::string named = sized(B("\xFF\x0A\x00TA\x00"));
    const std::string numbered = sized(B("\xFF\x0A\x00\xFF\x01\x00"));
    EXPECT_EQ(StripResourceHeader(named, "named"), stream);
    EXPECT_EQ(StripResourceHeader(numbered, "numbered"), stream);
    EXPECT_EQ(StripResourceHeader(stream, "bare"), stream);
    EXPECT_TRUE(IsBinaryForm(named));
    EXPECT_TRUE(IsBinaryForm(stream));
    EXPECT_FALSE(IsBinaryForm("object A: TA\nend"));
    EXPECT_EQ(BinaryToText(named, "named"), BinaryToText(stream, "bare"));
}

}  // namespace
}  // namespace formfile_test
