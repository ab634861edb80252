// Controls driven as a user drives them, from scenarios in data files
// (scenarios.txt: buttons and check boxes; input.txt: what reaches a form;
// lists.txt: check list boxes): each case "FORM: STEPS" runs on a fresh copy
// of data/FORM.dfm and must give the log after "=>". The steps, separated
// by "; ":
//   input-script commands   positions as Form.Control X Y (move, click,
//                           down, up, key, type)
//   keydown Space, keyup Space   one half of a key stroke
//   focus NAME, front NAME, free NAME, add NAME TEXT (an item of a list)
//   set NAME.PROPERTY VALUE      a published property, by program
//   watch NAME              log its mouse events: "down NAME X,Y", "up
//                           NAME", "move NAME X,Y"
// and the queries, each logging its answer:
//   ? NAME...     each control's state (see State)
//   pressed? NAME whether it looks pushed in
//   under?        the control under the pointer, "-" for none
//   capture?      the control that captured the mouse
//   notes [NAME]  the enter and leave notifications that reached the form
//                 (or NAME, once watched) since the last "notes": "enter
//                 NAME", "-" for the form's own area
//   cursor?       "set-cursor" when a WM_SETCURSOR reached the form since the
//                 last query, else "messages" or "nothing"
// Every OnClick is logged as "click NAME STATE", OnClickCheck as
// "clickcheck NAME"; the log's lines are joined with "; ".
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "ControlsFixture.h"
#include "DataCases.h"
#include "ProgramFixture.h"
#include "framework/Buttons.h"
#include "framework/CheckLst.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/Streaming.h"
#include "framework/platform/headless/InputScript.h"

using namespace vcl;
using namespace vcltest;

