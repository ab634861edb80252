// Run-time type information of published properties, and the builder through
// which each class declares them.
//
//   void TMyComponent::DescribeClass(vcl::ClassBuilder<TMyComponent>& c) {
//       c.Property("Bounding", &TMyComponent::FBounding).Default(true);
//       c.Property("Left", &TMyComponent::GetLeft, &TMyComponent::SetLeft);
//       c.Method<&TMyComponent::ButtonClick>("ButtonClick");
//   }
//
// Property kinds follow from the C++ types: bool is Boolean, integers are
// Integer or Int64, enumerations declared with VCL_ENUM_INFO are enumerations
// (or integers with names, such as colours), TSet<E> is a set, floating types
// are Float, AnsiString is String, pointers to TPersistent classes are Class
// properties and TEvent<...> are Method properties.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "framework/System.h"

namespace vcl {

class TPersistent;

enum class TTypeKind { tkInteger, tkInt64, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod };

struct TTypeInfo {
    TTypeKind Kind = TTypeKind::tkInteger;
    std::string Name;
    // Enumerations: value names in ordinal order (Boolean: False, True).
    std::vector<std::string> EnumNames;
    int64_t EnumBase = 0;  // ordinal of the first name
    // Sets: the element type.
    const TTypeInfo* SetElement = nullptr;
    // Integers with symbolic names (colours, cursors): both directions.
    bool (*IdentToInt)(std::string_view ident, int64_t& value) = nullptr;
    bool (*IntToIdent)(int64_t value, std::string& ident) = nullptr;
    // Class properties: the declared class, looked up when first needed, so
    // that a class may have properties of its own type.
    const TMetaClass* (*ClassOf)() = nullptr;
    const TMetaClass* ClassType() const { return ClassOf ? ClassOf() : nullptr; }
    // Method properties: the signature identity (TEvent<...>::Signature()).
    const void* MethodSignature = nullptr;

    // Enumeration value by name (ASCII case ignored); false if none.
    bool EnumValue(std::string_view name, int64_t& value) const;
    // Name of an enumeration value; empty if out of range.
    std::string EnumName(int64_t value) const;
};

// Reads and writes one property of an object. Each property kind uses its
// own pair of accessors; the others are never called for it.
class TPropAccess {
public:
    virtual ~TPropAccess() = default;
    virtual bool Writable() const { return true; }
    virtual int64_t GetOrd(const TObject*) const { return 0; }
    virtual void SetOrd(TObject*, int64_t) const {}
    virtual long double GetFloat(const TObject*) const { return 0; }
    virtual void SetFloat(TObject*, long double) const {}
    virtual AnsiString GetStr(const TObject*) const { return {}; }
    virtual void SetStr(TObject*, const AnsiString&) const {}
    virtual TObject* GetObj(const TObject*) const { return nullptr; }
    virtual void SetObj(TObject*, TObject*) const {}
    virtual TMethod GetMethod(const TObject*) const { return {}; }
    virtual void SetMethod(TObject*, const TMethod&) const {}
};

struct TPropInfo {
    std::string Name;
    const TTypeInfo* Type = nullptr;
    const TMetaClass* Owner = nullptr;   // the declaring class
    std::unique_ptr<TPropAccess> Access;
    // Ordinal properties: the default; a property without one is always stored.
    std::optional<int64_t> Default;
    // Whether the writer stores the property at all (before the default test).
    std::function<bool(const TObject*)> StoredFn;
    bool StoredConst = true;

