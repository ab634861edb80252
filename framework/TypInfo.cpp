#include "framework/TypInfo.h"

#include <deque>

namespace vcl {

namespace {


// Type information records live as long as the program; a deque keeps their
// addresses stable.
TTypeInfo* NewTypeInfo() {
    static std::deque<TTypeInfo> store;
    return &store.emplace_back();
}

}  // namespace

bool TTypeInfo::EnumValue(std::string_view name, int64_t& value) const {
    for (size_t i = 0; i < EnumNames.size(); ++i) {
        if (SameText(EnumNames[i], name)) {
            value = EnumBase + static_cast<int64_t>(i);
            return true;
        }
    }
    return false;
}

std::string TTypeInfo::EnumName(int64_t value) const {
    int64_t i = value - EnumBase;
    if (i < 0 || i >= static_cast<int64_t>(EnumNames.size())) return {};
    return EnumNames[static_cast<size_t>(i)];
}

const TTypeInfo* BooleanTypeInfo() {
    static const TTypeInfo* info = MakeEnumTypeInfo("Boolean", {"False", "True"});
    return info;
}

const TTypeInfo* IntegerTypeInfo() {
    static const TTypeInfo* info = [] {
        TTypeInfo* t = NewTypeInfo();
        t->Kind = TTypeKind::tkInteger;
        t->Name = "Integer";
        return t;
    }();
    return info;
}

const TTypeInfo* Int64TypeInfo() {
    static const TTypeInfo* info = [] {
        TTypeInfo* t = NewTypeInfo();
        t->Kind = TTypeKind::tkInt64;
        t->Name = "Int64";
        return t;
    }();
    return info;
}

const TTypeInfo* FloatTypeInfo() {
    static const TTypeInfo* info = [] {
        TTypeInfo* t = NewTypeInfo();
        t->Kind = TTypeKind::tkFloat;
        t->Name = "Extended";
        return t;
    }();
    return info;
}

const TTypeInfo* StringTypeInfo() {
    static const TTypeInfo* info = [] {
        TTypeInfo* t = NewTypeInfo();
        t->Kind = TTypeKind::tkString;
        t->Name = "AnsiString";
        return t;
    }();
    return info;
}

const TTypeInfo* MakeEnumTypeInfo(const char* name, std::initializer_list<const char*> names, int64_t base) {
    TTypeInfo* t = NewTypeInfo();
    t->Kind = TTypeKind::tkEnumeration;
    t->Name = name;
    for (const char* n : names) t->EnumNames.emplace_back(n);
    t->EnumBase = base;
    return t;
}

const TTypeInfo* MakeSetTypeInfo(const char* name, const TTypeInfo* element) {
    TTypeInfo* t = NewTypeInfo();
    t->Kind = TTypeKind::tkSet;
    t->Name = name;
    t->SetElement = element;
    return t;
}

const TTypeInfo* MakeClassTypeInfo(const TMetaClass* (*classOf)()) {
    TTypeInfo* t = NewTypeInfo();
    t->Kind = TTypeKind::tkClass;
    t->Name = "class";
    t->ClassOf = classOf;
    return t;
}

const TTypeInfo* MakeMethodTypeInfo(const char* name, const void* signature) {
    TTypeInfo* t = NewTypeInfo();
    t->Kind = TTypeKind::tkMethod;
    t->Name = name;
    t->MethodSignature = signature;
    return t;
}

const TTypeInfo* MakeNamedIntTypeInfo(const char* name, bool (*identToInt)(std::string_view, int64_t&),
                                      bool (*intToIdent)(int64_t, std::string&)) {
    TTypeInfo* t = NewTypeInfo();
    t->Kind = TTypeKind::tkInteger;
    t->Name = name;
    t->IdentToInt = identToInt;
    t->IntToIdent = intToIdent;
    return t;
}

// ---------------------------------------------------------------------------

const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name) {
    return obj ? obj->ClassType()->FindProperty(name) : nullptr;
}

int64_t GetOrdProp(const TObject* obj, const TPropInfo* prop) { return prop->Access->GetOrd(obj); }
void SetOrdProp(TObject* obj, const TPropInfo* prop, int64_t value) { prop->Access->SetOrd(obj, value); }
AnsiString GetStrProp(const TObject* obj, const TPropInfo* prop) { return prop->Access->GetStr(obj); }
void SetStrProp(TObject* obj, const TPropInfo* prop, const AnsiString& value) { prop->Access->SetStr(obj, value); }
long double GetFloatProp(const TObject* obj, const TPropInfo* prop) { return prop->Access->GetFloat(obj); }
void SetFloatProp(TObject* obj, const TPropInfo* prop, long double value) { prop->Access->SetFloat(obj, value); }
TObject* GetObjectProp(const TObject* obj, const TPropInfo* prop) { return prop->Access->GetObj(obj); }
TMethod GetMethodProp(const TObject* obj, const TPropInfo* prop) { return prop->Access->GetMethod(obj); }
void SetMethodProp(TObject* obj, const TPropInfo* prop, const TMethod& value) { prop->Access->SetMethod(obj, value); }

void SetObjectProp(TObject* obj, const TPropInfo* prop, TObject* value) {
    const TMetaClass* cls = prop->Type->ClassType();
    if (value && cls && !value->InheritsFrom(cls))
        throw EPropertyError("Invalid property value: a " + value->ClassName() + " is not a " + cls->Name);
    prop->Access->SetObj(obj, value);
}

std::vector<std::string> SetToNames(const TTypeInfo* setType, uint64_t bits) {
    std::vector<std::string> names;
    const TTypeInfo* el = setType->SetElement;
    for (unsigned i = 0; i < 64; ++i) {
        if (!(bits & (uint64_t{1} << i))) continue;
        std::string n = el ? el->EnumName(i) : std::string();
        names.push_back(n.empty() ? std::to_string(i) : n);
    }
    return names;
}

}  // namespace vcl