namespace {

class Scenario : public ControlsTest, public ::testing::WithParamInterface<TDataCase> {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        RegisterExtControls();  // and the standard controls and buttons
        RegisterCheckListBox();
        ReadComponentFromText(Slurp(QV_TEST_DATA_DIR "/" + GetParam().Kind + ".dfm"), GetParam().Kind + ".dfm", form);
        for (int i = 0; i < form->ComponentCount(); ++i) {
            auto* c = static_cast<TControl*>(form->Components(i));
            c->OnClick = TNotifyEvent::Of(form, [this](TObject* s) { Log("click " + State(static_cast<TControl*>(s))); });
            if (auto* list = dynamic_cast<TCheckListBox*>(c))
                list->OnClickCheck = TNotifyEvent::Of(form, [this, c](TObject*) { Log("clickcheck " + c->Name()); });
        }
        Recorders[form] = std::make_unique<TMessageRecorder>(form);
    }
    void TearDown() override {
        Recorders.clear();
        ControlsTest::TearDown();
    }
    void Log(const std::string& Line) { Lines += (Lines.empty() ? "" : "; ") + Line; }
    std::string Name(TControl* c) const { return !c ? "-" : c->Name(); }
    TControl* Find(const std::string& Name) {
        auto* c = Name == form->Name() ? form : dynamic_cast<TControl*>(form->FindComponent(Name));
        EXPECT_NE(c, nullptr) << Name;
        return c;
    }
    // A check box unchecked, checked or grayed; a radio button checked or
    // unchecked; a speed button down or up; a list's selected and top items
    // and each item's mark ([ ], [x] or [-] grayed) and text.
    static std::string State(TControl* c) {
        const auto mark = [](TCheckBoxState s) { return s == cbGrayed ? "grayed" : s == cbChecked ? "checked" : "unchecked"; };
        std::string s = c->Name();
        if (auto* box = dynamic_cast<TCheckBox*>(c)) s += std::string(" ") + mark(box->State());
        if (auto* radio = dynamic_cast<TRadioButton*>(c)) s += radio->Checked() ? " checked" : " unchecked";
        if (auto* speed = dynamic_cast<TSpeedButton*>(c)) s += speed->Down() ? " down" : " up";
        if (auto* list = dynamic_cast<TCheckListBox*>(c)) {
            s += " index " + std::to_string(list->ItemIndex()) + " top " + std::to_string(list->TopIndex()) + ":";
            for (int i = 0; i < list->Items()->Count(); ++i)
                s += std::string(" [") + " x-"[list->GetState(i)] + "]" + list->Items()->Get(i);
        }
        return s;
    }
    static bool Pressed(TControl* c) {
        if (auto* box = dynamic_cast<TCustomCheckBox*>(c)) return box->Pressed();
        if (auto* speed = dynamic_cast<TSpeedButton*>(c)) return speed->Pressed();
        return static_cast<TButton*>(c)->Pressed();
    }
    void Watch(TControl* c) {
        Recorders[c] = std::make_unique<TMessageRecorder>(c);
        c->OnMouseDown = TMouseEvent::Of(form, [this, c](TObject*, TMouseButton, TShiftState, int32_t x, int32_t y) {
            Log("down " + c->Name() + " " + std::to_string(x) + "," + std::to_string(y));
        });
        c->OnMouseUp = TMouseEvent::Of(form, [this, c](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
            Log("up " + c->Name());
        });
        c->OnMouseMove = TMouseMoveEvent::Of(form, [this, c](TObject*, TShiftState, int32_t x, int32_t y) {
            Log("move " + c->Name() + " " + std::to_string(x) + "," + std::to_string(y));
        });
    }
    // What reached the form, or a watched control, since the last query.
    std::string Messages(TControl* c, bool Notes) {
        auto& messages = Recorders.at(c)->Messages;
        std::string notes, cursor = messages.empty() ? "nothing" : "messages";
        for (const TMessage& m : messages) {
            if (m.Msg == WM_SETCURSOR) cursor = "set-cursor";
            if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE)
                notes += std::string(notes.empty() ? " " : ", ") + (m.Msg == CM_MOUSEENTER ? "enter " : "leave ") +
                         Name(reinterpret_cast<TControl*>(m.LParam));
        }
        messages.clear();
        return Notes ? "notes" + (c == form ? std::string() : " " + c->Name()) + notes : cursor;
    }
    void Step(const std::string& Step) {
        std::istringstream words(Step);
        std::string verb, name, value;
        words >> verb >> name;
        std::getline(words >> std::ws, value);
        static const std::set<std::string> named = {"focus", "front", "free", "add", "watch", "pressed?", "notes"};
        TControl* c = named.contains(verb) && !name.empty() ? Find(name) : nullptr;
        if (verb == "focus") static_cast<TWinControl*>(c)->SetFocus();
        else if (verb == "front") c->BringToFront();
        else if (verb == "free") c->Free();
        else if (verb == "add") static_cast<TCheckListBox*>(c)->Items()->Add(value);
        else if (verb == "watch") Watch(c);
        else if (verb == "pressed?") Log(name + (Pressed(c) ? " pressed" : " not pressed"));
        else if (verb == "under?") Log("under " + Name(Application->MouseControl()));
        else if (verb == "capture?") Log("capture " + Name(GetCaptureControl()));
        else if (verb == "notes" || verb == "cursor?") Log(Messages(c ? c : form, verb == "notes"));
        else if (verb == "?")
            for (std::istringstream names(Step.substr(1)); names >> name;) Log(State(Find(name)));
        else if (verb == "keydown" || verb == "keyup") {
            TInputEvent e;
            e.Kind = verb == "keydown" ? TInputEvent::KeyDown : TInputEvent::KeyUp;
            e.Key = VK_SPACE;  // the only key the scenarios hold down
            Desktop()->Inject(e);
        } else if (verb == "set") {
            SetProperty(Find(name.substr(0, name.find('.'))), name.substr(name.find('.') + 1), value);
        } else {
            TInputScript script(Step, "scenario");
            while (script.Step(*Desktop())) Process();
        }
        // Queries see the state as it is, and so do they right after a Free.
        if (verb.back() != '?' && verb != "notes" && verb != "free") Process();
    }

    std::map<TControl*, std::unique_ptr<TMessageRecorder>> Recorders;
    std::string Lines;
};

TEST_P(Scenario, GivesItsLog) {
    const std::string& steps = GetParam().Input;
    for (size_t at = 0, end = 0; at < steps.size(); at = end + 2) {
        end = std::min(steps.find("; ", at), steps.size());
        Step(steps.substr(at, end - at));
    }
    EXPECT_EQ(Lines, GetParam().Expected) << GetParam().Where;
}

const auto kName = [](const auto& info) { return "Line" + info.param.Where.substr(info.param.Where.rfind(':') + 1); };
INSTANTIATE_TEST_SUITE_P(Buttons, Scenario, ::testing::ValuesIn(ReadCases(QV_TEST_DATA_DIR "/scenarios.txt")), kName);
INSTANTIATE_TEST_SUITE_P(Input, Scenario, ::testing::ValuesIn(ReadCases(QV_TEST_DATA_DIR "/input.txt")), kName);
INSTANTIATE_TEST_SUITE_P(Lists, Scenario, ::testing::ValuesIn(ReadCases(QV_TEST_DATA_DIR "/lists.txt")), kName);

}  // namespace