    TTypeKind Kind() const { return Type->Kind; }
    bool IsStored(const TObject* obj) const { return StoredFn ? StoredFn(obj) : StoredConst; }
};

// ---------------------------------------------------------------------------
// Type information of C++ types.

template <class T, class = void>
struct TypeInfoTraits;  // specialised per supported type

template <class T>
const TTypeInfo* TypeInfoOf() {
    return TypeInfoTraits<std::remove_cv_t<T>>::Get();
}

const TTypeInfo* BooleanTypeInfo();
const TTypeInfo* IntegerTypeInfo();
const TTypeInfo* Int64TypeInfo();
const TTypeInfo* FloatTypeInfo();
const TTypeInfo* StringTypeInfo();
const TTypeInfo* MakeEnumTypeInfo(const char* name, std::initializer_list<const char*> names, int64_t base = 0);
const TTypeInfo* MakeSetTypeInfo(const char* name, const TTypeInfo* element);
const TTypeInfo* MakeClassTypeInfo(const TMetaClass* (*classOf)());
const TTypeInfo* MakeMethodTypeInfo(const char* name, const void* signature);
const TTypeInfo* MakeNamedIntTypeInfo(const char* name, bool (*identToInt)(std::string_view, int64_t&),
                                      bool (*intToIdent)(int64_t, std::string&));

template <>
struct TypeInfoTraits<bool> {
    static const TTypeInfo* Get() { return BooleanTypeInfo(); }
};
template <class T>
struct TypeInfoTraits<T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool> && (sizeof(T) <= 4)>> {
    static const TTypeInfo* Get() { return IntegerTypeInfo(); }
};
template <class T>
struct TypeInfoTraits<T, std::enable_if_t<std::is_integral_v<T> && (sizeof(T) == 8)>> {
    static const TTypeInfo* Get() { return Int64TypeInfo(); }
};
template <class T>
struct TypeInfoTraits<T, std::enable_if_t<std::is_floating_point_v<T>>> {
    static const TTypeInfo* Get() { return FloatTypeInfo(); }
};
template <>
struct TypeInfoTraits<AnsiString> {
    static const TTypeInfo* Get() { return StringTypeInfo(); }
};
template <class T>
struct TypeInfoTraits<T*, std::enable_if_t<std::is_base_of_v<TObject, T>>> {
    static const TTypeInfo* Get() {
        static const TTypeInfo* info = MakeClassTypeInfo(&T::StaticClass);
        return info;
    }
};
template <class... Args>
struct TypeInfoTraits<TEvent<Args...>> {
    static const TTypeInfo* Get() {
        static const TTypeInfo* info = MakeMethodTypeInfo("TMethod", TEvent<Args...>::Signature());
        return info;
    }
};
template <class E>
struct TypeInfoTraits<TSet<E>> {
    static const TTypeInfo* Get() {
        static const TTypeInfo* info = MakeSetTypeInfo("TSet", TypeInfoOf<E>());
        return info;
    }
};

// Declares the type information of an enumeration: its name and the names of
// its values in order, e.g. VCL_ENUM_INFO(TAlign, alNone, alTop, ...).
#define VCL_ENUM_INFO(Enum, ...)                                                  \
    template <>                                                                   \
    struct vcl::TypeInfoTraits<Enum> {                                            \
        static const vcl::TTypeInfo* Get() {                                      \
            static const vcl::TTypeInfo* info = vcl::MakeEnumTypeInfo(#Enum, {VCL_ENUM_NAMES(__VA_ARGS__)}); \
            return info;                                                          \
        }                                                                         \
    };

// Stringises each argument: VCL_ENUM_NAMES(a, b) -> "a", "b" (up to 24).
#define VCL_EN_1(a) #a
#define VCL_EN_2(a, ...) #a, VCL_EN_1(__VA_ARGS__)
#define VCL_EN_3(a, ...) #a, VCL_EN_2(__VA_ARGS__)
#define VCL_EN_4(a, ...) #a, VCL_EN_3(__VA_ARGS__)
#define VCL_EN_5(a, ...) #a, VCL_EN_4(__VA_ARGS__)
#define VCL_EN_6(a, ...) #a, VCL_EN_5(__VA_ARGS__)
#define VCL_EN_7(a, ...) #a, VCL_EN_6(__VA_ARGS__)
#define VCL_EN_8(a, ...) #a, VCL_EN_7(__VA_ARGS__)
#define VCL_EN_9(a, ...) #a, VCL_EN_8(__VA_ARGS__)
#define VCL_EN_10(a, ...) #a, VCL_EN_9(__VA_ARGS__)
#define VCL_EN_11(a, ...) #a, VCL_EN_10(__VA_ARGS__)
#define VCL_EN_12(a, ...) #a, VCL_EN_11(__VA_ARGS__)
#define VCL_EN_13(a, ...) #a, VCL_EN_12(__VA_ARGS__)
#define VCL_EN_14(a, ...) #a, VCL_EN_13(__VA_ARGS__)
#define VCL_EN_15(a, ...) #a, VCL_EN_14(__VA_ARGS__)
#define VCL_EN_16(a, ...) #a, VCL_EN_15(__VA_ARGS__)
#define VCL_EN_17(a, ...) #a, VCL_EN_16(__VA_ARGS__)
#define VCL_EN_18(a, ...) #a, VCL_EN_17(__VA_ARGS__)
#define VCL_EN_19(a, ...) #a, VCL_EN_18(__VA_ARGS__)
#define VCL_EN_20(a, ...) #a, VCL_EN_19(__VA_ARGS__)
#define VCL_EN_21(a, ...) #a, VCL_EN_20(__VA_ARGS__)
#define VCL_EN_22(a, ...) #a, VCL_EN_21(__VA_ARGS__)
#define VCL_EN_23(a, ...) #a, VCL_EN_22(__VA_ARGS__)
#define VCL_EN_24(a, ...) #a, VCL_EN_23(__VA_ARGS__)
#define VCL_EN_COUNT(_1, _2, _3, _4, _5, _6, _7, _8, _9, _10, _11, _12, _13, _14, _15, _16, _17, _18, \
                     _19, _20, _21, _22, _23, _24, N, ...)                                           \
    N
#define VCL_EN_CAT2(a, b) a##b
#define VCL_EN_CAT(a, b) VCL_EN_CAT2(a, b)
#define VCL_ENUM_NAMES(...)                                                                            \
    VCL_EN_CAT(VCL_EN_, VCL_EN_COUNT(__VA_ARGS__, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15, 14, 13, 12, 11, \
                                     10, 9, 8, 7, 6, 5, 4, 3, 2, 1))(__VA_ARGS__)

// ---------------------------------------------------------------------------
// Accessors for fields and for getter/setter pairs.

namespace detail {

template <class T>
constexpr TTypeKind KindOf() {
    if constexpr (std::is_same_v<T, bool>) return TTypeKind::tkEnumeration;
    else if constexpr (std::is_same_v<T, AnsiString>) return TTypeKind::tkString;
    else if constexpr (std::is_floating_point_v<T>) return TTypeKind::tkFloat;
    else if constexpr (std::is_pointer_v<T>) return TTypeKind::tkClass;
    else return TTypeKind::tkInteger;  // integers, enums, sets: ordinal access
}

template <class T>
struct IsEvent : std::false_type {};
template <class... A>
struct IsEvent<TEvent<A...>> : std::true_type {};
template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {};

template <class T>
int64_t ToOrd(const T& v) {
    if constexpr (IsSet<T>::value) return static_cast<int64_t>(v.Bits());
    else return static_cast<int64_t>(v);
}
template <class T>
T FromOrd(int64_t v) {
    if constexpr (IsSet<T>::value) return T::FromBits(static_cast<uint64_t>(v));
    else return static_cast<T>(v);
}

// Generic accessor over get/set callables on C.
template <class C, class T, class Getter, class Setter>
class Access final : public TPropAccess {
public:
    Access(Getter g, Setter s, bool writable) : FGet(g), FSet(s), FWritable(writable) {}
    bool Writable() const override { return FWritable; }

