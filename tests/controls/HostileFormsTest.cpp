// Form files with values at the edges of their types, as the component
// reader's fuzzer makes them: the controls keep sane values instead of
// overflowing their arithmetic.
#include <gtest/gtest.h>

#include <climits>

#include "ControlsFixture.h"
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

TEST_F(HostileForms, ExtremeBoundsDoNotOverflowScreenPositions) {
    TForm* f = Read(
        "object F: TForm\n  Left = 2147483647\n  Top = -2147483648\n  Width = 2147483647\n"
        "  object P: TPanel\n    Left = 2147483647\n    Top = 2147483647\n    Width = -2147483648\n"
        "    object B: TLabel\n      Left = 2147483647\n      Top = -2147483648\n      Height = 2147483647\n"
        "      AutoSize = False\n    end\n  end\nend\n");
    EXPECT_EQ(f->Left(), kMaxCoord);
    EXPECT_EQ(f->Top(), -kMaxCoord);
    EXPECT_EQ(f->Width(), kMaxCoord);
    auto* p = static_cast<TControl*>(f->FindComponent("P"));
    auto* b = static_cast<TControl*>(f->FindComponent("B"));
    EXPECT_EQ(p->Width(), 0);
    EXPECT_EQ(b->Height(), kMaxCoord);
    const TPoint fo = f->ClientOrigin(), po = p->ClientOrigin();
    EXPECT_EQ(po.x, fo.x + kMaxCoord);
    EXPECT_EQ(b->ClientOrigin().x, po.x + kMaxCoord);
    EXPECT_EQ(b->ClientOrigin().y, po.y - kMaxCoord);
}

TEST_F(HostileForms, ExtremeClientSizeDoesNotOverflowTheFrame) {
    TForm* f = Read("object F: TForm\n  ClientWidth = 2147483647\n  ClientHeight = -2147483648\nend\n");
    EXPECT_EQ(f->Width(), kMaxCoord);
    EXPECT_EQ(f->Height(), 0);
    // Controls other than forms take a client size from programs only.
    auto* p = new TPanel(f);
    p->SetBorderStyle(bsSingle);
    p->SetClientWidth(INT_MAX);
    p->SetClientHeight(INT_MIN);
    EXPECT_EQ(p->Width(), kMaxCoord);
    EXPECT_EQ(p->Height(), 0);
}

TEST_F(HostileForms, ExtremePanelBordersDoNotOverflowTheClientRect) {
    TForm* f = Read(
        "object F: TForm\n  object P: TPanel\n    BorderWidth = 2147483647\n"
        "    BevelWidth = 2147483647\n    BevelInner = bvRaised\n"
        "    object C: TPanel\n      Align = alClient\n    end\n  end\nend\n");
    static_cast<TControl*>(f->FindComponent("P"))->SetWidth(300);  // a resize lays the panel out
    auto* c = static_cast<TControl*>(f->FindComponent("C"));
    EXPECT_EQ(c->Width(), 0);
    EXPECT_EQ(c->Height(), 0);
    EXPECT_EQ(c->Left(), kMaxCoord);  // past the right edge: nothing of it shows
}

TEST_F(HostileForms, ExtremeFontSizesKeepTheirSign) {
    TForm* f = Read(
        "object F: TForm\n  object A: TLabel\n    Font.Height = -2147483648\n  end\n"
        "  object B: TLabel\n    Font.Size = 2147483647\n  end\nend\n");
    auto* a = static_cast<TControl*>(f->FindComponent("A"));
    auto* b = static_cast<TControl*>(f->FindComponent("B"));
    EXPECT_EQ(a->Font()->Size(), 1610612736);
    EXPECT_EQ(b->Font()->Height(), INT_MIN);  // as tall as a character can be, not wrapped round
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
