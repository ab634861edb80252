#include "TestClasses.h"

namespace test {

std::vector<std::string>& Journal() {
    static std::vector<std::string> j;
    return j;
}

bool TestColorToIdent(int64_t v, std::string& ident) {
    switch (v) {
        case tcBlack: ident = "tcBlack"; return true;
        case tcRed: ident = "tcRed"; return true;
        case tcWhite: ident = "tcWhite"; return true;
        default: return false;
    }
}

bool IdentToTestColor(std::string_view ident, int64_t& v) {
    if (SameText(ident, "tcBlack")) v = tcBlack;
    else if (SameText(ident, "tcRed")) v = tcRed;
    else if (SameText(ident, "tcWhite")) v = tcWhite;
    else return false;
    return true;
}

}  // namespace test

VCL_ENUM_INFO(test::TTestAlign, taNone, taTop, taBottom, taClient)
VCL_ENUM_INFO(test::TTestStyle, tsBold, tsItalic, tsUnderline)
template <>
struct vcl::TypeInfoTraits<test::TTestColor> {
    static const vcl::TTypeInfo* Get() {
        static const vcl::TTypeInfo* info =
            vcl::MakeNamedIntTypeInfo("TTestColor", &test::IdentToTestColor, &test::TestColorToIdent);
        return info;
    }
};

namespace test {

VCL_IMPLEMENT_CLASS(TTestFont)
void TTestFont::DescribeClass(ClassBuilder<TTestFont>& c) {
    c.Property("Color", &TTestFont::Color);
    c.Property("Height", &TTestFont::Height);
    c.Property("Name", &TTestFont::Name);
    c.Property("Style", &TTestFont::Style);
}

void TTestFont::Assign(TPersistent* Source) {
    if (auto* f = dynamic_cast<TTestFont*>(Source)) {
        Color = f->Color;
        Height = f->Height;
        Name = f->Name;
        Style = f->Style;
        return;
    }
    TPersistent::Assign(Source);
}

VCL_IMPLEMENT_CLASS(TTestControl)
void TTestControl::DescribeClass(ClassBuilder<TTestControl>& c) {
    c.Property("Left", &TTestControl::Left);
    c.Property("Top", &TTestControl::Top);
    c.Property("Width", &TTestControl::Width);
    c.Property("Height", &TTestControl::Height);
    c.Property("Caption", &TTestControl::Caption);
    c.Property("Visible", &TTestControl::Visible).Default(true);
    c.Property("Align", &TTestControl::Align).Default(taNone);
    c.Property("Ratio", &TTestControl::Ratio);
    c.Property("Big", &TTestControl::Big).Default(int64_t{0});
    c.Property("Font", &TTestControl::Font, &TTestControl::SetFont);
    c.Property("Buddy", &TTestControl::Buddy);
    c.Property("OnClick", &TTestControl::OnClick);
}

TTestControl::TTestControl(TComponent* AOwner) : TComponent(AOwner), FFont(new TTestFont()) {}

TTestControl::~TTestControl() {
    SetParentComponent(nullptr);
    // Children go with their parent; each takes itself out of FChildren.
    while (!FChildren.empty()) FChildren.back()->Free();
    FFont->Free();
}

void TTestControl::SetParentComponent(TComponent* v) {
    auto* p = dynamic_cast<TTestControl*>(v);
    if (p == FParent) return;
    if (FParent) std::erase(FParent->FChildren, this);
    FParent = p;
    if (p) p->FChildren.push_back(this);
}

void TTestControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    for (TTestControl* child : FChildren)
        if (child->Owner() == Root) Proc(child);
    TComponent::GetChildren(Proc, Root);
}

void TTestControl::Loaded() {
    TComponent::Loaded();
    BuddyAtLoaded = Buddy ? Buddy->Name() : "(null)";
    Journal().push_back("Loaded " + Name());
}

VCL_IMPLEMENT_CLASS(TTestItem)
void TTestItem::DescribeClass(ClassBuilder<TTestItem>& c) { c.Property("TheControl", &TTestItem::TheControl); }

VCL_IMPLEMENT_CLASS(TTestItems)
void TTestItems::DescribeClass(ClassBuilder<TTestItems>&) {}

VCL_IMPLEMENT_CLASS(TTestWatcher)
void TTestWatcher::DescribeClass(ClassBuilder<TTestWatcher>& c) {
    c.Property("Items", &TTestWatcher::FItems);
    c.Property("Enabled", &TTestWatcher::Enabled).Default(true);
}

TTestWatcher::TTestWatcher(TComponent* AOwner) : TComponent(AOwner), FItems(new TTestItems(this)) {}

TTestWatcher::~TTestWatcher() { FItems->Free(); }

void TTestWatcher::Loaded() {
    TComponent::Loaded();
    Journal().push_back("Loaded " + Name() + " items=" + std::to_string(FItems->Count()));
}

void TTestWatcher::Notification(TComponent* AComponent, TOperation Operation) {
    // Deliberately does not pass the call on: the framework must stay sound
    // when an override swallows it.
    Seen.emplace_back(AComponent, Operation);
}

VCL_IMPLEMENT_CLASS(TTestForm)
void TTestForm::DescribeClass(ClassBuilder<TTestForm>& c) {
    c.Field("Button1", &TTestForm::Button1);
    c.Field("Watcher", &TTestForm::Watcher);
    c.Method<&TTestForm::ButtonClick>("ButtonClick");
    c.Method<&TTestForm::OtherClick>("OtherClick");
    c.Method<&TTestForm::WrongSignature>("WrongSignature");
}

void TTestForm::ButtonClick(TObject* Sender) { Clicks.push_back(Sender); }
void TTestForm::OtherClick(TObject*) {}
void TTestForm::WrongSignature(TObject*, int) {}

void RegisterTestClasses() {
    RegisterClasses({TTestControl::StaticClass(), TTestWatcher::StaticClass(), TTestForm::StaticClass()});
}

}  // namespace test