    int64_t GetOrd(const TObject* o) const override {
        if constexpr (IsOrd()) return ToOrd<T>(FGet(Self(o)));
        else return 0;
    }
    void SetOrd(TObject* o, int64_t v) const override {
        if constexpr (IsOrd()) if (FWritable) FSet(Self(o), FromOrd<T>(v));
    }
    long double GetFloat(const TObject* o) const override {
        if constexpr (std::is_floating_point_v<T>) return FGet(Self(o));
        else return 0;
    }
    void SetFloat(TObject* o, long double v) const override {
        if constexpr (std::is_floating_point_v<T>) if (FWritable) FSet(Self(o), static_cast<T>(v));
    }
    AnsiString GetStr(const TObject* o) const override {
        if constexpr (std::is_same_v<T, AnsiString>) return FGet(Self(o));
        else return {};
    }
    void SetStr(TObject* o, const AnsiString& v) const override {
        if constexpr (std::is_same_v<T, AnsiString>) if (FWritable) FSet(Self(o), v);
    }
    TObject* GetObj(const TObject* o) const override {
        if constexpr (std::is_pointer_v<T>) return static_cast<TObject*>(FGet(Self(o)));
        else return nullptr;
    }
    void SetObj(TObject* o, TObject* v) const override {
        if constexpr (std::is_pointer_v<T>) {
            if (!FWritable) return;
            // The caller checked the class through the type information.
            FSet(Self(o), static_cast<T>(v));
        }
    }
    TMethod GetMethod(const TObject* o) const override {
        if constexpr (IsEvent<T>::value) return FGet(Self(o)).ToMethod();
        else return {};
    }
    void SetMethod(TObject* o, const TMethod& m) const override {
        if constexpr (IsEvent<T>::value) if (FWritable) FSet(Self(o), T::FromMethod(m));
    }

private:
    static constexpr bool IsOrd() {
        return std::is_integral_v<T> || std::is_enum_v<T> || IsSet<T>::value;
    }
    static C* Self(TObject* o) { return static_cast<C*>(o); }
    static const C* Self(const TObject* o) { return static_cast<const C*>(o); }
    Getter FGet;
    Setter FSet;
    bool FWritable;
};

template <class C, class T, class G, class S>
std::unique_ptr<TPropAccess> MakeAccess(G g, S s, bool writable) {
    return std::make_unique<Access<C, T, G, S>>(g, s, writable);
}

}  // namespace detail

// Options of one property being declared.
class TPropBuilder {
public:
    explicit TPropBuilder(TPropInfo* info) : FInfo(info) {}
    // The default of an ordinal property: the writer skips the value when equal.
    template <class T>
    TPropBuilder& Default(T value) {
        FInfo->Default = detail::ToOrd(value);
        return *this;
    }
    TPropBuilder& Stored(bool stored) {
        FInfo->StoredConst = stored;
        FInfo->StoredFn = nullptr;
        return *this;
    }
    template <class C>
    TPropBuilder& Stored(bool (C::*pred)() const) {
        FInfo->StoredFn = [pred](const TObject* o) { return (static_cast<const C*>(o)->*pred)(); };
        return *this;
    }

private:
    TPropInfo* FInfo;
};

template <class C>
class ClassBuilder {
public:
    explicit ClassBuilder(TMetaClass* meta) : FMeta(meta) {}

