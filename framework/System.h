// The root of the object model: TObject and its metaclass, method pointers
// (closures) and small sets of enumeration values.
//
// Every framework class declares its metadata once, with VCL_CLASS in the class
// body and VCL_IMPLEMENT_CLASS plus a DescribeClass function in its source. The
// metaclass carries the class name, the parent, a factory where streams may
// create the class, and the published properties and methods. The form reader,
// the form writer and the designer all go through that one table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/SysUtils.h"

namespace vcl {

class TObject;
class TComponent;
class TCollection;
class TCollectionItem;
struct TMetaClass;
struct TPropInfo;
struct TMethodInfo;
struct TFieldInfo;
template <class C> class ClassBuilder;

// ---------------------------------------------------------------------------
// Method pointers.

// The two halves of a method pointer: the code part and the object part.
struct TMethod {
    void* Code = nullptr;
    TObject* Data = nullptr;
    bool operator==(const TMethod&) const = default;
};

// A "procedure(Args...) of object": a code part that takes the object part as
// its first argument. An event counts as assigned when its code part is set;
// an object part alone does not make it assigned.
template <class... Args>
class TEvent {
public:
    using Thunk = void (*)(TObject*, Args...);

    TEvent() = default;
    TEvent(Thunk code, TObject* data) : FCode(code), FData(data) {}

    // Binds a member function: TEvent<...>::Of<&C::Handler>(obj).
    template <auto M, class C>
    static TEvent Of(C* obj) {
        return TEvent(&Call<M, C>, static_cast<TObject*>(obj));
    }

    // Binds a callable (a lambda) to a context component, as a connection
    // with a context object: the callable lives as long as the context and
    // is never called once the context is freed. Form files store handlers
    // by method name only, so an event bound this way is not written.
    // Defined in Classes.h.
    template <class F>
        requires std::is_invocable_v<F&, Args...>
    static TEvent Of(TComponent* Context, F&& Fn);

    bool Assigned() const { return FCode != nullptr; }
    explicit operator bool() const { return Assigned(); }

    // Calls the handler; an unassigned event does nothing.
    void operator()(Args... args) const {
        if (FCode) FCode(FData, std::forward<Args>(args)...);
    }

    Thunk Code() const { return FCode; }
    TObject* Data() const { return FData; }
    void SetData(TObject* data) { FData = data; }

    TMethod ToMethod() const { return TMethod{reinterpret_cast<void*>(FCode), FData}; }
    static TEvent FromMethod(const TMethod& m) {
        return TEvent(reinterpret_cast<Thunk>(m.Code), m.Data);
    }
    bool operator==(const TEvent&) const = default;

    // Identity of the signature, so that a handler found by name can be
    // checked against the event it is bound to.
    static const void* Signature() {
        static const char tag = 0;
        return &tag;
    }

