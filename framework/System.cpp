#include "framework/System.h"

#include <cstdlib>
#include <new>

#include "framework/TypInfo.h"

namespace vcl {

// ---------------------------------------------------------------------------

TMetaClass::TMetaClass() = default;
TMetaClass::~TMetaClass() = default;

bool TMetaClass::InheritsFrom(const TMetaClass* other) const {
    for (const TMetaClass* c = this; c; c = c->Parent)
        if (c == other) return true;
    return false;
}

const std::vector<const TPropInfo*>& TMetaClass::Properties() const {
    if (!FAllPropsBuilt) {
        std::vector<const TPropInfo*> all;
        if (Parent) all = Parent->Properties();
        for (const auto& p : OwnProperties) {
            bool replaced = false;
            for (auto& existing : all) {
                if (SameText(existing->Name, p->Name)) {
                    existing = p.get();
                    replaced = true;
                    break;
                }
            }
            if (!replaced) all.push_back(p.get());
        }
        FAllProps = std::move(all);
        FAllPropsBuilt = true;
    }
    return FAllProps;
}

const TPropInfo* TMetaClass::FindProperty(std::string_view name) const {
    for (const TPropInfo* p : Properties())
        if (SameText(p->Name, name)) return p;
    return nullptr;
}

const TMethodInfo* TMetaClass::FindMethod(std::string_view name) const {
    for (const TMetaClass* c = this; c; c = c->Parent)
        for (const auto& m : c->OwnMethods)
            if (SameText(m.Name, name)) return &m;
    return nullptr;
}

const TMethodInfo* TMetaClass::FindMethodByCode(const void* code) const {
    if (!code) return nullptr;
    for (const TMetaClass* c = this; c; c = c->Parent)
        for (const auto& m : c->OwnMethods)
            if (m.Code == code) return &m;
    return nullptr;
}

const TFieldInfo* TMetaClass::FindField(std::string_view name) const {
    for (const TMetaClass* c = this; c; c = c->Parent)
        for (const auto& f : c->OwnFields)
            if (SameText(f.Name, name)) return &f;
    return nullptr;
}

// ---------------------------------------------------------------------------

const TMetaClass* TObject::StaticClass() {
    static const TMetaClass* const meta = ClassBuilder<TObject>::Build("TObject", nullptr);
    return meta;
}

TObject::~TObject() { ClearWeakRefs(); }

void TObject::Free() {
    if (FFreeing) return;
    FFreeing = true;
    // Weak references go first: nothing may reach the object through them
    // while its teardown runs.
    ClearWeakRefs();
    BeforeDestruction();
    delete this;
}

void TObject::ClearWeakRefs() {
    while (FWeakRefs) {
        TWeakRefBase* r = FWeakRefs;
        FWeakRefs = r->FNext;
        if (FWeakRefs) FWeakRefs->FPrev = nullptr;
        r->FTarget = nullptr;
        r->FPrev = r->FNext = nullptr;
    }
}

void* GetMem(size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    return p;
}

void FreeMem(void* p) { std::free(p); }

}  // namespace vcl
