#include <gtest/gtest.h>

#include "TestClasses.h"
#include "framework/Log.h"
#include "framework/Streaming.h"
#include "tests/support/ProgramFixture.h"

using namespace vcl;
using namespace test;

namespace {

std::string TestFormText() { return vcltest::Slurp(QV_TEST_DATA_DIR "/TestForm.dfm"); }

class Streaming : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        Journal().clear();
    }
    TTestForm* Load(const std::string& text, bool ignoreHandlers = false) {
        auto* form = new TTestForm(nullptr);
        try {
            ReadComponentFromText(text, "test.dfm", form, ignoreHandlers);
        } catch (...) {
            form->Free();
            throw;
        }
        return form;
    }
};

}  // namespace

TEST_F(Streaming, ReaderBuildsTheTreeWithEveryPropertyKind) {
    TTestForm* form = Load(TestFormText());
    EXPECT_EQ(form->Name(), "TestForm");
    EXPECT_EQ(form->Caption, "Main's form");
    ASSERT_NE(form->Button1, nullptr);  // published field bound by name
    TTestControl* b = form->Button1;
    EXPECT_EQ(b->Owner(), form);
    EXPECT_EQ(b->FParent, form);
    EXPECT_FALSE(b->Visible);
    EXPECT_EQ(b->Align, taTop);
    EXPECT_DOUBLE_EQ(b->Ratio, 1.5);
    EXPECT_EQ(b->Big, 5000000000LL);
    EXPECT_EQ(b->Font()->Color, tcRed);
    EXPECT_EQ(b->Font()->Height, -12);
    EXPECT_EQ(b->Font()->Style, (TTestStyles{tsBold, tsUnderline}));
    auto* panel = static_cast<TTestControl*>(form->FindComponent("Panel1"));
    EXPECT_EQ(b->Buddy, panel);  // a forward reference
    EXPECT_EQ(panel->Font()->Color, 254);
    EXPECT_EQ(panel->Font()->Name, "Courier New");
    auto* inner = static_cast<TTestControl*>(form->FindComponent("Inner"));
    EXPECT_EQ(inner->Owner(), form);  // owned by the root, parented by Button1
    EXPECT_EQ(inner->FParent, b);
    EXPECT_EQ(inner->Buddy, form);  // "Owner" is the root
    ASSERT_NE(form->Watcher, nullptr);
    EXPECT_FALSE(form->Watcher->Enabled);
    EXPECT_EQ(form->Watcher->DesignLeft(), 352);
    EXPECT_EQ(form->Watcher->DesignTop(), 152);
    ASSERT_EQ(form->Watcher->Items()->Count(), 2);
    EXPECT_EQ(form->Watcher->Items()->Item(0)->TheControl, b);
    EXPECT_EQ(form->Watcher->Items()->Item(1)->TheControl, form);
    // Handlers are bound to the root and call its methods.
    b->OnClick(b);
    form->OnClick(form);
    EXPECT_EQ(form->Clicks, (std::vector<TObject*>{b, form}));
    EXPECT_FALSE(form->ComponentState().Contains(csLoading));
    form->Free();
}

TEST_F(Streaming, LoadedRunsInCreationOrderAfterReferencesAreResolved) {
    TTestForm* form = Load(TestFormText());
    EXPECT_EQ(Journal(), (std::vector<std::string>{"Loaded TestForm", "Loaded Button1", "Loaded Inner",
                                                   "Loaded Panel1", "Loaded Watcher items=2"}));
    EXPECT_EQ(form->Button1->BuddyAtLoaded, "Panel1");
    form->Free();
}

TEST_F(Streaming, WrittenTextAndBinaryComeBackByteForByte) {
    TTestForm* form = Load(TestFormText());
    std::string text1 = WriteComponentToText(form);
    std::string bin1 = WriteComponentToBinary(form);
    form->Free();
    TTestForm* again = Load(text1);
    EXPECT_EQ(WriteComponentToText(again), text1);
    again->Free();
    auto* fromBin = new TTestForm(nullptr);
    ReadComponentFromBinary(bin1, "bin", fromBin);
    EXPECT_EQ(WriteComponentToBinary(fromBin), bin1);
    fromBin->Free();
}