    // A property backed by a field (of this class or an ancestor).
    template <class T, class B>
    TPropBuilder Property(const char* name, T B::*field) {
        static_assert(std::is_base_of_v<B, C>);
        auto get = [field](const C* o) -> const T& { return o->*field; };
        auto set = [field](C* o, const T& v) { o->*field = v; };
        return Add(name, TypeInfoOf<T>(), detail::MakeAccess<C, T>(get, set, true));
    }
    // A property with a getter and a setter (the setter may be null: read-only).
    template <class R, class CG, class A, class CS>
    TPropBuilder Property(const char* name, R (CG::*getter)() const, void (CS::*setter)(A)) {
        using T = std::remove_cvref_t<R>;
        auto get = [getter](const C* o) -> T { return (o->*getter)(); };
        auto set = [setter](C* o, const T& v) { (o->*setter)(v); };
        return Add(name, TypeInfoOf<T>(), detail::MakeAccess<C, T>(get, set, setter != nullptr));
    }
    template <class R, class CG>
    TPropBuilder Property(const char* name, R (CG::*getter)() const, std::nullptr_t) {
        using T = std::remove_cvref_t<R>;
        auto get = [getter](const C* o) -> T { return (o->*getter)(); };
        auto set = [](C*, const T&) {};
        return Add(name, TypeInfoOf<T>(), detail::MakeAccess<C, T>(get, set, false));
    }
    // Same as above with an explicit type information (e.g. an int that the
    // form formats show with names).
    template <class R, class CG, class A, class CS>
    TPropBuilder Property(const char* name, const TTypeInfo* type, R (CG::*getter)() const, void (CS::*setter)(A)) {
        using T = std::remove_cvref_t<R>;
        auto get = [getter](const C* o) -> T { return (o->*getter)(); };
        auto set = [setter](C* o, const T& v) { (o->*setter)(v); };
        return Add(name, type, detail::MakeAccess<C, T>(get, set, setter != nullptr));
    }

