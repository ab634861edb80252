// The Associate editor and its dialog, driven as a form author would: the
// ellipsis button (Edit), then mouse clicks, Space and the close box in the
// dialog on the headless desktop; and what Register leaves in the palette
// and editor registries.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ControlsFixture.h"
#include "design/QVTrackMouseDesign.h"
#include "framework/Packages.h"
#include "framework/StdCtrls.h"

using namespace vcl;

namespace {

class TDesignerLog : public IDesigner {
public:
    void Modified() override { ++Count; }
    int Count = 0;
};

class AssociateEditor : public vcltest::DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        form = MakeForm(50, 50, 300, 200);
        form->SetName("FormDemo");
        form->SetDesigning(true);
        tracker = new TQVTrackMouse(form);
        tracker->SetName("QVTrack");
        Desktop()->OnIdleInput = [this] {
            auto* dialog = Dialog();
            if (!dialog) return false;
            if (steps.empty()) {
                Desktop()->CloseBox(dialog);
            } else {
                auto step = std::move(steps.front());
                steps.pop_front();
                step(dialog);
            }
            return true;
        };
    }
    void TearDown() override {
        Desktop()->OnIdleInput = nullptr;
        DesktopTest::TearDown();
    }
    template <class T>
    T* Add(const char* Name) {
        auto* c = new T(form);
        c->SetName(Name);
        if (auto* control = dynamic_cast<TControl*>(static_cast<TComponent*>(c))) control->SetParent(form);
        return c;
    }
    void Associate(std::initializer_list<TControl*> Controls) {
        for (TControl* c : Controls) static_cast<TQVControlItem*>(tracker->Associate()->Add())->TheControl = c;
    }
    static TQVControlsListForm* Dialog() {
        auto z = Platform()->WindowsInZOrder();
        return z.empty() ? nullptr : dynamic_cast<TQVControlsListForm*>(z.back());
    }
    // Runs the editor as the designer does when the ellipsis is pressed.
    void Edit() {
        TQVControlsListProperty editor;
        editor.Initialize(&designer, {tracker}, TQVTrackMouse::StaticClass()->FindProperty("Associate"));
        editor.Edit();
    }
    // What the dialog showed, read while it is up.
    void Look() {
        steps.push_back([this](TQVControlsListForm* d) {
            caption = d->Caption();
            entries.clear();
            for (int i = 0; i < d->chklstControls->Items()->Count(); ++i)
                entries.push_back((d->chklstControls->GetChecked(i) ? "[x] " : "[ ] ") +
                                  d->chklstControls->Items()->Get(i));
            button = d->spdbtnSelectAll->Caption();
            Desktop()->MoveTo(TPoint{1000, 700});
        });
    }
    void ClickEntry(const std::string& Text) {
        steps.push_back([this, Text](TQVControlsListForm* d) {
            TCheckListBox* list = d->chklstControls;
            const TRect r = list->ItemRect(list->Items()->IndexOf(Text));
            Desktop()->Click(list->ClientToScreen(TPoint{r.Left + 6, r.Top + r.Height() / 2}));
        });
    }
    void ClickButton() {
        steps.push_back([this](TQVControlsListForm* d) {
            Desktop()->Click(d->spdbtnSelectAll->ClientToScreen(TPoint{20, 12}));
        });
    }
    std::vector<std::string> Items() const {
        std::vector<std::string> names;
        for (int i = 0; i < tracker->Associate()->Count(); ++i) {
            TQVControlItem* item = tracker->Associate()->GetItem(i);
            names.push_back(item->TheControl ? item->TheControl->Name() + "/" + item->FControlName : "(none)");
        }
        return names;
    }

    TForm* form = nullptr;
    TQVTrackMouse* tracker = nullptr;
    TDesignerLog designer;
    std::deque<std::function<void(TQVControlsListForm*)>> steps;
    std::string caption, button;
    std::vector<std::string> entries;
};

