// Modal loops: a message box inside a modal form inside the main loop, and
// what message boxes return for each way of answering them.
#include "ControlsFixture.h"
#include "framework/Canvas.h"
#include "framework/Log.h"
#include "framework/StdCtrls.h"
#include "framework/Windows.h"

using namespace vcl;
using namespace vcltest;

namespace {

class Modal : public DesktopTest {
protected:
    // The form shown topmost now (a message box when one is up).
    TCustomForm* Top() const {
        auto z = Platform()->WindowsInZOrder();
        return z.empty() ? nullptr : z.back();
    }
    TButton* ButtonOf(TCustomForm* f, const std::string& caption) {
        for (int i = 0; i < f->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TButton*>(f->Controls(i)); b && b->Caption() == caption) return b;
        return nullptr;
    }
    int Box(uint32_t style, std::vector<std::function<void()>> answer, const std::string& text = "Proceed?") {
        WhenIdle(std::move(answer));
        return MessageBoxA(nullptr, text.c_str(), "Title", style);
    }
};

}  // namespace

TEST_F(Modal, MessageBoxInsideAModalFormReturnsToEachLoopInTurn) {
    TForm* main = MakeForm(50, 50, 300, 200);
    main->Show();
    TForm* dialog = MakeForm(100, 100, 200, 100);
    auto* ask = Make<TButton>(dialog, 10, 10, 75, 25);
    int answer = -1;
    std::vector<std::string> trace;
    ask->OnClick = TNotifyEvent::Of(dialog, [&](TObject*) {
        trace.push_back("ask");
        answer = MessageBoxA(nullptr, "Sure?", "Asking", MB_YESNO | MB_ICONQUESTION);
        trace.push_back("answered");
    });
    TLogCapture logged;
    std::vector<std::string> seen;
    WhenIdle({
        [&] { Desktop()->Click(ScreenOf(ask, 5, 5)); },  // opens the box
        [&] {
            seen.push_back(Top()->Caption());
            // The modal form under the box takes no input now.
            Desktop()->Click(ScreenOf(ask, 5, 5));
            Desktop()->Click(ButtonOf(Top(), "&No")->ClientToScreen(TPoint{5, 5}));
        },
        [&] {
            seen.push_back(Top()->Caption());
            Desktop()->CloseBox(dialog);
        },
    });
    int result = dialog->ShowModal();
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(trace, (std::vector<std::string>{"ask", "answered"}));  // asked once only
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "Asking");
    EXPECT_EQ(seen[1], dialog->Caption());
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(main->Visible());
    EXPECT_NE(logged.Text().find("messagebox title=\"Asking\" text=\"Sure?\" style=0x24"), std::string::npos)
        << logged.Text();
}

TEST_F(Modal, MessageBoxAnswersFollowTheStyle) {
    EXPECT_EQ(Box(MB_OK, {[&] { Desktop()->Key(VK_RETURN); }}), IDOK);
    EXPECT_EQ(Box(MB_OK, {[&] { Desktop()->Key(VK_ESCAPE); }}), IDOK);  // Escape acts as OK
    EXPECT_EQ(Box(MB_OK | MB_ICONERROR, {[&] { Desktop()->CloseBox(Top()); }}), IDOK);
    EXPECT_EQ(Box(MB_OKCANCEL, {[&] { Desktop()->Key(VK_ESCAPE); }}), IDCANCEL);
    EXPECT_EQ(Box(MB_OKCANCEL | MB_DEFBUTTON2, {[&] { Desktop()->Key(VK_RETURN); }}), IDCANCEL);
    EXPECT_EQ(Box(MB_YESNOCANCEL, {[&] { Desktop()->CloseBox(Top()); }}), IDCANCEL);
    EXPECT_EQ(Box(MB_RETRYCANCEL, {[&] { Desktop()->Key(VK_RETURN); }}), IDRETRY);
    EXPECT_EQ(Box(MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {[&] { Desktop()->Key(VK_RETURN); }}), IDIGNORE);
    // A Yes/No box cannot be dismissed: Escape and the close box do nothing.
    EXPECT_EQ(Box(MB_YESNO,
                  {[&] {
                       Desktop()->Key(VK_ESCAPE);
                       Desktop()->CloseBox(Top());
                   },
                   [&] { Desktop()->Click(ButtonOf(Top(), "&Yes")->ClientToScreen(TPoint{3, 3})); }}),
              IDYES);
    // Tab moves the focus; Return takes the focused button.
    EXPECT_EQ(Box(MB_YESNO, {[&] {
                  Desktop()->Key(VK_TAB);
                  Desktop()->Key(VK_RETURN);
              }}),
              IDNO);
}