TEST_F(Streaming, WriterStoresOnlyWhatDiffersFromDefaults) {
    TTestForm* form = Load(TestFormText());
    std::string text = WriteComponentToText(form);
    form->Free();
    EXPECT_NE(text.find("Visible = False"), std::string::npos);
    EXPECT_EQ(text.find("Visible = True"), std::string::npos);  // default true: not stored
    EXPECT_EQ(text.find("Tag ="), std::string::npos);
    EXPECT_EQ(text.find(" Name = "), std::string::npos);  // the name is in the header
    EXPECT_NE(text.find("Enabled = False"), std::string::npos);
    EXPECT_NE(text.find("OnClick = ButtonClick"), std::string::npos);
    EXPECT_NE(text.find("Buddy = Owner"), std::string::npos);
    EXPECT_NE(text.find("Font.Color = tcRed"), std::string::npos);  // a colour by name
    EXPECT_NE(text.find("Font.Color = 254"), std::string::npos);    // and by number
    EXPECT_NE(text.find("TheControl = Button1"), std::string::npos);
    // Non-visual designer position comes after the published properties.
    size_t enabled = text.find("Enabled = False"), left = text.find("Left = 352");
    ASSERT_NE(left, std::string::npos);
    EXPECT_LT(enabled, left);
    // Children in order: controls, then non-visual components.
    EXPECT_LT(text.find("object Button1"), text.find("object Inner"));
    EXPECT_LT(text.find("object Panel1"), text.find("object Watcher"));
}

TEST_F(Streaming, MissingHandlersAreSkippedWhenIgnored) {
    TTestForm* f = Load("object F: TTestForm\n  OnClick = NoSuchHandler\nend\n", /*ignoreHandlers=*/true);
    EXPECT_FALSE(f->OnClick.Assigned());
    f->Free();
}

TEST_F(Streaming, UnresolvedReferenceStaysNullAndIsLoggedWithThePlaceOfTheName) {
    TLogCapture log;
    TTestForm* f = Load("object F: TTestForm\n  Buddy = Ghost\nend\n");
    EXPECT_EQ(f->Buddy, nullptr);
    EXPECT_NE(log.Text().find("test.dfm:2:11: F.Buddy: unresolved reference to Ghost"), std::string::npos)
        << log.Text();
    f->Free();
}

TEST_F(Streaming, RepeatedCollectionDropsReferencesOfDiscardedItems) {
    // The second list replaces the first; the pending references of the
    // first list's items must not be resolved into freed items.
    TTestForm* f = Load(
        "object F: TTestForm\n  object W: TTestWatcher\n    Items = <\n      item\n        TheControl = Owner\n"
        "      end>\n    Items = <\n      item\n        TheControl = W\n      end>\n  end\nend\n");
    auto* w = static_cast<TTestWatcher*>(f->FindComponent("W"));
    ASSERT_EQ(w->Items()->Count(), 1);
    EXPECT_EQ(w->Items()->Item(0)->TheControl, w);
    f->Free();
}

TEST_F(Streaming, RootOfTheStreamsClassIsCreatedWhenNoneIsGiven) {
    TComponent* root = ReadComponentFromText(TestFormText(), "test.dfm", nullptr);
    EXPECT_EQ(root->ClassName(), "TTestForm");
    EXPECT_EQ(root->GetComponentCount(), 4);
    root->Free();
}

TEST_F(Streaming, TextSyntaxErrorsCarryLineAndColumn) {
    try {
        TTestForm* f = Load("object F: TTestForm\n  Width = \nend\n");
        f->Free();
        FAIL() << "no error";
    } catch (const EParserError& e) {
        EXPECT_NE(e.Message().find("test.dfm:"), std::string::npos) << e.Message();
    }
}
