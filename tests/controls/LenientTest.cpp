// Lenient reading ("Ignore All"): what cannot be read is skipped with a
// warning, objects of unknown classes are kept as stand-ins and written back
// as they were stored, and inherited and inline objects keep their marks.
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "ProgramFixture.h"
#include "framework/ExtCtrls.h"
#include "framework/StandIn.h"
#include "framework/StdCtrls.h"
#include "framework/Streaming.h"

using namespace vcl;
using namespace vcltest;

namespace {

class Lenient : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        RegisterStdControls();
        RegisterExtControls();
    }
    // Reads Text into a fresh form; the warnings land in Warnings.
    TForm* Read(const std::string& Text, bool lenient) {
        auto* form = new TForm(Application);
        TReadOptions o;
        o.Lenient = lenient;
        o.OnWarning = [this](const std::string& w) { Warnings.push_back(w); };
        try {
            ReadComponentFromForm(Text, "f.dfm", form, o);
        } catch (...) {
            form->Free();
            throw;
        }
        return form;
    }
    // What the writer gives from the first child object on (the plain form
    // writes its own defaults above it).
    std::string WriteChildren(TForm* form) {
        const std::string text = WriteComponentToText(form, "TForm1");
        return text.substr(text.find("\n  object ") + 1);
    }
    std::vector<std::string> Warnings;
};

}  // namespace

TEST_F(Lenient, UnknownClassesAreKeptAndWrittenBackAsStored) {
    // Written as the writer writes, so that a faithful load writes it back
    // byte for byte.
    const std::string text = Slurp(QV_TEST_DATA_DIR "/UnknownThings.dfm");
    EXPECT_THROW(Read(text, false), EReadError);
    TForm* form = Read(text, true);
    // One warning a class, where it is first named.
    EXPECT_EQ(Warnings, (std::vector<std::string>{
                            "f.dfm:5:17: warning: Class TcxGrid not found; kept as it is stored",
                            "f.dfm:24:17: warning: Class TFancyMenu not found; kept as it is stored",
                            "f.dfm:27:19: warning: Class TFancyItem not found; kept as it is stored"}));
    // The grid stands where the file puts it, holding the real button.
    auto* grid = dynamic_cast<TStandInControl*>(form->FindComponent("Grid1"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->BoundsRect(), (TRect{8, 16, 208, 136}));
    auto* button = dynamic_cast<TButton*>(form->FindComponent("Button1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Parent(), grid);
    EXPECT_NE(dynamic_cast<TStandInComponent*>(form->FindComponent("Item1")), nullptr);
    const std::string children = text.substr(text.find("  object "));
    EXPECT_EQ(WriteChildren(form), children);
    // Moved, it is written where it is now, the rest as stored.
    grid->SetLeft(40);
    std::string moved = children;
    moved.replace(moved.find("    Left = 8\n"), 13, "    Left = 40\n");
    EXPECT_EQ(WriteChildren(form), moved);
}

TEST_F(Lenient, PropertiesThatCannotBeTakenAreSkippedWithAWarning) {
    const std::string text = Slurp(QV_TEST_DATA_DIR "/UntakenProperties.dfm");
    try {
        Read(text, false);
        ADD_FAILURE();
    } catch (const EReadError& e) {
        EXPECT_EQ(std::string(e.Message()), "f.dfm:2:3: Error reading Form1.Ctl3DX: Property Ctl3DX does not exist");
    }
    Warnings.clear();
    TForm* form = Read(text, true);
    EXPECT_EQ(Warnings.size(), 4u);
    ASSERT_FALSE(Warnings.empty());
    EXPECT_EQ(Warnings[0], "f.dfm:2:3: warning: Error reading Form1.Ctl3DX: Property Ctl3DX does not exist");
    EXPECT_EQ(form->Caption(), "Kept");
    auto* edit = static_cast<TEdit*>(form->FindComponent("Edit1"));
    EXPECT_EQ(edit->Left(), 8);
    EXPECT_EQ(edit->GetText(), "kept too");
    // A damaged stream is no property to skip.
    EXPECT_THROW(Read("object Form1: TForm1\n  Caption = 'open\nend\n", true), Exception);
}

TEST_F(Lenient, InheritedAndInlineObjectsKeepTheirMarks) {
    const std::string text = Slurp(QV_TEST_DATA_DIR "/InheritedAndInline.dfm");
    // Read strictly: the ancestor is not at hand, the file's own part shows.
    TForm* form = Read(text, false);
    EXPECT_TRUE(form->FilerFlags().Inherited);
    EXPECT_TRUE(form->FindComponent("Frame1")->FilerFlags().Inline);
    const std::string written = WriteComponentToText(form, "TForm1");
    EXPECT_EQ(written.rfind("inherited Form1: TForm1\n", 0), 0u) << written;
    EXPECT_NE(written.find("\n  inherited Panel1: TPanel\n    Left = 4\n"), std::string::npos) << written;
    EXPECT_NE(written.find("\n    inline Frame1: TPanel\n      Left = 2\n"), std::string::npos) << written;
}