TEST_F(Modal, MessageBoxFitsItsTextAsDrawnWithEvenMarginsAndCentredButtons) {
    const std::pair<std::string, std::vector<std::string>> texts[] = {
        {"The control \"pnlPanels\" haven't been additioned.", {"The control \"pnlPanels\" haven't been additioned."}},
        {"Two lines:\nthe second one, & longer", {"Two lines:", "the second one, & longer"}},
    };
    for (const auto& [text, lines] : texts) {
        TRect label, client, first, last, icon;
        int32_t widest = 0, lineHeight = 0;
        Box(MB_OKCANCEL | MB_ICONWARNING, {[&] {
                TCustomForm* box = Top();
                client = box->GetClientRect();
                TBitmapData none;
                TCanvas canvas(none);
                canvas.Font()->Assign(box->Font());
                for (const std::string& l : lines) widest = std::max(widest, canvas.TextWidth(l));
                lineHeight = canvas.TextHeight("");
                for (int i = 0; i < box->ControlCount(); ++i) {
                    TControl* c = box->Controls(i);
                    if (dynamic_cast<TLabel*>(c)) label = c->BoundsRect();
                    else if (!dynamic_cast<TButton*>(c)) icon = c->BoundsRect();
                }
                first = ButtonOf(box, "OK")->BoundsRect();
                last = ButtonOf(box, "Cancel")->BoundsRect();
                Desktop()->Key(VK_RETURN);
            }},
            text);
        SCOPED_TRACE(text);
        EXPECT_EQ(label.Width(), widest);  // neither cut nor padded
        EXPECT_EQ(label.Height(), lineHeight * static_cast<int32_t>(lines.size()));
        EXPECT_EQ(client.Right - label.Right, icon.Left);  // the same margin either side
        EXPECT_GE(label.Left, icon.Right);
        EXPECT_LE(std::abs((first.Left - client.Left) - (client.Right - last.Right)), 1);
        EXPECT_GE(first.Top, std::max(label.Bottom, icon.Bottom));
    }
}

TEST_F(Modal, MessageBoxFailsWithZeroWhenItCannotBeShownOrAnswered) {
    EXPECT_EQ(MessageBoxA(nullptr, "x", "y", 0x7), 0);  // no such button set
    WhenIdle({});
    EXPECT_EQ(MessageBoxA(nullptr, "x", "y", MB_OK), 0);  // the session ended under it
    EXPECT_TRUE(Platform()->WindowsInZOrder().empty());   // and it is gone
}

TEST_F(Modal, ClosingAModalFormSetsItsResultAndKeepsItAlive) {
    TForm* dialog = MakeForm(100, 100, 200, 100);
    auto* ok = Make<TButton>(dialog, 10, 10, 75, 25);
    ok->SetModalResult(mrOk);
    WhenIdle({[&] { Desktop()->Click(ScreenOf(ok, 5, 5)); }});
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(dialog->Visible());
    WhenIdle({[&] { Desktop()->CloseBox(dialog); }});
    EXPECT_EQ(dialog->ShowModal(), mrCancel);  // shown again, closed by its box
    EXPECT_THROW(
        {
            dialog->Show();
            dialog->ShowModal();
        },
        EInvalidOperation);
}
