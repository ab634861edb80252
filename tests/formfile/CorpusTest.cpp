// The shared corpus of real form files: text forms convert exactly as the
// Free Pascal runtime converts them, and every form survives text and back.

#include <cstdlib>
#include <set>
#include <sstream>

#include "framework/formfile/FormText.h"
#include "tests/formfile/FormFileTestSupport.h"

namespace formfile_test {
namespace {

// Files the reference converter rejects, from the corpus's own list.
std::set<std::string> KnownFailures() {
    std::set<std::string> names;
    std::istringstream in(ReadFile(CorpusDir() / "dfm" / "KNOWN_FAILURES.tsv"));
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line))
        if (!line.empty()) names.insert(line.substr(0, line.find('\t')));
    return names;
}

std::string FirstDifference(const std::string& a, const std::string& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return "first difference at offset " + std::to_string(i) + " (sizes " + std::to_string(a.size()) + " and " +
           std::to_string(b.size()) + ")";
}

// The corpus lives beside the project, not in it; a checkout of this
// repository alone has none.
class Corpus : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_directory(CorpusDir() / "dfm") || !fs::is_directory(CorpusDir() / "dfm-binary"))
            GTEST_SKIP() << "no shared corpus at " << CorpusDir() << " (the folder ../shared beside the project)";
    }
};

TEST_F(Corpus, TextFormsConvertExactlyAsTheReferenceConverterDoes) {
    const std::string oracle = QV_ORACLE;
    if (oracle.empty() || !fs::exists(oracle))
        GTEST_SKIP() << "the reference converter was not built (fpc or its source in the shared corpus is missing)";
    const auto known = KnownFailures();
    ASSERT_EQ(known.size(), 2u);
    TempDir tmp;
    size_t identical = 0;
    const auto files = CorpusFiles("dfm");
    for (const auto& file : files) {
        const std::string name = file.filename().string();
        const fs::path out = tmp / (name + ".bin");
        const std::string cmd = "'" + oracle + "' tobin '" + file.string() + "' '" + out.string() + "' 2>/dev/null";
        const int rc = std::system(cmd.c_str());
        if (known.count(name)) {
            EXPECT_NE(rc, 0) << name << " is listed as rejected by the reference converter";
            continue;
        }
        ASSERT_EQ(rc, 0) << cmd;
        const std::string expected = ReadFile(out);
        std::string ours;
        try {
            ours = TextToBinary(ReadFile(file), name);
        } catch (const vcl::Exception& e) {
            ADD_FAILURE() << e.Message();
            continue;
        }
        if (ours == expected) {
            ++identical;
        } else {
            ADD_FAILURE() << name << ": " << FirstDifference(ours, expected);
        }
    }
    EXPECT_EQ(identical, files.size() - known.size());
    RecordProperty("identical", static_cast<int>(identical));
}

TEST_F(Corpus, BinariesFromTextSurviveTextAndBackByteForByte) {
    size_t converted = 0;
    for (const auto& file : CorpusFiles("dfm")) {
        std::string bin;
        try {
            bin = TextToBinary(ReadFile(file), file.string());
        } catch (const vcl::EParserError&) {
            continue;  // the damaged form; its error has a test of its own
        }
        ++converted;
        const std::string text = BinaryToText(bin, file.string());
        EXPECT_TRUE(vcl::formfile::detail::IsValidUtf8(text)) << file;
        const std::string back = TextToBinary(text, file.string() + ".txt");
        EXPECT_TRUE(back == bin) << file << ": " << FirstDifference(back, bin);
    }
    EXPECT_EQ(converted, CorpusFiles("dfm").size() - 1);
}

TEST_F(Corpus, RealBinaryFormsKeepTheirContentThroughText) {
    size_t kept = 0, unknownTag = 0;
    for (const auto& file : CorpusFiles("dfm-binary")) {
        const std::string bin = ReadFile(file);
        ASSERT_TRUE(IsBinaryForm(bin)) << file;
        std::string text;
        try {
            text = BinaryToText(bin, file.filename().string());
        } catch (const vcl::EReadError& e) {
            // One form was damaged upstream (line-end conversion ate bytes) and
            // runs into a byte that is no value type.
            EXPECT_NE(e.Message().find(file.filename().string() + ": offset "), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find(": unknown value type 105"), std::string::npos) << e.Message();
            ++unknownTag;
            continue;
        }
        EXPECT_TRUE(vcl::formfile::detail::IsValidUtf8(text)) << file;
        const std::string back = TextToBinary(text, file.string() + ".txt");
        EXPECT_EQ(DescribeForm(back, "back"), DescribeForm(bin, "original")) << file;
        ++kept;
    }
    EXPECT_EQ(unknownTag, 1u);
    EXPECT_GE(kept, 29u);
}

TEST_F(Corpus, DamagedTextFormReportsTheLineAndColumn) {
    const fs::path file = CorpusDir() / "dfm" / "alberteije__T2TiERP-2-Lazarus__UAgendaCompromisso.lfm";
    const std::string msg = ErrorOf<vcl::EParserError>([&] { TextToBinary(ReadFile(file), file.string()); });
    // Line 90 holds image data without its "Name = {" line, so the first row
    // reads as a property name and the second cannot follow it.
    EXPECT_TRUE(msg.starts_with(file.string() + ":91:13: expected '=' after property name 'F6000000424DF6")) << msg;
}

}  // namespace
}  // namespace formfile_test
