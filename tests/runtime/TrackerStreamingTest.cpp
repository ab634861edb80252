// A tracker in form files: loading one (the lists, the hook, the handlers,
// "Owner"), and the stored form of Associate in both formats.
#include "ProgramFixture.h"
#include "TrackerFixture.h"
#include "framework/Streaming.h"

using namespace vcl;
using namespace vcltest;

namespace {

using Access = TQVTrackMouseAccess;

class TTrackedControl : public TGraphicControl {
    VCL_CLASS(TTrackedControl, TGraphicControl)
    explicit TTrackedControl(TComponent* AOwner) : TGraphicControl(AOwner) {}
};

// Declares its tracker as a published field, as program forms do: the reader
// finds TQVTrackMouse through it, unregistered.
class TTrackedForm : public TForm {
    VCL_CLASS(TTrackedForm, TForm)
    explicit TTrackedForm(TComponent* AOwner) : TForm(AOwner) {}
    void QVTrackMouseEnter(TObject* Sender) { Seen.push_back("enter " + static_cast<TComponent*>(Sender)->Name()); }
    void QVTrackMouseLeave(TObject* Sender) { Seen.push_back("leave " + static_cast<TComponent*>(Sender)->Name()); }
    TQVTrackMouse* QVTrack = nullptr;
    std::vector<std::string> Seen;
};

std::string FormText() { return Slurp(QV_TEST_DATA_DIR "/TrackedForm.dfm"); }

class TrackerStreaming : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        RegisterFormClasses();
        RegisterClass<TTrackedControl>();
    }
    TTrackedForm* Load(const std::string& text) {
        auto* f = new TTrackedForm(Application);
        ReadComponentFromText(text, "TrackedForm.dfm", f);
        return f;
    }
};

}  // namespace

VCL_IMPLEMENT_CLASS(TTrackedControl)
void TTrackedControl::DescribeClass(ClassBuilder<TTrackedControl>&) {}

VCL_IMPLEMENT_CLASS(TTrackedForm)
void TTrackedForm::DescribeClass(ClassBuilder<TTrackedForm>& c) {
    c.Field("QVTrack", &TTrackedForm::QVTrack);
    c.Method<&TTrackedForm::QVTrackMouseEnter>("QVTrackMouseEnter");
    c.Method<&TTrackedForm::QVTrackMouseLeave>("QVTrackMouseLeave");
}

TEST_F(TrackerStreaming, LoadedTrackerHasItsListsItsHookAndItsHandlers) {
    TWndMethod own = TWndMethod::Of<&TControl::WndProc>(static_cast<TControl*>(nullptr));
    TTrackedForm* f = Load(FormText());
    TQVTrackMouse* t = f->QVTrack;
    ASSERT_NE(t, nullptr);
    TControl* bevel = static_cast<TControl*>(f->FindComponent("Bevel1"));
    TControl* panel = static_cast<TControl*>(f->FindComponent("Panel1"));
    ASSERT_EQ(t->Associate()->GetCount(), 3);
    EXPECT_EQ(t->Associate()->GetItem(1)->TheControl, f);  // "Owner" is the form
    for (int i = 0; i < 3; ++i) EXPECT_EQ(t->Associate()->GetItem(i)->FControlName, "");
    ASSERT_EQ(t->TrackedControls()->Count(), 3);
    EXPECT_EQ(t->TrackedControls()->Get(0), bevel);
    EXPECT_EQ(t->TrackedControls()->Get(1), f);
    EXPECT_EQ(t->TrackedControls()->Get(2), panel);
    EXPECT_EQ(Access::States(t)->Count(), 3);
    EXPECT_TRUE(Access::Active(t));
    EXPECT_FALSE(t->Bounding());
    EXPECT_EQ(t->DesignLeft(), 352);
    EXPECT_EQ(t->DesignTop(), 152);
    EXPECT_NE(f->WindowProc.Code(), own.Code());  // the owner is hooked
    EXPECT_TRUE(Access::OldWindowProc(t).Assigned());
    f->Show();
    MoveTo(bevel, 5, 5);
    MoveTo(panel, 5, 5);
    EXPECT_EQ(f->Seen, (std::vector<std::string>{"enter Bevel1", "enter TrackedForm", "leave Bevel1", "enter Panel1"}));
}

TEST_F(TrackerStreaming, FormWithATrackerIsWrittenBackByteForByte) {
    TTrackedForm* f = Load(FormText());
    EXPECT_EQ(WriteComponentToText(f), FormText());
    std::string binary = WriteComponentToBinary(f);
    f->Free();  // a second instance alongside would be renamed TrackedForm_1
    TTrackedForm* again = new TTrackedForm(Application);
    ReadComponentFromBinary(binary, "binary", again);
    EXPECT_EQ(WriteComponentToBinary(again), binary);
}

TEST_F(TrackerStreaming, AssociateHasTheDocumentedStoredForm) {
    TForm* f = new TForm(Application);
    f->SetName("FormX");
    auto* bevel = new TTrackedControl(f);
    bevel->SetName("Bevel1");
    bevel->SetParent(f);
    auto* t = new TQVTrackMouse(f);
    t->SetName("QVTrack");
    static_cast<TQVControlItem*>(t->Associate()->Add())->TheControl = bevel;
    static_cast<TQVControlItem*>(t->Associate()->Add())->TheControl = f;
    // The text form: FormWithATrackerIsWrittenBackByteForByte.
    EXPECT_EQ(WriteComponentToText(f).find("Bounding"), std::string::npos);  // true is the default
    std::string binary = WriteComponentToBinary(f);
    std::string expected = std::string("\x09" "Associate" "\x0E", 11) +
                           std::string("\x01\x0A" "TheControl" "\x07\x06" "Bevel1" "\x00", 21) +
                           std::string("\x01\x0A" "TheControl" "\x07\x05" "Owner" "\x00", 20) + std::string("\x00", 1);
    EXPECT_NE(binary.find(expected), std::string::npos);
    t->SetBounding(false);
    EXPECT_NE(WriteComponentToText(f).find("Bounding = False"), std::string::npos);
}

TEST_F(TrackerStreaming, UnresolvedItemIsKeptEmptyAndHarmless) {
    std::string text = FormText();
    text.replace(text.find("TheControl = Panel1"), 19, "TheControl = Ghost1");
    TLogCapture logged;
    TTrackedForm* f = Load(text);
    EXPECT_NE(logged.Text().find("Ghost1"), std::string::npos);
    TQVTrackMouse* t = f->QVTrack;
    EXPECT_EQ(t->Associate()->GetItem(2)->TheControl, nullptr);
    f->Show();
    MoveTo(f, 150, 50);  // the geometric pass passes over the empty entry
    EXPECT_EQ(t->Associate()->IndexOf(static_cast<TControl*>(f->FindComponent("Panel1"))), -1);
}
