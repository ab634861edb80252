// Form files with every standard control: read, behaviour as read, written
// back byte for byte; and what freshly made controls store.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "StdControlsFixture.h"
#include "framework/Buttons.h"
#include "framework/CheckLst.h"
#include "framework/ExtCtrls.h"
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

std::string ReadData(const std::string& name) {
    std::string here = __FILE__;
    std::ifstream in(here.substr(0, here.find_last_of('/')) + "/data/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
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
    std::string text = ReadData("AllControls.dfm");
    ASSERT_FALSE(text.empty());
    auto* root = new TControlsForm(Application);
    ReadComponentFromText(text, "AllControls.dfm", root);
    EXPECT_EQ(WriteComponentToText(root), text);
}

TEST_F(StreamControlsTest, ControlsReadFromAFileBehaveAsStored) {
    auto* root = new TControlsForm(Application);
    ReadComponentFromText(ReadData("AllControls.dfm"), "AllControls.dfm", root);
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
    EXPECT_TRUE(tasks->GetChecked(1));
}

TEST_F(StreamControlsTest, FreshControlsStoreOnlyWhatDiffersFromTheDefaults) {
    auto* root = new TForm(Application);
    root->SetName("Fresh");
    auto make = [&](TControl* c, const char* name) {
        c->SetParent(root);
        c->SetName(name);
    };
    make(new TLabel(root), "Label1");
    make(new TEdit(root), "Edit1");
    make(new TButton(root), "Button1");
    make(new TCheckBox(root), "CheckBox1");
    make(new TRadioButton(root), "RadioButton1");
    make(new TListBox(root), "ListBox1");
    make(new TCheckListBox(root), "CheckListBox1");
    make(new TPanel(root), "Panel1");
    make(new TBevel(root), "Bevel1");
    make(new TSpeedButton(root), "SpeedButton1");
    std::string text = WriteComponentToText(root);
    auto block = [&](const std::string& name) {
        size_t start = text.find("object " + name + ":");
        size_t end = text.find("  end\n", start);
        return start == std::string::npos ? std::string() : text.substr(start, end - start);
    };
    auto props = [](const char* size, const char* rest) {
        return std::string("    Left = 0\n    Top = 0\n") + size + rest;
    };
    EXPECT_EQ(block("Label1"), "object Label1: TLabel\n" + props("    Width = 65\n    Height = 17\n",
                                                                  "    Caption = 'Label1'\n"));
    EXPECT_EQ(block("Edit1"), "object Edit1: TEdit\n" + props("    Width = 121\n    Height = 21\n",
                                                                "    TabOrder = 0\n    Text = 'Edit1'\n"));
    EXPECT_EQ(block("Button1"), "object Button1: TButton\n" + props("    Width = 75\n    Height = 25\n",
                                                                      "    Caption = 'Button1'\n    TabOrder = 1\n"));
    EXPECT_EQ(block("CheckBox1"), "object CheckBox1: TCheckBox\n" +
                                      props("    Width = 97\n    Height = 17\n",
                                            "    Caption = 'CheckBox1'\n    TabOrder = 2\n"));
    EXPECT_EQ(block("RadioButton1"), "object RadioButton1: TRadioButton\n" +
                                         props("    Width = 113\n    Height = 17\n",
                                               "    Caption = 'RadioButton1'\n    TabOrder = 3\n"));
    EXPECT_EQ(block("ListBox1"), "object ListBox1: TListBox\n" +
                                     props("    Width = 121\n    Height = 97\n",
                                           "    ItemHeight = 13\n    TabOrder = 4\n"));
    EXPECT_EQ(block("CheckListBox1"), "object CheckListBox1: TCheckListBox\n" +
                                          props("    Width = 121\n    Height = 97\n",
                                                "    ItemHeight = 13\n    TabOrder = 5\n"));
    EXPECT_EQ(block("Panel1"), "object Panel1: TPanel\n" + props("    Width = 185\n    Height = 41\n",
                                                                   "    Caption = 'Panel1'\n    TabOrder = 6\n"));
    EXPECT_EQ(block("Bevel1"), "object Bevel1: TBevel\n" + props("    Width = 50\n    Height = 50\n", ""));
    EXPECT_EQ(block("SpeedButton1"), "object SpeedButton1: TSpeedButton\n" +
                                         props("    Width = 23\n    Height = 22\n", ""));
}