TEST_F(AssociateEditor, ListsEveryControlSortedAndTheOwnerLastChecksByNameAndRewritesInListingOrder) {
    auto* edit = Add<TEdit>("Edit1");
    auto* button1 = Add<TButton>("Button1");
    Add<TCheckListBox>("Alpha");  // a control through several ancestors
    auto* label = Add<TLabel>("Label1");
    // Not controls: never listed.
    Add<TQVTrackMouse>("Other");
    // A control of another form with a listed control's name marks it; a
    // stale item and a duplicate go at the rewrite.
    TForm* elsewhere = MakeForm(400, 50, 100, 100);
    auto* namesake = new TButton(elsewhere);
    namesake->SetName("Label1");
    Associate({label, namesake, button1, nullptr, button1});
    Look();
    Edit();
    EXPECT_EQ(caption, "FormDemo's controls");
    EXPECT_EQ(button, "Select All");
    EXPECT_EQ(entries, (std::vector<std::string>{"[ ] Alpha: TCheckListBox", "[x] Button1: TButton",
                                                 "[ ] Edit1: TEdit", "[ ] FormDemo: TForm", "[x] Label1: TLabel"}));
    EXPECT_EQ(designer.Count, 0) << "closed untouched: no change reported";
    EXPECT_EQ(Items(), (std::vector<std::string>{"Button1/Button1", "Label1/Label1"}))
        << "listing order, each once, the stale item gone";
    EXPECT_EQ(Dialog(), nullptr);
    (void)edit;
}

TEST_F(AssociateEditor, AnOwnerWithoutControlsListsItselfAloneAndAltF4ClosesTheDialog) {
    Look();
    steps.push_back([this](TQVControlsListForm*) { Desktop()->Key(VK_F4, 2 /* Alt */); });
    steps.push_back([this](TQVControlsListForm* d) {
        ADD_FAILURE() << "Alt+F4 left the dialog open";
        Desktop()->CloseBox(d);
    });
    Edit();
    EXPECT_EQ(entries, (std::vector<std::string>{"[ ] FormDemo: TForm"}));
    EXPECT_TRUE(Items().empty());
}

TEST_F(AssociateEditor, ATickByMouseOrSpaceIsAChangeEvenWhenUndone) {
    Add<TButton>("Button1");
    Add<TEdit>("Edit1");
    ClickEntry("Edit1: TEdit");
    ClickEntry("Edit1: TEdit");
    Edit();
    EXPECT_EQ(designer.Count, 1);
    EXPECT_TRUE(Items().empty());

    // Space on the selected entry ticks it; the owner can be ticked too.
    ClickEntry("FormDemo: TForm");
    steps.push_back([this](TQVControlsListForm*) { Desktop()->Key(VK_SPACE); });
    steps.push_back([this](TQVControlsListForm*) { Desktop()->Key(VK_SPACE); });
    Edit();
    EXPECT_EQ(designer.Count, 2);
    EXPECT_EQ(Items(), (std::vector<std::string>{"FormDemo/FormDemo"}));
}

TEST_F(AssociateEditor, SelectAllTicksEverythingAndASecondClickClearsEverything) {
    auto* b = Add<TButton>("Button1");
    Add<TEdit>("Edit1");
    Associate({b});
    ClickButton();
    Look();
    Edit();
    EXPECT_EQ(button, "Deselect All");
    EXPECT_EQ(entries, (std::vector<std::string>{"[x] Button1: TButton", "[x] Edit1: TEdit", "[x] FormDemo: TForm"}));
    EXPECT_EQ(designer.Count, 1);
    EXPECT_EQ(Items(), (std::vector<std::string>{"Button1/Button1", "Edit1/Edit1", "FormDemo/FormDemo"}));

    ClickButton();  // everything is ticked already: still a change
    Edit();
    EXPECT_EQ(designer.Count, 2);
    ClickButton();
    ClickButton();
    Look();
    Edit();
    EXPECT_EQ(button, "Select All");
    EXPECT_EQ(entries, (std::vector<std::string>{"[ ] Button1: TButton", "[ ] Edit1: TEdit", "[ ] FormDemo: TForm"}));
    EXPECT_EQ(designer.Count, 3);
    EXPECT_TRUE(Items().empty());
}

TEST_F(AssociateEditor, ControlsFreedWhileTheDialogIsUpAreLeftOutAndATrackerFreedLeavesItsListAlone) {
    auto* doomed = Add<TButton>("Button1");
    Add<TEdit>("Edit1");
    ClickButton();
    steps.push_back([&](TQVControlsListForm*) {
        doomed->Free();
        Desktop()->MoveTo(TPoint{1, 1});
    });
    Edit();
    EXPECT_EQ(Items(), (std::vector<std::string>{"Edit1/Edit1", "FormDemo/FormDemo"}));

    ClickButton();
    steps.push_back([&](TQVControlsListForm*) {
        tracker->Free();
        tracker = nullptr;
        Desktop()->MoveTo(TPoint{2, 2});
    });
    Edit();  // must not touch the freed tracker's collection
}

