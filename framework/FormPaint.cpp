// Painting a form: what was invalidated is drawn again on the form's client
// surface, each area's parent background first, then the controls over it.
#include "framework/Forms.h"

#include <algorithm>
#include <vector>

#include "framework/ClassicLook.h"
#include "framework/Windows.h"

namespace vcl {

void TCustomForm::Paint(TCanvas& Canvas) const {
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(GetClientRect());
}

namespace {

TRect Intersect(TRect a, TRect b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    return r.Empty() ? TRect{} : r;
}

TRect Offset(TRect r, TPoint by) { return TRect{r.Left + by.x, r.Top + by.y, r.Right + by.x, r.Bottom + by.y}; }

// Adds the areas of the invalid controls under Parent, in form client
// coordinates: Origin is Parent's client top-left there, Visible the part
// of its client area not cut off by its ancestors.
void CollectInvalid(const TWinControl* Parent, TPoint Origin, TRect Visible, std::vector<TRect>& Areas) {
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        const TControl* c = Parent->Controls(i);
        if (!c->Visible()) continue;
        TRect bounds = Offset(c->BoundsRect(), Origin);
        TRect seen = Intersect(bounds, Visible);
        if (seen.Empty()) continue;
        if (c->NeedsRepaint()) {
            Areas.push_back(seen);  // children included
            continue;
        }
        if (auto* w = dynamic_cast<const TWinControl*>(c)) {
            TPoint inner{bounds.Left + (w->ClientOrigin().x - w->Left() - Parent->ClientOrigin().x),
                         bounds.Top + (w->ClientOrigin().y - w->Top() - Parent->ClientOrigin().y)};
            CollectInvalid(w, inner, Intersect(Bounds(inner.x, inner.y, w->ClientWidth(), w->ClientHeight()), seen),
                           Areas);
        }
    }
}

// Overlapping areas become one, so that nothing is drawn twice.
void MergeOverlapping(std::vector<TRect>& Areas) {
    for (bool merged = true; merged;) {
        merged = false;
        for (size_t i = 0; i < Areas.size() && !merged; ++i)
            for (size_t j = i + 1; j < Areas.size(); ++j) {
                if (Intersect(Areas[i], Areas[j]).Empty()) continue;
                TRect a = Areas[i], b = Areas[j];
                Areas[i] = TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                                 std::max(a.Bottom, b.Bottom)};
                Areas.erase(Areas.begin() + static_cast<std::ptrdiff_t>(j));
                merged = true;
                break;
            }
    }
}

// Paints Control (its top-left at Origin in form client coordinates) within
// Clip, then its children over it: graphic ones, then windowed ones, each
// bottom first. ClientOrigin is where Control's children are placed.
void PaintTree(TCanvas& Canvas, const TControl* Control, TPoint Origin, TPoint ClientOrigin, TRect Clip) {
    Canvas.SetOrigin(Origin);
    Canvas.SetClip(Clip);
    Canvas.Pen = TPen{};
    Canvas.Brush = TBrush{};
    Control->Paint(Canvas);
    auto* w = dynamic_cast<const TWinControl*>(Control);
    if (!w) return;
    TRect area = Intersect(Bounds(ClientOrigin.x, ClientOrigin.y, w->ClientWidth(), w->ClientHeight()), Clip);
    if (area.Empty()) return;
    for (int i = 0; i < w->ControlCount(); ++i) {
        const TControl* c = w->Controls(i);
        if (!c->Visible()) continue;
        TRect bounds = Offset(c->BoundsRect(), ClientOrigin);
        TRect clip = Intersect(bounds, area);
        if (clip.Empty()) continue;
        TPoint origin{bounds.Left, bounds.Top};
        TPoint inner = origin;
        if (auto* cw = dynamic_cast<const TWinControl*>(c))
            inner = TPoint{origin.x + (cw->ClientOrigin().x - cw->Left() - w->ClientOrigin().x),
                           origin.y + (cw->ClientOrigin().y - cw->Top() - w->ClientOrigin().y)};
        PaintTree(Canvas, c, origin, inner, clip);
    }
}

void ValidateTree(TControl* c) {
    c->Validate();
    if (auto* w = dynamic_cast<TWinControl*>(c))
        for (int i = 0; i < w->ControlCount(); ++i) ValidateTree(w->Controls(i));
}

}  // namespace