    template <auto M, class C>
    static void Call(TObject* self, Args... args) {
        (static_cast<C*>(self)->*M)(std::forward<Args>(args)...);
    }

private:
    Thunk FCode = nullptr;
    TObject* FData = nullptr;
};

using TNotifyEvent = TEvent<TObject*>;

// ---------------------------------------------------------------------------
// Sets of enumeration values, as bits of one 64-bit word.

template <class E>
class TSet {
    static_assert(std::is_enum_v<E>);

public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) {
        for (E e : items) FBits |= Bit(e);
    }
    static constexpr TSet FromBits(uint64_t bits) {
        TSet s;
        s.FBits = bits;
        return s;
    }
    constexpr uint64_t Bits() const { return FBits; }
    constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& operator<<(E e) { FBits |= Bit(e); return *this; }   // include
    constexpr TSet& operator>>(E e) { FBits &= ~Bit(e); return *this; }  // exclude
    constexpr TSet operator+(TSet o) const { return FromBits(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const { return FromBits(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const { return FromBits(FBits & o.FBits); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr uint64_t Bit(E e) { return uint64_t{1} << static_cast<unsigned>(e); }
    uint64_t FBits = 0;
};

// ---------------------------------------------------------------------------
// Metaclasses.

using TComponentFactory = TComponent* (*)(TComponent* owner);
using TItemFactory = TCollectionItem* (*)(TCollection* collection);

struct TMetaClass {
    std::string Name;
    const TMetaClass* Parent = nullptr;
    // Set where a stream may create the class: components by owner, collection
    // items by collection. Null for abstract classes and plain objects.
    TComponentFactory NewComponent = nullptr;
    TItemFactory NewItem = nullptr;
    // Set for other classes made with no arguments (property editors), so
    // that a class reference can make an instance.
    TObject* (*NewObject)() = nullptr;
    // Published members declared by this class itself, in declaration order.
    std::vector<std::unique_ptr<TPropInfo>> OwnProperties;
    std::vector<TMethodInfo> OwnMethods;
    std::vector<TFieldInfo> OwnFields;

    TMetaClass();
    ~TMetaClass();
    TMetaClass(const TMetaClass&) = delete;
    TMetaClass& operator=(const TMetaClass&) = delete;

    const std::string& ClassName() const { return Name; }
    bool ClassNameIs(std::string_view name) const { return Name == name; }  // exact
    const TMetaClass* ClassParent() const { return Parent; }
    bool InheritsFrom(const TMetaClass* other) const;

    // Every published property, ancestors' first, each in declaration order.
    // A class may redeclare an ancestor's property; the redeclaration takes the
    // ancestor's place in the order.
    const std::vector<const TPropInfo*>& Properties() const;
    // Lookups ignore ASCII letter case, as the form formats do.
    const TPropInfo* FindProperty(std::string_view name) const;
    const TMethodInfo* FindMethod(std::string_view name) const;
    const TMethodInfo* FindMethodByCode(const void* code) const;
    const TFieldInfo* FindField(std::string_view name) const;

private:
    mutable std::vector<const TPropInfo*> FAllProps;
    mutable bool FAllPropsBuilt = false;
};

// A published method: a handler that a form file can name.
struct TMethodInfo {
    std::string Name;
    void* Code = nullptr;          // the event thunk, as stored in TMethod::Code
    const void* Signature = nullptr;
};

// A published field: the root's member that the reader points at the
// component of the same name.
struct TFieldInfo {
    std::string Name;
    const TMetaClass* FieldClass = nullptr;
    std::function<void(TObject* owner, TObject* value)> Set;
    std::function<TObject*(const TObject* owner)> Get;
};

// ---------------------------------------------------------------------------
// TObject.

class TObject {
public:
    TObject() = default;
    virtual ~TObject();
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    static const TMetaClass* StaticClass();
    virtual const TMetaClass* ClassType() const { return StaticClass(); }
    const std::string& ClassName() const { return ClassType()->Name; }
    bool ClassNameIs(std::string_view name) const { return ClassType()->ClassNameIs(name); }
    const TMetaClass* ClassParent() const { return ClassType()->Parent; }
    bool InheritsFrom(const TMetaClass* cls) const { return ClassType()->InheritsFrom(cls); }

    // Runs BeforeDestruction with the object still whole, then destroys it.
    // Objects of the framework are released with Free (or the null-safe
    // vcl::FreeObject), so that notifications see the full object.
    // A second Free of an object whose teardown is under way (a handler it
    // ran frees it again, or frees its owner or parent) does nothing: the
    // teardown already running finishes the job.
    void Free();
    bool Freeing() const { return FFreeing; }

protected:
    // Called by Free before any destructor runs.
    virtual void BeforeDestruction() {}
    // For teardown begun by a plain delete.
    void MarkFreeing() { FFreeing = true; }

private:
    static void DescribeClass(ClassBuilder<TObject>&) {}
    friend class ClassBuilder<TObject>;
    friend class TWeakRefBase;
    // Head of the list of weak references to this object (see Classes.h).
    class TWeakRefBase* FWeakRefs = nullptr;
    bool FFreeing = false;
    void ClearWeakRefs();
};

// Null-safe Free.
inline void FreeObject(TObject* obj) {
    if (obj) obj->Free();
}
template <class T>
void FreeAndNil(T*& obj) {
    T* p = obj;
    obj = nullptr;
    FreeObject(p);
}

// A reference that does not own its target and becomes null when the target
// is destroyed. Use it wherever a pointer may outlive what it points at.
class TWeakRefBase {
public:
    TWeakRefBase() = default;
    explicit TWeakRefBase(TObject* target) { Attach(target); }
    TWeakRefBase(const TWeakRefBase& o) { Attach(o.FTarget); }
    TWeakRefBase& operator=(const TWeakRefBase& o) {
        if (this != &o) Reset(o.FTarget);
        return *this;
    }
    ~TWeakRefBase() { Detach(); }
    void Reset(TObject* target = nullptr) {
        if (target == FTarget) return;
        Detach();
        Attach(target);
    }
    TObject* GetObject() const { return FTarget; }

private:
    friend class TObject;
    void Attach(TObject* target);
    void Detach();
    TObject* FTarget = nullptr;
    TWeakRefBase* FPrev = nullptr;
    TWeakRefBase* FNext = nullptr;
};

// Inline: handlers' callers take weak references on every message. A
// reference on the stack links itself into its target's list and unlinks in
// its destructor, which the compiler's dangling-pointer analysis cannot see.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
#endif
inline void TWeakRefBase::Attach(TObject* target) {
    FTarget = target;
    if (!target) return;
    FPrev = nullptr;
    FNext = target->FWeakRefs;
    if (FNext) FNext->FPrev = this;
    target->FWeakRefs = this;
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

inline void TWeakRefBase::Detach() {
    if (!FTarget) return;
    if (FPrev) FPrev->FNext = FNext;
    else FTarget->FWeakRefs = FNext;
    if (FNext) FNext->FPrev = FPrev;
    FTarget = nullptr;
    FPrev = FNext = nullptr;
}

template <class T>
class TWeakRef : public TWeakRefBase {
public:
    TWeakRef() = default;
    TWeakRef(T* target) : TWeakRefBase(static_cast<TObject*>(target)) {}
    TWeakRef& operator=(T* target) {
        Reset(static_cast<TObject*>(target));
        return *this;
    }
    T* Get() const { return static_cast<T*>(GetObject()); }
    T* operator->() const { return Get(); }
    operator T*() const { return Get(); }
};

// The framework's raw memory, for records that framework objects own.
void* GetMem(size_t size);
void FreeMem(void* p);

}  // namespace vcl

// Class metadata. VCL_CLASS goes first in the class body and leaves the access
// at public; VCL_IMPLEMENT_CLASS goes in the source file, beside the class's
// DescribeClass function, which declares the published members.
#define VCL_CLASS(Name, Parent)                                            \
public:                                                                    \
    using inherited = Parent;                                              \
    static const ::vcl::TMetaClass* StaticClass();                         \
    const ::vcl::TMetaClass* ClassType() const override { return StaticClass(); } \
                                                                           \
private:                                                                   \
    static void DescribeClass(::vcl::ClassBuilder<Name>& c);               \
    friend class ::vcl::ClassBuilder<Name>;                                \
                                                                           \
public:

#define VCL_IMPLEMENT_CLASS(Name)                                          \
    const ::vcl::TMetaClass* Name::StaticClass() {                         \
        static const ::vcl::TMetaClass* const meta =                       \
            ::vcl::ClassBuilder<Name>::Build(#Name, Name::inherited::StaticClass()); \
        return meta;                                                       \
    }