    // A published method that form files can name as an event handler.
    template <auto M>
    void Method(const char* name) {
        using Sig = decltype(M);
        MethodImpl<M>(name, static_cast<Sig>(nullptr));
    }

    // A published component field of a root: the reader points it at the
    // component of the same name.
    template <class T>
    void Field(const char* name, T* C::*field) {
        static_assert(std::is_base_of_v<TObject, T>);
        TFieldInfo fi;
        fi.Name = name;
        fi.FieldClass = T::StaticClass();
        fi.Set = [field](TObject* owner, TObject* value) {
            static_cast<C*>(owner)->*field = dynamic_cast<T*>(value);
        };
        fi.Get = [field](const TObject* owner) -> TObject* { return static_cast<const C*>(owner)->*field; };
        FMeta->OwnFields.push_back(std::move(fi));
    }

    static const TMetaClass* Build(const char* name, const TMetaClass* parent) {
        auto* meta = new TMetaClass();  // lives as long as the program
        meta->Name = name;
        meta->Parent = parent;
        if constexpr (std::is_base_of_v<TComponent, C> && !std::is_abstract_v<C> &&
                      std::is_constructible_v<C, TComponent*>) {
            meta->NewComponent = [](TComponent* owner) -> TComponent* { return new C(owner); };
        }
        if constexpr (std::is_base_of_v<TCollectionItem, C> && !std::is_abstract_v<C> &&
                      std::is_constructible_v<C, TCollection*>) {
            meta->NewItem = [](TCollection* coll) -> TCollectionItem* { return new C(coll); };
        }
        if constexpr (!std::is_base_of_v<TComponent, C> && !std::is_base_of_v<TCollectionItem, C> &&
                      !std::is_abstract_v<C> && std::is_default_constructible_v<C>) {
            meta->NewObject = []() -> TObject* { return new C(); };
        }
        ClassBuilder<C> builder(meta);
        C::DescribeClass(builder);
        return meta;
    }

private:
    TPropBuilder Add(const char* name, const TTypeInfo* type, std::unique_ptr<TPropAccess> access) {
        auto info = std::make_unique<TPropInfo>();
        info->Name = name;
        info->Type = type;
        info->Owner = FMeta;
        info->Access = std::move(access);
        TPropInfo* raw = info.get();
        FMeta->OwnProperties.push_back(std::move(info));
        return TPropBuilder(raw);
    }

    template <auto M, class CM, class... Args>
    void MethodImpl(const char* name, void (CM::*)(Args...)) {
        TMethodInfo mi;
        mi.Name = name;
        mi.Code = reinterpret_cast<void*>(&TEvent<Args...>::template Call<M, CM>);
        mi.Signature = TEvent<Args...>::Signature();
        FMeta->OwnMethods.push_back(std::move(mi));
    }

    TMetaClass* FMeta;
};

// Property access by name, for code that works on any class.
const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name);
int64_t GetOrdProp(const TObject* obj, const TPropInfo* prop);
void SetOrdProp(TObject* obj, const TPropInfo* prop, int64_t value);
AnsiString GetStrProp(const TObject* obj, const TPropInfo* prop);
void SetStrProp(TObject* obj, const TPropInfo* prop, const AnsiString& value);
long double GetFloatProp(const TObject* obj, const TPropInfo* prop);
void SetFloatProp(TObject* obj, const TPropInfo* prop, long double value);
TObject* GetObjectProp(const TObject* obj, const TPropInfo* prop);
void SetObjectProp(TObject* obj, const TPropInfo* prop, TObject* value);  // checks the class
TMethod GetMethodProp(const TObject* obj, const TPropInfo* prop);
void SetMethodProp(TObject* obj, const TPropInfo* prop, const TMethod& value);
// Text of a set value as the form formats write it ("[fsBold, fsItalic]" without brackets: names).
std::vector<std::string> SetToNames(const TTypeInfo* setType, uint64_t bits);

}  // namespace vcl
