// Errors found while reading a text form into components point at the token
// in the text (file:line:column), although the reader works on the converted
// binary; binary forms report offsets in the file they were given.
#include <gtest/gtest.h>

#include "TestClasses.h"
#include "framework/Log.h"
#include "framework/Streaming.h"

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

TEST_F(ReadPositions, ErrorsPointAtTheOffendingToken) {
    const struct {
        const char* Hazard;
        std::string Body;
        const char* Expected;
    } cases[] = {
        {"unknown child class", "  object X: TNoSuchClass\n  end\n", "test.dfm:2:13: Class TNoSuchClass not found"},
        {"duplicate name", "  object A: TTestControl\n  end\n  object a: TTestControl\n  end\n",
         "test.dfm:4:10: A component named a already exists"},
        {"unknown property", "  Left = 1\n   Colour = 1\n",
         "test.dfm:3:4: Error reading F.Colour: Property Colour does not exist"},
        {"unknown sub property", "  Font.Shade = 1\n",
         "test.dfm:2:8: Error reading F.Font.Shade: Property Shade does not exist"},
        {"unknown sub property, blanks around the dot", "  Font . Shade = 1\n",
         "test.dfm:2:10: Error reading F.Font.Shade: Property Shade does not exist"},
        {"property without sub properties", "  Width.Inner.X = 1\n",
         "test.dfm:2:3: Error reading F.Width.Inner.X: Property Width has no sub-properties"},
        {"sub-property of an integer", "  Font.Height.X = 1\n",
         "test.dfm:2:8: Error reading F.Font.Height.X: Property Height has no sub-properties"},
        {"unknown enum value", "  Align =\n     alSideways\n",
         "test.dfm:3:6: Error reading F.Align: Invalid property value: 'alSideways' for test::TTestAlign"},
        {"value of the wrong kind", "  Width = 'wide'\n",
         "test.dfm:2:11: Error reading F.Width: Invalid property value: vaString for Integer"},
        {"integer out of range", "  Width = -5000000000\n",
         "test.dfm:2:11: Error reading F.Width: Invalid property value: integer -5000000000 out of range for Integer"},
        {"unknown set member", "  Font.Style = [tsBold,\n    tsWavy]\n",
         "test.dfm:3:5: Error reading F.Font.Style: Invalid property value: set member 'tsWavy' for TSet"},
        {"missing handler", "  object B: TTestControl\n    OnClick = NoSuchHandler\n  end\n",
         "test.dfm:3:15: Error reading B.OnClick: Method NoSuchHandler not found in class TTestForm"},
        {"handler with other parameters", "  OnClick = WrongSignature\n",
         "test.dfm:2:13: Error reading F.OnClick: Method WrongSignature does not match the event's parameters"},
        {"error inside a collection item",
         "  object W: TTestWatcher\n    Items = <\n      item\n        TheControl = Owner\n      end\n"
         "      item\n        Colour = 1\n      end>\n  end\n",
         "test.dfm:8:9: Error reading W.Colour: Property Colour does not exist"},
        {"defined property of the wrong kind", "  object W: TTestWatcher\n    Left = 'far'\n  end\n",
         "test.dfm:3:12: expected an integer value, found vaString"},
        {"setter that refuses a value", "  object P: TPickyControl\n    Percent = 150\n  end\n",
         "test.dfm:3:15: Error reading P.Percent: Percent 150 is above 100"},
        {"parent that refuses a child", "  object A: TFussyChild\n    object B: TFussyChild\n    end\n  end\n",
         "test.dfm:3:15: A fussy child cannot go on another"},
        {"columns count characters, not bytes", "  Caption = '\xC3\xA9\xE2\x82\xAC'  Width = 'x'\n",
         "test.dfm:2:27: Error reading F.Width: Invalid property value: vaString for Integer"},
    };
    for (const auto& c : cases) EXPECT_EQ(ErrorOf(Form(c.Body)), c.Expected) << c.Hazard;
}

TEST_F(ReadPositions, UnknownRootClassPointsAtTheClassName) {
    try {
        ReadComponentFromText("\n  object F:   TUnregistered\nend\n", "root.dfm", nullptr);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "root.dfm:2:15: Class TUnregistered not found");
    }
}

TEST_F(ReadPositions, UnresolvedReferenceIsLoggedWithThePlaceOfTheName) {
    TLogCapture log;
    EXPECT_EQ(ErrorOf(Form("  Caption = 'x'\n  Buddy = Ghost\n")), "(no error)");
    EXPECT_NE(log.Text().find("test.dfm:3:11: F.Buddy: unresolved reference to Ghost"), std::string::npos)
        << log.Text();
}

TEST_F(ReadPositions, LinesCountThroughJoinedStringsAndEveryKindOfLineEnd) {
    // A byte-order mark, CR LF and a lone CR, a string joined over lines.
    EXPECT_EQ(ErrorOf("\xEF\xBB\xBFobject F: TTestForm\r\n  Caption = 'a' +\r\n    'b'\r  Colour = 1\nend\n"),
              "test.dfm:4:3: Error reading F.Colour: Property Colour does not exist");
    // Binary data over several lines.
    EXPECT_EQ(ErrorOf(Form("  Caption = 'x'\n  Ratio = 2.5\n  Width = {\n      00 01\n      02}\n")),
              "test.dfm:4:11: Error reading F.Width: Invalid property value: vaBinary for Integer");
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
