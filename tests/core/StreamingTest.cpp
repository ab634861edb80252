#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "TestClasses.h"
#include "framework/Log.h"
#include "framework/Streaming.h"

using namespace vcl;
using namespace test;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string TestFormText() { return ReadFile(std::string(QV_TEST_DATA_DIR) + "/TestForm.dfm"); }

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
    // The message of the read error that loading text gives.
    std::string ErrorOf(const std::string& text) {
        try {
            TTestForm* f = Load(text);
            f->Free();
        } catch (const Exception& e) {
            return e.Message();
        }
        return "(no error)";
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

TEST_F(Streaming, CollectionOfReferencesHasTheDocumentedByteLayout) {
    TTestForm* form = Load(TestFormText());
    std::string bin = WriteComponentToBinary(form);
    form->Free();
    std::string expected = std::string("\x05Items\x0E", 7) + "\x01" + "\x0ATheControl" + "\x07" + "\x07" + "Button1" +
                           std::string("\0", 1) + "\x01" + "\x0ATheControl" + "\x07" + "\x05" + "Owner" +
                           std::string("\0\0", 2);
    EXPECT_NE(bin.find(expected), std::string::npos);
}

TEST_F(Streaming, UnknownClassOrPropertyIsAReadErrorNamingIt) {
    std::string e1 = ErrorOf("object F: TTestForm\n  object X: TNoSuchClass\n  end\nend\n");
    EXPECT_NE(e1.find("TNoSuchClass"), std::string::npos) << e1;
    EXPECT_NE(e1.find("test.dfm:2:"), std::string::npos) << e1;  // a place in the text, not in the binary
    std::string e2 = ErrorOf("object F: TTestForm\n  Colour = 1\nend\n");
    EXPECT_NE(e2.find("Colour"), std::string::npos) << e2;
    std::string e3 = ErrorOf("object F: TTestForm\n  Font.Shade = 1\nend\n");
    EXPECT_NE(e3.find("Shade"), std::string::npos) << e3;
    std::string e4 = ErrorOf("object F: TTestForm\n  Align = alSideways\nend\n");
    EXPECT_NE(e4.find("alSideways"), std::string::npos) << e4;
    std::string e5 = ErrorOf("object F: TTestForm\n  Width = 'wide'\nend\n");
    EXPECT_NE(e5.find("Width"), std::string::npos) << e5;
    std::string e6 = ErrorOf("object F: TTestForm\n  Width = 5000000000\nend\n");
    EXPECT_NE(e6.find("out of range"), std::string::npos) << e6;
    std::string e7 = ErrorOf("object F: TTestForm\n  Font.Style = [tsWavy]\nend\n");
    EXPECT_NE(e7.find("tsWavy"), std::string::npos) << e7;
}

TEST_F(Streaming, HandlersMustExistAndMatchUnlessIgnored) {
    std::string missing = "object F: TTestForm\n  OnClick = NoSuchHandler\nend\n";
    std::string e = ErrorOf(missing);
    EXPECT_NE(e.find("NoSuchHandler"), std::string::npos) << e;
    TTestForm* f = Load(missing, /*ignoreHandlers=*/true);
    EXPECT_FALSE(f->OnClick.Assigned());
    f->Free();
    std::string wrong = ErrorOf("object F: TTestForm\n  OnClick = WrongSignature\nend\n");
    EXPECT_NE(wrong.find("WrongSignature"), std::string::npos) << wrong;
}

TEST_F(Streaming, UnresolvedReferenceStaysNullAndIsLogged) {
    TLogCapture log;
    TTestForm* f = Load("object F: TTestForm\n  Buddy = Ghost\nend\n");
    EXPECT_EQ(f->Buddy, nullptr);
    EXPECT_NE(log.Text().find("Ghost"), std::string::npos) << log.Text();
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

TEST_F(Streaming, DuplicateComponentNameIsAReadError) {
    std::string e = ErrorOf("object F: TTestForm\n  object A: TTestControl\n  end\n  object a: TTestControl\n  end\nend\n");
    EXPECT_NE(e.find("already exists"), std::string::npos) << e;
}

TEST_F(Streaming, RootOfTheStreamsClassIsCreatedWhenNoneIsGiven) {
    TComponent* root = ReadComponentFromText(TestFormText(), "test.dfm", nullptr);
    EXPECT_EQ(root->ClassName(), "TTestForm");
    EXPECT_EQ(root->GetComponentCount(), 4);
    root->Free();
    EXPECT_THROW(ReadComponentFromText("object F: TUnregistered\nend\n", "t", nullptr), EReadError);
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
