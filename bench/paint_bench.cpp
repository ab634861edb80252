// Frame time: a whole demo-sized form (a 437 x 266 client area, 40
// controls: labels, edits, buttons, check boxes, radio buttons, bevels and
// panels) drawn again from scratch on the headless desktop.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/platform/headless/HeadlessPlatform.h"

namespace {

using namespace vcl;

template <class T>
T* Make(TWinControl* parent, int32_t l, int32_t t, int32_t w, int32_t h, const char* caption = nullptr) {
    auto* c = new T(parent->GetParentForm());
    c->SetBounds(l, t, w, h);
    if (caption) c->SetCaption(caption);
    c->SetParent(parent);
    return c;
}

void SetFont(TControl* c, int32_t height, TColor colour, TFontStyles style = {}) {
    c->Font()->SetName("Tahoma");
    c->Font()->SetHeight(height);
    c->Font()->SetColor(colour);
    c->Font()->SetStyle(style);
}

TForm* BuildDemoForm() {
    auto* f = new TForm(Application);
    f->SetBorderStyle(bsSingle);
    f->SetBounds(201, 101, f->Width(), f->Height());
    f->SetClientWidth(437);
    f->SetClientHeight(266);
    f->SetColor(clBlack);
    SetFont(f, -11, clWindowText);
    const TColor dark = static_cast<TColor>(0x414141);
    for (int i = 0; i < 5; ++i) Make<TBevel>(f, 2 + 72 * i, 26, 70, 100);
    SetFont(Make<TLabel>(f, 202, 182, 210, 19, "Orbelline Technologies"), -16, clAqua, TFontStyles{fsBold});
    const char* labels[] = {"New...", "Open", "Save", "Close"};
    for (int i = 0; i < 4; ++i) {
        auto* l = Make<TLabel>(f, 8, 32 + 21 * i, 38, 14, labels[i]);
        SetFont(l, -12, clAqua, TFontStyles{fsBold});
        l->SetTransparent(true);
    }
    SetFont(Make<TLabel>(f, 228, 132, 130, 13, "Controls additioned: 00"), -11, clWhite, TFontStyles{fsBold});
    const char* heads[] = {"Labels", "Edits", "Buttons", "CheckBoxs", "RdButtons"};
    auto action = [&](int32_t l, int32_t t, const char* caption) {
        auto* p = Make<TPanel>(f, l, t, 70, 21, caption);
        p->SetBevelOuter(bvNone);
        p->SetColor(dark);
        SetFont(p, -11, clWhite, TFontStyles{fsBold});
    };
    for (int i = 0; i < 5; ++i) action(2 + 72 * i, 2, heads[i]);
    action(364, 26, "About");
    action(364, 54, "Add");
    action(364, 105, "Exit");
    action(364, 78, "Remove");
    for (int i = 0; i < 3; ++i) {
        std::string n = std::to_string(i + 1);
        auto* e = Make<TEdit>(f, 78, 32 + 26 * i, 61, 21);
        e->SetText("Edit" + n);
        e->SetColor(clGray);
        SetFont(e, -11, clWhite);
        Make<TButton>(f, 150, 32 + 29 * i, 62, 25, ("Button" + n).c_str());
    }
    for (int i = 0; i < 4; ++i) {
        std::string n = std::to_string(i + 1);
        auto* c = Make<TCheckBox>(f, 222, 34 + 21 * i, 62, 17, ("ChkBox" + n).c_str());
        c->SetColor(clBlack);
        SetFont(c, -11, clSilver);
        SetFont(Make<TRadioButton>(f, 294, 34 + 21 * i, 62, 17, ("RdBtn" + n).c_str()), -11, clAqua);
    }
    const char* grey[] = {"  Testing", "  the", "  Bounding"};
    for (int i = 0; i < 3; ++i) {
        auto* p = Make<TPanel>(f, 10 + 40 * i, 150 + 21 * i, 80, 40, grey[i]);
        p->SetAlignment(taLeftJustify);
        p->SetBevelOuter(bvNone);
        p->SetColor(clGray);
    }
    SetFont(Make<TCheckBox>(f, 12, 130, 97, 17, "Bounding"), -11, clWhite, TFontStyles{fsBold});
    auto* message = Make<TPanel>(f, 0, 243, 437, 23, "  TQVTrackMouse don't track the mouse over child components...");
    message->SetAlign(alBottom);
    message->SetAlignment(taLeftJustify);
    message->SetBevelOuter(bvNone);
    message->SetColor(clGray);
    SetFont(message, -11, clWhite);
    auto* child = Make<TPanel>(message, 322, 3, 107, 17, "...not yet !");
    child->SetBevelOuter(bvNone);
    SetFont(child, -11, clBlack);
    return f;
}

int CountControls(const TWinControl* parent) {
    int n = 0;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        ++n;
        if (auto* w = dynamic_cast<const TWinControl*>(parent->Controls(i))) n += CountControls(w);
    }
    return n;
}

void BM_FullFormPaint(benchmark::State& state) {
    ResetApplication();
    SetPlatform(std::make_unique<THeadlessPlatform>());
    TForm* form = BuildDemoForm();
    form->Show();
    Application->ProcessMessages();  // the first paint opens the faces
    for (auto _ : state) {
        form->Invalidate();
        form->PaintNow();
        benchmark::DoNotOptimize(form->Surface().Pixels.data());
    }
    state.counters["controls"] = CountControls(form);
    ResetApplication();
    SetPlatform(nullptr);
}
BENCHMARK(BM_FullFormPaint)->Unit(benchmark::kMillisecond);

}  // namespace