void TCustomForm::Repaint() {
    // No screen shows more; a form file may ask for any size.
    constexpr int32_t kMaxSurface = 8192;
    const int32_t cw = std::min(GetClientWidth(), kMaxSurface), ch = std::min(GetClientHeight(), kMaxSurface);
    const TRect client{0, 0, cw, ch};
    std::vector<TRect> areas;
    if (FInvalid || FSurface.Width != cw || FSurface.Height != ch) {
        if (FSurface.Width != cw || FSurface.Height != ch) FSurface.Resize(cw, ch);
        areas.push_back(client);
    } else {
        CollectInvalid(this, TPoint{0, 0}, client, areas);
    }
    ValidateTree(this);
    MergeOverlapping(areas);
    std::erase_if(areas, [](const TRect& r) { return r.Empty(); });
    if (areas.empty()) return;
    TCanvas canvas(FSurface);
    for (const TRect& area : areas) {
        PaintTree(canvas, this, TPoint{0, 0}, TPoint{0, 0}, area);
        // Text drawn on the screen does not survive a window painting there.
        EraseScreenTexts(Offset(area, FScreenOrigin));
    }
    ++FSurfaceVersion;
}

void TScrollBox::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    if (FBorderStyle == bsSingle) look::SunkenEdge(Canvas, r);
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(r);
}

TPoint FramedClientOrigin(const TCustomForm* Form) {
    TFrameMetrics m = FrameMetrics(Form);
    return TPoint{Form->Left() + m.Border, Form->Top() + m.Border + m.Caption};
}

void DrawWindowFrame(TCanvas& C, const TCustomForm* Form, bool Active) {
    TFrameMetrics m = FrameMetrics(Form->BorderStyle());
    TRect r = Form->BoundsRect();
    if (m.Border > 0) {
        C.Frame3D(r, cl3DLight, cl3DDkShadow);
        C.Frame3D(r, clBtnHighlight, clBtnShadow);
        C.Frame3D(r, clBtnFace, clBtnFace, m.Border - 2);
    }
    if (m.Caption <= 0) return;
    // The last row of the caption height parts the title from the client.
    TRect title{r.Left, r.Top, r.Right, r.Top + m.Caption - 1};
    C.Brush.Style = bsSolid;
    C.Brush.Color = clBtnFace;
    C.FillRect(TRect{r.Left, title.Bottom, r.Right, r.Top + m.Caption});
    C.Brush.Color = Active ? clActiveCaption : clInactiveCaption;
    C.FillRect(title);
    if (TMainMenu* menu = Form->Menu()) {
        TRect bar{r.Left, r.Top + m.Caption, r.Right, r.Top + m.Caption + TMainMenu::kBarHeight};
        // The screen font, not the form's: the bar belongs to the frame.
        TFont font;
        menu->PaintBar(C, bar, &font);
    }
    int32_t textRight = title.Right - 2;
    if (Form->BorderIcons().Contains(biSystemMenu)) {
        const int32_t bh = title.Height() - 4, bw = bh + 2;
        TRect box = Bounds(title.Right - 2 - bw, title.Top + 2, bw, bh);
        textRight = box.Left - 2;
        C.Frame3D(box, clBtnHighlight, cl3DDkShadow);
        C.Frame3D(box, cl3DLight, clBtnShadow);
        C.Brush.Color = clBtnFace;
        C.FillRect(box);
        // The cross, two pixels wide.
        const int32_t size = std::min(box.Width(), box.Height()) - 2;
        const int32_t x0 = box.Left + (box.Width() - size) / 2, y0 = box.Top + (box.Height() - size) / 2;
        for (int32_t i = 0; i < size; ++i) {
            C.Pixel(x0 + i, y0 + i, clBtnText);
            C.Pixel(x0 + i + 1, y0 + i, clBtnText);
            C.Pixel(x0 + size - 1 - i, y0 + i, clBtnText);
            C.Pixel(x0 + size - i, y0 + i, clBtnText);
        }
    }
    C.Font()->SetName("MS Sans Serif");
    C.Font()->SetHeight(-11);
    C.Font()->SetStyle(TFontStyles{fsBold});
    C.Font()->SetColor(Active ? clCaptionText : clInactiveCaptionText);
    C.Brush.Style = bsClear;
    const std::string caption = Form->Caption();
    C.TextRect(TRect{title.Left, title.Top, textRight, title.Bottom}, title.Left + 3,
               title.Top + (title.Height() - C.TextHeight(caption)) / 2, caption);
}

}  // namespace vcl
