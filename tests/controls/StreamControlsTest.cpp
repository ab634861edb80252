// Form files with every standard control: read, behaviour as read, written
// back byte for byte; and what freshly made controls store.
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "ProgramFixture.h"
#include "framework/Buttons.h"
#include "framework/CheckLst.h"
#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Spin.h"
#include "framework/StdCtrls.h"
#include "framework/Streaming.h"

using namespace vcl;
using namespace vcltest;

namespace {

// The root of the test form: each handler notes its own name.
class TControlsForm : public TForm {
    VCL_CLASS(TControlsForm, TForm)
    explicit TControlsForm(TComponent* AOwner) : TForm(AOwner) {}
    void LabelClick(TObject*) { Calls.push_back("LabelClick"); }
    void BoldClick(TObject*) { Calls.push_back("BoldClick"); }
    void NameChange(TObject*) { Calls.push_back("NameChange"); }
    void AgreeClick(TObject*) { Calls.push_back("AgreeClick"); }
    void FruitClick(TObject*) { Calls.push_back("FruitClick"); }
    void TasksClickCheck(TObject*) { Calls.push_back("TasksClickCheck"); }
    void CancelClick(TObject*) { Calls.push_back("CancelClick"); }
    std::vector<std::string> Calls;
};

VCL_IMPLEMENT_CLASS(TControlsForm)
void TControlsForm::DescribeClass(ClassBuilder<TControlsForm>& c) {
    c.Method<&TControlsForm::LabelClick>("LabelClick");
    c.Method<&TControlsForm::BoldClick>("BoldClick");
    c.Method<&TControlsForm::NameChange>("NameChange");
    c.Method<&TControlsForm::AgreeClick>("AgreeClick");
    c.Method<&TControlsForm::FruitClick>("FruitClick");
    c.Method<&TControlsForm::TasksClickCheck>("TasksClickCheck");
    c.Method<&TControlsForm::CancelClick>("CancelClick");
}

class StreamControlsTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        RegisterStdControls();
        RegisterExtControls();
        RegisterButtons();
        RegisterCheckListBox();
        RegisterStdControls();  // registering twice is harmless
    }
    template <class T>
    T* Find(TComponent* root, const char* name) {
        auto* c = dynamic_cast<T*>(root->FindComponent(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
};

}  // namespace

TEST_F(StreamControlsTest, FormFileWithEveryControlWritesBackIdentically) {
    std::string text = Slurp(QV_TEST_DATA_DIR "/AllControls.dfm");
    ASSERT_FALSE(text.empty());
    auto* root = new TControlsForm(Application);
    ReadComponentFromText(text, "AllControls.dfm", root);
    EXPECT_EQ(WriteComponentToText(root), text);
}

TEST_F(StreamControlsTest, ControlsReadFromAFileBehaveAsStored) {
    auto* root = new TControlsForm(Application);
    ReadComponentFromText(Slurp(QV_TEST_DATA_DIR "/AllControls.dfm"), "AllControls.dfm", root);
    EXPECT_TRUE(root->Calls.empty());  // reading raises no events
    auto* fruit = Find<TListBox>(root, "Fruit");
    auto* tasks = Find<TCheckListBox>(root, "Tasks");
    auto* agree = Find<TCheckBox>(root, "Agree");
    auto* panel = Find<TPanel>(root, "Buttons");
    auto* ok = Find<TButton>(root, "OkButton");
    ASSERT_TRUE(fruit && tasks && agree && panel && ok);
    EXPECT_EQ(fruit->Items()->Add("Apricot"), 1);  // still sorted
    EXPECT_EQ(agree->State(), cbGrayed);
    EXPECT_EQ(Find<TEdit>(root, "Notes")->Color(), root->Color());  // ParentColor
    EXPECT_EQ(ok->Parent(), panel);
    EXPECT_EQ(ok->Font()->Name(), root->Font()->Name());
    root->Show();
    Process();
    ClickOn(agree, 5, 5);
    ClickOn(tasks, 3, tasks->ItemRect(1).Top + 3);
    Find<TEdit>(root, "NameEdit")->SetFocus();
    Type("!");
    Key(VK_ESCAPE);  // the Cancel button
    EXPECT_EQ(root->Calls, (std::vector<std::string>{"AgreeClick", "TasksClickCheck", "NameChange", "CancelClick"}));
    EXPECT_EQ(root->ModalResult(), mrCancel);
    EXPECT_EQ(tasks->GetState(1), cbGrayed);  // AllowGrayed: unchecked goes to grayed first
}

// Each sized to its class's default and the label to its caption; the spin
// edit stores its value, not its name: data/FreshControls.dfm.
TEST_F(StreamControlsTest, FreshControlsStoreOnlyWhatDiffersFromTheDefaults) {
    RegisterFormClasses();  // TScrollBox
    auto* root = new TForm(Application);
    root->SetName("Fresh");
    for (const char* cls : {"TLabel", "TEdit", "TButton", "TCheckBox", "TRadioButton", "TListBox", "TCheckListBox",
                            "TPanel", "TGroupBox", "TBevel", "TSpeedButton", "TMemo", "TComboBox", "TStaticText",
                            "TBitBtn", "TLabeledEdit", "TSpinEdit", "TRadioGroup", "TShape", "TImage", "TScrollBox",
                            "TPageControl", "TListView", "TProgressBar"}) {
        const TMetaClass* meta = GetClass(cls);
        ASSERT_TRUE(meta && meta->NewComponent) << cls;
        auto* c = static_cast<TControl*>(meta->NewComponent(root));
        c->SetParent(root);
        c->SetName(std::string(cls + 1) + "1");
    }
    EXPECT_EQ(WriteComponentToText(root), Slurp(QV_TEST_DATA_DIR "/FreshControls.dfm"));
}
