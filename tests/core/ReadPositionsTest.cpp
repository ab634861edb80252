// Errors found while reading a text form into components point at the token
// in the text (file:line:column), although the reader works on the converted
// binary (the cases: data/read-errors.txt); binary forms report offsets in
// the file they were given.
#include <gtest/gtest.h>

#include "TestClasses.h"
#include "framework/Log.h"
#include "framework/Streaming.h"
#include "tests/support/DataCases.h"

using namespace vcl;
using namespace test;

namespace {

// A component whose setter refuses values, as real controls' setters do.
class TPickyControl : public TTestControl {
    VCL_CLASS(TPickyControl, TTestControl)
    explicit TPickyControl(TComponent* AOwner) : TTestControl(AOwner) {}
    int32_t GetPercent() const { return FPercent; }
    void SetPercent(int32_t v) {
        if (v > 100) throw EConvertError("Percent " + std::to_string(v) + " is above 100");
        FPercent = v;
    }

private:
    int32_t FPercent = 0;
};

// A component that refuses some parents.
class TFussyChild : public TTestControl {
    VCL_CLASS(TFussyChild, TTestControl)
    explicit TFussyChild(TComponent* AOwner) : TTestControl(AOwner) {}
    void SetParentComponent(TComponent* v) override {
        if (dynamic_cast<TFussyChild*>(v)) throw EInvalidOperation("A fussy child cannot go on another");
        TTestControl::SetParentComponent(v);
    }
};

}  // namespace

VCL_IMPLEMENT_CLASS(TFussyChild)
void TFussyChild::DescribeClass(ClassBuilder<TFussyChild>&) {}

VCL_IMPLEMENT_CLASS(TPickyControl)
void TPickyControl::DescribeClass(ClassBuilder<TPickyControl>& c) {
    c.Property("Percent", &TPickyControl::GetPercent, &TPickyControl::SetPercent);
}

namespace {

class ReadPositions : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        RegisterClasses({TPickyControl::StaticClass(), TFussyChild::StaticClass()});
    }
    // The message of the error that reading form (text or binary) gives.
    static std::string ErrorOf(const std::string& form, bool ignoreHandlers = false) {
        auto* root = new TTestForm(nullptr);
        try {
            ReadComponentFromForm(form, "test.dfm", root, ignoreHandlers);
        } catch (const EReadError& e) {
            root->Free();
            return e.Message();
        }
        root->Free();
        return "(no error)";
    }
    static std::string Form(const std::string& body) { return "object F: TTestForm\n" + body + "end\n"; }
};

}  // namespace

TEST_F(ReadPositions, EveryCaseOfTheDataFile) {
    for (const vcltest::TDataCase& c : vcltest::ReadCases(QV_TEST_DATA_DIR "/read-errors.txt"))
        EXPECT_EQ(ErrorOf(c.Kind == "body" ? Form(c.Input) : c.Input), c.Expected) << c.Where;
}

TEST_F(ReadPositions, UnknownRootClassPointsAtTheClassName) {
    try {
        ReadComponentFromText("\n  object F:   TUnregistered\nend\n", "root.dfm", nullptr);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "root.dfm:2:15: Class TUnregistered not found");
    }
}

TEST_F(ReadPositions, BinaryFormReportsOffsetsInTheFile) {
    const std::string stream = formfile::TextToBinary(Form("  Colour = 1\n"), "t");
    const size_t colour = stream.find(
        "\x06"
        "Colour");
    ASSERT_NE(colour, std::string::npos);
    EXPECT_EQ(ErrorOf(stream), "test.dfm: offset " + std::to_string(colour) +
                                   ": Error reading F.Colour: Property Colour does not exist");
    // Behind a resource header, offsets count from the start of the file.
    std::string res(
        "\xFF\x0A\x00"
        "TTESTFORM\0"
        "\x30\x10",
        15);
    const uint32_t size = static_cast<uint32_t>(stream.size());
    res.append(reinterpret_cast<const char*>(&size), 4);
    const size_t header = res.size();
    res += stream;
    EXPECT_EQ(ErrorOf(res), "test.dfm: offset " + std::to_string(header + colour) +
                                ": Error reading F.Colour: Property Colour does not exist");
}

TEST_F(ReadPositions, RecordingPositionsLeavesTheBinaryUnchanged) {
    const std::string text = Form(
        "  Caption = 'a' + #233\n  Font.Style = [tsBold]\n  object W: TTestWatcher\n    Items = <\n      item [3]\n"
        "        TheControl = Owner\n      end>\n  end\n  inline I: TTestControl [2]\n    Tag = (1 2.5 'x' {00})\n  "
        "end\n");
    formfile::TextPosMap map;
    EXPECT_EQ(formfile::TextToBinary(text, "t", &map), formfile::TextToBinary(text, "t"));
    ASSERT_FALSE(map.empty());
    for (size_t i = 1; i < map.size(); ++i) EXPECT_LT(map[i - 1].first, map[i].first) << i;
}
