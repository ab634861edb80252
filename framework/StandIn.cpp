#include "framework/StandIn.h"

#include <algorithm>

#include "framework/Canvas.h"
#include "framework/ClassicLook.h"

namespace vcl {

VCL_IMPLEMENT_CLASS(TStandInControl)
void TStandInControl::DescribeClass(ClassBuilder<TStandInControl>&) {}

TStandInControl::TStandInControl(TComponent* AOwner) : TWinControl(AOwner) {
    FControlStyle = TControlStyle{csAcceptsControls, csOpaque};
    FParentColor = false;
    FColor = clBtnFace;
}

void TStandInControl::Paint(TCanvas& Canvas) const {
    // Flat: a fill, a one-pixel frame, the class name in the top-left corner.
    const TRect r{0, 0, FWidth, FHeight};
    Canvas.Brush.Color = clBtnFace;
    Canvas.FillRect(r);
    Canvas.Brush.Color = clBtnShadow;
    Canvas.FrameRect(r);
    look::UseFont(Canvas, *this);
    Canvas.Brush.Color = clBtnFace;
    Canvas.TextRect(TRect{1, 1, std::max(1, FWidth - 1), std::max(1, FHeight - 1)}, 4, 2, StreamedClassName);
}

void TStandInControl::SetParentComponent(TComponent* Value) {
    if (auto* s = dynamic_cast<TStandInComponent*>(Value)) {
        s->Adopt(this);
        FStandInParent = s;
        return;
    }
    TWinControl::SetParentComponent(Value);
}

bool TStandInControl::HasParent() const { return true; }

TComponent* TStandInControl::GetParentComponent() const {
    if (TComponent* s = FStandInParent.Get()) return s;
    return TWinControl::GetParentComponent();
}

VCL_IMPLEMENT_CLASS(TStandInComponent)
void TStandInComponent::DescribeClass(ClassBuilder<TStandInComponent>&) {}

void TStandInComponent::Adopt(TComponent* Child) { FChildren.emplace_back(Child); }

void TStandInComponent::SetParentComponent(TComponent* Value) {
    if (auto* s = dynamic_cast<TStandInComponent*>(Value)) {
        s->Adopt(this);
        FStandInParent = s;
    }
}

void TStandInComponent::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    // Its own stored objects first (in file order), then, as the root, the
    // components without a parent.
    std::vector<TWeakRef<TComponent>> children = FChildren;
    for (auto& c : children)
        if (c) Proc(c.Get());
    TComponent::GetChildren(Proc, Root);
}

}  // namespace vcl