// Editors that only differ by class, for the choice of editor.
#define TEST_EDITOR(Name)                                  \
    class Name : public TPropertyEditor {                  \
        VCL_CLASS(Name, TPropertyEditor)                   \
        Name() = default;                                  \
    };                                                     \
    VCL_IMPLEMENT_CLASS(Name)                              \
    void Name::DescribeClass(ClassBuilder<Name>&) {}
TEST_EDITOR(TAnyFontEditor)
TEST_EDITOR(TControlFontEditor)
TEST_EDITOR(TPanelFontEditor)
TEST_EDITOR(TLaterPanelFontEditor)
TEST_EDITOR(TNamedEditor)
TEST_EDITOR(TPersistentEditor)

TEST(PropertyEditorChoice, TheMostSpecificRegistrationServesAndTheLaterAmongEquals) {
    const TPropInfo* panelFont = TPanel::StaticClass()->FindProperty("Font");
    const TPropInfo* labelFont = TLabel::StaticClass()->FindProperty("Font");
    auto editorFor = [](const TMetaClass* c, const TPropInfo* p) {
        const TMetaClass* e = FindPropertyEditor(c, p);
        return e ? e->ClassName() : std::string("none");
    };
    const TTypeInfo* font = TypeInfoOf<TFont*>();
    RegisterPropertyEditor(TypeInfoOf<TPersistent*>(), nullptr, "", TPersistentEditor::StaticClass());
    EXPECT_EQ(editorFor(TPanel::StaticClass(), panelFont), "TPersistentEditor") << "an ancestor property class";
    RegisterPropertyEditor(font, nullptr, "", TAnyFontEditor::StaticClass());
    EXPECT_EQ(editorFor(TPanel::StaticClass(), panelFont), "TAnyFontEditor") << "the exact class over an ancestor";
    RegisterPropertyEditor(font, TControl::StaticClass(), "", TControlFontEditor::StaticClass());
    RegisterPropertyEditor(font, TPanel::StaticClass(), "", TPanelFontEditor::StaticClass());
    RegisterPropertyEditor(font, TControl::StaticClass(), "HintFont", TNamedEditor::StaticClass());
    EXPECT_EQ(editorFor(TPanel::StaticClass(), panelFont), "TPanelFontEditor") << "the nearest component class";
    EXPECT_EQ(editorFor(TLabel::StaticClass(), labelFont), "TControlFontEditor");
    EXPECT_EQ(editorFor(TComponent::StaticClass(), panelFont), "TAnyFontEditor") << "a class registration elsewhere";
    RegisterPropertyEditor(font, TPanel::StaticClass(), "", TLaterPanelFontEditor::StaticClass());
    EXPECT_EQ(editorFor(TPanel::StaticClass(), panelFont), "TLaterPanelFontEditor") << "later over earlier";
    RegisterPropertyEditor(font, nullptr, "font", TNamedEditor::StaticClass());
    EXPECT_EQ(editorFor(TPanel::StaticClass(), panelFont), "TNamedEditor") << "a name over any class";
    EXPECT_EQ(editorFor(TPanel::StaticClass(), TPanel::StaticClass()->FindProperty("Caption")), "none");
}

TEST(QVComponentsRegister, PutsOneComponentOnItsPageAndBindsOneEditorToAssociateOnly) {
    const size_t editorsBefore = PropertyEditors().size();
    Register();
    auto pages = PalettePages();
    auto page = std::find_if(pages.begin(), pages.end(), [](const TPalettePage& p) { return p.Name == "QVComponents"; });
    ASSERT_NE(page, pages.end());
    EXPECT_EQ(page->Classes, (std::vector<const TMetaClass*>{TQVTrackMouse::StaticClass()}));
    ASSERT_EQ(PropertyEditors().size(), editorsBefore + 1);
    const TPropInfo* associate = TQVTrackMouse::StaticClass()->FindProperty("Associate");
    EXPECT_EQ(FindPropertyEditor(TQVTrackMouse::StaticClass(), associate), TQVControlsListProperty::StaticClass());
    EXPECT_EQ(FindPropertyEditor(TQVTrackMouse::StaticClass(), TQVTrackMouse::StaticClass()->FindProperty("Bounding")),
              nullptr);
    TQVControlsListProperty editor;
    EXPECT_EQ(editor.GetAttributes(), TPropertyAttributes{paDialog});
    EXPECT_EQ(editor.GetAttributes().Bits(), 4u);
    EXPECT_EQ(GetClass("TQVTrackMouse"), TQVTrackMouse::StaticClass()) << "registered for form files";
}

}  // namespace
