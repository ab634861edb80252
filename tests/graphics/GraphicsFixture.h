// A fresh application on a headless desktop for each drawing test, and
// ways to read back what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/platform/headless/HeadlessPlatform.h"

namespace vcltest {

using namespace vcl;

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000, kFace = 0xC0C0C0, kShadow = 0x808080, kLight = 0xDFDFDF;
constexpr uint32_t kNavy = 0x000080, kRed = 0xFF0000, kTeal = 0x008080;

class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetApplication();
        auto desktop = std::make_unique<THeadlessPlatform>();
        FDesktop = desktop.get();
        SetPlatform(std::move(desktop));
    }
    void TearDown() override {
        ResetApplication();
        SetPlatform(nullptr);
    }

    THeadlessPlatform* Desktop() const { return FDesktop; }
    void Process() { Application->ProcessMessages(); }

    // A shown form with a single border at (Left, Top), painted.
    TForm* ShowForm(int32_t left, int32_t top, int32_t clientWidth, int32_t clientHeight, TColor color = clBtnFace) {
        auto* f = new TForm(Application);
        f->SetBorderStyle(bsSingle);
        f->SetBounds(left, top, f->Width(), f->Height());
        f->SetClientWidth(clientWidth);
        f->SetClientHeight(clientHeight);
        f->SetColor(color);
        f->Show();
        Process();
        return f;
    }
    template <class T>
    T* Add(TWinControl* parent, int32_t l, int32_t t, int32_t w, int32_t h) {
        auto* c = new T(parent->GetParentForm());
        c->SetBounds(l, t, w, h);
        c->SetParent(parent);
        return c;
    }

    // A pixel of a control, in the control's own coordinates (its bounds'
    // top-left is 0, 0), read from its form's surface.
    static uint32_t At(const TControl* c, int32_t x, int32_t y) {
        TCustomForm* f = c->GetParentForm();
        TPoint p = c == f ? TPoint{x, y} : FormPoint(c, x, y);
        return f->Surface().Pixel(p.x, p.y);
    }
    // A control's point in its form's client coordinates.
    static TPoint FormPoint(const TControl* c, int32_t x, int32_t y) {
        TPoint s = c->Parent()->ClientToScreen(TPoint{c->Left() + x, c->Top() + y});
        return c->GetParentForm()->ScreenToClient(s);
    }
    // Pixels of colour RGB within a control's rectangle R (its coordinates).
    static int Count(const TControl* c, TRect r, uint32_t rgb) {
        int n = 0;
        for (int32_t y = r.Top; y < r.Bottom; ++y)
            for (int32_t x = r.Left; x < r.Right; ++x) n += At(c, x, y) == rgb;
        return n;
    }

private:
    THeadlessPlatform* FDesktop = nullptr;
};

}  // namespace vcltest
