#include "framework/DesignIntf.h"

#include <algorithm>
#include <cstdio>

#include "framework/Packages.h"
#include "framework/SysUtils.h"

namespace vcl {

namespace {

struct TPaletteEntry {
    std::string Page;
    const TMetaClass* Class;
    const TPackage* Package;
};

std::vector<TPaletteEntry>& Palette() {
    static std::vector<TPaletteEntry> palette;
    return palette;
}
std::vector<TEditorRegistration>& Editors() {
    static std::vector<TEditorRegistration> editors;
    return editors;
}
// Classes a package registered for form files through RegisterComponents.
std::vector<std::pair<const TMetaClass*, const TPackage*>>& PackageClasses() {
    static std::vector<std::pair<const TMetaClass*, const TPackage*>> classes;
    return classes;
}

// How many steps up from Class to Ancestor; -1 when it is no ancestor.
int Distance(const TMetaClass* Class, const TMetaClass* Ancestor) {
    int d = 0;
    for (const TMetaClass* c = Class; c; c = c->ClassParent(), ++d)
        if (c == Ancestor) return d;
    return -1;
}

}  // namespace

void TPropertyEditor::Initialize(IDesigner* Designer, std::vector<TPersistent*> Components, const TPropInfo* Prop) {
    FDesigner = Designer;
    FComponents = std::move(Components);
    FProp = Prop;
}

TPersistent* TPropertyEditor::GetComponent(int Index) const {
    if (Index < 0 || Index >= PropCount()) return nullptr;
    return FComponents[static_cast<size_t>(Index)];
}

TObject* TPropertyEditor::GetObjValue() const {
    if (!FProp || FComponents.empty() || FProp->Kind() != TTypeKind::tkClass) return nullptr;
    return FProp->Access->GetObj(FComponents.front());
}

intptr_t TPropertyEditor::GetOrdValue() const {
    if (!FProp || FComponents.empty()) return 0;
    if (FProp->Kind() == TTypeKind::tkClass) return reinterpret_cast<intptr_t>(GetObjValue());
    return static_cast<intptr_t>(FProp->Access->GetOrd(FComponents.front()));
}

void TPropertyEditor::Modified() {
    if (FDesigner) FDesigner->Modified();
}

AnsiString TPropertyEditor::GetValue() {
    if (!FProp || FComponents.empty()) return {};
    return PropertyValueText(FComponents.front(), FProp);
}

AnsiString TClassProperty::GetValue() {
    TObject* o = GetObjValue();
    return "(" + (o ? o->ClassName() : Prop()->Type->Name) + ")";
}

AnsiString PropertyValueText(const TObject* Instance, const TPropInfo* Prop) {
    const TTypeInfo* type = Prop->Type;
    const TPropAccess& a = *Prop->Access;
    switch (type->Kind) {
        case TTypeKind::tkInteger: {
            const int64_t v = a.GetOrd(Instance);
            std::string ident;
            if (type->IntToIdent && type->IntToIdent(v, ident)) return ident;
            return IntToStr(v);
        }
        case TTypeKind::tkInt64:
            return IntToStr(a.GetOrd(Instance));
        case TTypeKind::tkEnumeration:
            return type->EnumName(a.GetOrd(Instance));
        case TTypeKind::tkSet: {
            const uint64_t bits = static_cast<uint64_t>(a.GetOrd(Instance));
            std::string text = "[";
            for (size_t i = 0; i < type->SetElement->EnumNames.size() && i < 64; ++i) {
                if (!(bits >> i & 1)) continue;
                if (text.size() > 1) text += ',';
                text += type->SetElement->EnumNames[i];
            }
            return text + "]";
        }
        case TTypeKind::tkFloat:
        {
            char text[64];
            std::snprintf(text, sizeof text, "%.18Lg", a.GetFloat(Instance));
            return text;
        }
        case TTypeKind::tkString:
            return a.GetStr(Instance);
        case TTypeKind::tkClass: {
            TObject* o = a.GetObj(Instance);
            if (!o) return {};
            if (auto* c = dynamic_cast<TComponent*>(o); c && type->ClassType() &&
                                                         type->ClassType()->InheritsFrom(TComponent::StaticClass()))
                return c->Name();
            return "(" + o->ClassName() + ")";
        }
        case TTypeKind::tkMethod: {
            const TMethod m = a.GetMethod(Instance);
            if (!m.Code || !m.Data) return {};
            const TMethodInfo* mi = static_cast<const TObject*>(m.Data)->ClassType()->FindMethodByCode(m.Code);
            return mi ? AnsiString(mi->Name) : AnsiString();
        }
    }
    return {};
}

void RegisterComponents(const AnsiString& Page, const TMetaClass* const* Classes, int LastIndex) {
    const TPackage* package = CurrentPackage();
    for (int i = 0; i <= LastIndex; ++i) {
        const TMetaClass* cls = Classes[i];
        if (!cls) continue;
        Palette().push_back(TPaletteEntry{Page, cls, package});
        if (!GetClass(cls->ClassName())) {
            RegisterClass(cls);
            PackageClasses().emplace_back(cls, package);
        }
    }
}

void RegisterComponents(const AnsiString& Page, std::initializer_list<const TMetaClass*> Classes) {
    RegisterComponents(Page, Classes.begin(), static_cast<int>(Classes.size()) - 1);
}

void RegisterPropertyEditor(const TTypeInfo* PropertyType, const TMetaClass* ComponentClass,
                            const AnsiString& PropertyName, const TMetaClass* EditorClass) {
    if (!PropertyType || !EditorClass) return;
    Editors().push_back(TEditorRegistration{PropertyType, ComponentClass, PropertyName, EditorClass, CurrentPackage()});
}

std::vector<TPalettePage> PalettePages() {
    std::vector<TPalettePage> pages;
    for (const TPaletteEntry& e : Palette()) {
        auto it = std::find_if(pages.begin(), pages.end(), [&](const TPalettePage& p) { return p.Name == e.Page; });
        if (it == pages.end()) it = pages.insert(pages.end(), TPalettePage{e.Page, {}});
        it->Classes.push_back(e.Class);
    }
    return pages;
}

const std::vector<TEditorRegistration>& PropertyEditors() { return Editors(); }

const TMetaClass* FindPropertyEditor(const TMetaClass* ComponentClass, const TPropInfo* Prop) {
    if (!Prop) return nullptr;
    const TMetaClass* best = nullptr;
    // Higher is more specific: a name, then the nearest component class,
    // then the nearest property class.
    long bestScore = -1;
    const TMetaClass* propClass = Prop->Type->Kind == TTypeKind::tkClass ? Prop->Type->ClassType() : nullptr;
    for (const TEditorRegistration& r : Editors()) {
        int typeDistance = 0;
        if (r.PropertyType != Prop->Type) {
            const TMetaClass* wanted = r.PropertyType->Kind == TTypeKind::tkClass ? r.PropertyType->ClassType() : nullptr;
            typeDistance = propClass && wanted ? Distance(propClass, wanted) : -1;
            if (typeDistance < 0) continue;
        }
        int classDistance = 1000;
        if (r.ComponentClass) {
            classDistance = ComponentClass ? Distance(ComponentClass, r.ComponentClass) : -1;
            if (classDistance < 0) continue;
        }
        if (!r.PropertyName.empty() && !SameText(r.PropertyName, Prop->Name)) continue;
        const long score = (r.PropertyName.empty() ? 0 : 1'000'000) + (1000 - classDistance) * 1000 + (999 - typeDistance);
        if (score >= bestScore) {
            bestScore = score;
            best = r.EditorClass;
        }
    }
    return best;
}

TPropertyEditor* GetPropertyEditor(IDesigner* Designer, const std::vector<TPersistent*>& Components,
                                   const TPropInfo* Prop) {
    const TMetaClass* cls = FindPropertyEditor(Components.empty() ? nullptr : Components.front()->ClassType(), Prop);
    if (!cls || !cls->NewObject || !cls->InheritsFrom(TPropertyEditor::StaticClass()))
        cls = Prop->Type->Kind == TTypeKind::tkClass ? TClassProperty::StaticClass() : TPropertyEditor::StaticClass();
    auto* editor = static_cast<TPropertyEditor*>(cls->NewObject());
    editor->Initialize(Designer, Components, Prop);
    return editor;
}

void UnregisterPackageDesign(const TPackage* Package) {
    if (!Package) return;
    std::erase_if(Palette(), [&](const TPaletteEntry& e) { return e.Package == Package; });
    std::erase_if(Editors(), [&](const TEditorRegistration& e) { return e.Package == Package; });
    auto& classes = PackageClasses();
    for (const auto& [cls, owner] : classes)
        if (owner == Package) UnRegisterClass(cls);
    std::erase_if(classes, [&](const auto& e) { return e.second == Package; });
}

VCL_IMPLEMENT_CLASS(TPropertyEditor)
void TPropertyEditor::DescribeClass(ClassBuilder<TPropertyEditor>&) {}

VCL_IMPLEMENT_CLASS(TClassProperty)
void TClassProperty::DescribeClass(ClassBuilder<TClassProperty>&) {}

}  // namespace vcl
