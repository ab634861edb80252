// Form files with values at the edges of their types, as the component
// reader's fuzzer makes them: the controls keep sane values instead of
// overflowing their arithmetic (the forms and what they become:
// data/hostile.txt).
#include <gtest/gtest.h>

#include <climits>

#include "ControlsFixture.h"
#include "DataCases.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/Streaming.h"

using namespace vcl;
using namespace vcltest;

namespace {

class HostileForms : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        RegisterFormClasses();
        RegisterStdControls();
        RegisterExtControls();
    }
    TForm* Read(const std::string& text) {
        auto* form = new TForm(Application);
        ReadComponentFromText(text, "hostile.dfm", form);
        return form;
    }
};

}  // namespace

TEST_F(HostileForms, ExtremeValuesOfTheDataFileStaySane) {
    for (const TDataCase& c : ReadCases(QV_TEST_DATA_DIR "/hostile.txt")) {
        TForm* f = Read(c.Input);
        std::string state;
        for (int i = -1; i < f->ComponentCount(); ++i) {
            auto* k = static_cast<TControl*>(i < 0 ? f : f->Components(i));
            const TPoint o = k->ClientOrigin();
            state += (i < 0 ? "" : " | ") + k->Name() + " " + std::to_string(k->Left()) + "," + std::to_string(k->Top()) +
                     " " + std::to_string(k->Width()) + "x" + std::to_string(k->Height()) + " at " +
                     std::to_string(o.x) + "," + std::to_string(o.y) + " font " + std::to_string(k->Font()->Height()) +
                     "/" + std::to_string(k->Font()->Size());
        }
        EXPECT_EQ(state, c.Expected) << c.Where;
        f->Free();
    }
}

TEST_F(HostileForms, ExtremeClientSizeByProgramDoesNotOverflowThePanel) {
    // Controls other than forms take a client size from programs only.
    auto* p = new TPanel(Application);
    p->SetBorderStyle(bsSingle);
    p->SetClientWidth(INT_MAX);
    p->SetClientHeight(INT_MIN);
    EXPECT_EQ(p->Width(), kMaxCoord);
    EXPECT_EQ(p->Height(), 0);
}

TEST_F(HostileForms, FormPlacedOnAFormIsWrittenOnceAndReadsBack) {
    TForm* f = Read(
        "object F: TForm\n  object G: TForm\n    Caption = 'inner'\n    object B: TButton\n    end\n  end\nend\n");
    const std::string text = WriteComponentToText(f);
    EXPECT_EQ(text.find("object G"), text.rfind("object G")) << text;
    auto* again = new TForm(Application);
    ASSERT_NO_THROW(ReadComponentFromText(text, "again.dfm", again)) << text;
    auto* g = static_cast<TControl*>(again->FindComponent("G"));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Parent(), again);
    EXPECT_EQ(again->FindComponent("B")->GetParentComponent(), g);
}

TEST_F(HostileForms, StringListThatFailsToReadStillReportsChanges) {
    auto* form = new TForm(Application);
    EXPECT_THROW(ReadComponentFromText("object F: TForm\n  object L: TListBox\n    Items.Strings = (\n      'a'\n"
                                       "      1)\n  end\nend\n",
                                       "broken.dfm", form),
                 EReadError);
    auto* list = static_cast<TListBox*>(form->FindComponent("L"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Items()->UpdateCount(), 0);
}
