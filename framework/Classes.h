// Lists, persistent objects, collections, components and the class registry.
//
// Lifetimes: an owner frees its components; a component leaving its owner (by
// destruction or by moving to another owner) is announced to every component
// of that owner through Notification(opRemove), and to every component that
// asked for it with FreeNotification. A component is destroyed through Free:
// the announcements go out while the object is still whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/System.h"
#include "framework/TypInfo.h"

namespace vcl {

class TReader;
class TWriter;
class TFiler;

// ---------------------------------------------------------------------------
// TList: a list of untyped pointers. Out-of-range access raises EListError.

class TList : public TObject {
    VCL_CLASS(TList, TObject)

    TList() = default;
    ~TList() override = default;

    int Add(void* item);                     // returns the new index
    void Insert(int index, void* item);
    // Inline: the tracker's per-message pass reads the lists once per control.
    void* Get(int index) const {
        if (static_cast<unsigned>(index) >= FItems.size()) IndexError(index);
        return FItems[static_cast<size_t>(index)];
    }
    void Put(int index, void* item);
    int IndexOf(const void* item) const;     // -1 if absent
    int Remove(const void* item);            // the old index, or -1
    void Delete(int index);                  // later entries move down
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    int GetCount() const { return Count(); }
    void* First() const { return Get(0); }
    void* Last() const { return Get(Count() - 1); }
    void Exchange(int a, int b);
    void Move(int from, int to);
    int Capacity() const { return static_cast<int>(FItems.capacity()); }
    // The entries themselves, Count() of them; valid until the list changes.
    void** List() { return FItems.data(); }
    // Counts the changes made through the list's operations (writes through
    // List() are not seen): a reader that keeps something per entry can tell
    // when to build it again.
    uint64_t Version() const { return FVersion; }
    void SetCapacity(int capacity);
    void* operator[](int index) const { return Get(index); }

protected:
    // Told of every non-nil entry that enters or leaves the list through its
    // operations (not through List()), after the change.
    enum TListNotification { lnAdded, lnDeleted };
    virtual void Notify(void* Ptr, TListNotification Action) {
        (void)Ptr;
        (void)Action;
    }

private:
    [[noreturn]] static void IndexError(int index);
    std::vector<void*> FItems;
    uint64_t FVersion = 0;
};

// ---------------------------------------------------------------------------

class TPersistent : public TObject {
    VCL_CLASS(TPersistent, TObject)

    // Copies Source into this object; the default asks Source to AssignTo.
    virtual void Assign(TPersistent* Source);
    // The object that owns this one for naming and streaming purposes.
    virtual TPersistent* GetOwner() { return nullptr; }
    virtual AnsiString GetNamePath();
    // Streams properties that are not published (see TFiler::DefineProperty).
    virtual void DefineProperties(TFiler& Filer);

protected:
    virtual void AssignTo(TPersistent* Dest);
    [[noreturn]] void AssignError(TPersistent* Source);
};

// ---------------------------------------------------------------------------
// Collections.

class TCollection;

class TCollectionItem : public TPersistent {
    VCL_CLASS(TCollectionItem, TPersistent)

    // Creates the item and appends it to Collection (which may be null).
    explicit TCollectionItem(TCollection* Collection);
    // Destroying an item takes it out of its collection.
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    void SetCollection(TCollection* Value);
    int Index() const;
    void SetIndex(int Value);
    int ID() const { return FID; }
    virtual AnsiString GetDisplayName();
    TPersistent* GetOwner() override;
    AnsiString GetNamePath() override;

protected:
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollection : public TPersistent {
    VCL_CLASS(TCollection, TPersistent)

    explicit TCollection(const TMetaClass* ItemClass);
    ~TCollection() override;  // frees all items

    TCollectionItem* Add();                  // a new item of the item class, appended
    TCollectionItem* Insert(int Index);
    void Delete(int Index);
    void Clear();                            // destroys all items, as one change
    int GetCount() const { return static_cast<int>(FItems.size()); }
    int Count() const { return GetCount(); }
    TCollectionItem* GetItem(int Index) const;
    // Assigns Value to the item at Index (the item stays where it is).
    void SetItem(int Index, TCollectionItem* Value);
    TCollectionItem* FindItemID(int ID) const;
    const TMetaClass* ItemClass() const { return FItemClass; }

    // Changes between BeginUpdate and the matching EndUpdate count as one:
    // Update runs once, at the outermost EndUpdate.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void Assign(TPersistent* Source) override;
    AnsiString GetNamePath() override;

protected:
    // Called when the collection changed (Item null: more than one item).
    virtual void Update(TCollectionItem* Item);
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    [[noreturn]] static void IndexError(int index);

    const TMetaClass* FItemClass;
    std::vector<TCollectionItem*> FItems;
    int FUpdateCount = 0;
    int FNextID = 0;
    bool FChangedWhileUpdating = false;
};

// ---------------------------------------------------------------------------
// String lists.

// A list of strings, each with an optional object. Form files store the
// strings as the list value "Strings" (Items.Strings = ('a' 'b')).
class TStrings : public TPersistent {
    VCL_CLASS(TStrings, TPersistent)

    TStrings() = default;
    virtual int Add(const AnsiString& S);  // returns the index where S landed
    int AddObject(const AnsiString& S, TObject* Obj);
    virtual void Insert(int Index, const AnsiString& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    virtual int Count() const = 0;
    virtual AnsiString Get(int Index) const = 0;
    virtual void Put(int Index, const AnsiString& S);
    virtual TObject* GetObject(int) const { return nullptr; }
    virtual void PutObject(int, TObject*) {}
    // Index of the first string equal to S (exact, byte-wise), or -1.
    virtual int IndexOf(const AnsiString& S) const;
    AnsiString Strings(int Index) const { return Get(Index); }
    // The strings, one a line.
    AnsiString Text() const;
    void SetText(const AnsiString& Value);
    void AddStrings(TStrings* Strings);
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler& Filer) override;

protected:
    // Called when the strings changed, outside BeginUpdate/EndUpdate.
    virtual void Changed() {}
    int FUpdateCount = 0;
    bool FChangedWhileUpdating = false;
    void NotifyChanged();
};

class TStringList : public TStrings {
    VCL_CLASS(TStringList, TStrings)

    TStringList() = default;
    int Add(const AnsiString& S) override;
    void Insert(int Index, const AnsiString& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int Count() const override { return static_cast<int>(FItems.size()); }
    AnsiString Get(int Index) const override;
    void Put(int Index, const AnsiString& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* Obj) override;
    // A sorted list keeps its strings ordered ignoring ASCII letter case,
    // then byte-wise; Add inserts in order.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    void Sort();
    TNotifyEvent OnChange;

protected:
    void Changed() override { OnChange(this); }

private:
    void CheckIndex(int Index) const;
    struct TItem {
        AnsiString Text;
        TObject* Object = nullptr;
    };
    std::vector<TItem> FItems;
    bool FSorted = false;
};

// The order of sorted lists: ASCII letter case ignored first, then bytes.
bool SortedLess(const AnsiString& A, const AnsiString& B);

// ---------------------------------------------------------------------------
// Components.

enum TOperation { opInsert = 0, opRemove = 1 };

enum TComponentStateItem {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

class TComponent;
using TGetChildProc = std::function<void(TComponent* Child)>;

class TComponent : public TPersistent {
    VCL_CLASS(TComponent, TPersistent)

    // The owner frees the component with itself.
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    const AnsiString& Name() const { return FName; }
    // Checks the identifier rules and uniqueness among the owner's components
    // (EComponentError otherwise).
    virtual void SetName(const AnsiString& NewName);
    TComponent* Owner() const { return FOwner; }
    int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
    int ComponentCount() const { return GetComponentCount(); }
    TComponent* GetComponent(int Index) const;
    TComponent* Components(int Index) const { return GetComponent(Index); }
    int ComponentIndex() const;
    // Finds an owned component by name (ASCII letter case ignored); null if none.
    TComponent* FindComponent(std::string_view AName) const;

    TComponentState ComponentState() const { return FComponentState; }
    bool IsDesigning() const { return FComponentState.Contains(csDesigning); }
    // BeforeDestruction has run (Free, or the destructor of a plain delete).
    bool IsTornDown() const { return FTornDown; }
    bool IsLoading() const { return FComponentState.Contains(csLoading); }
    bool IsDestroying() const { return FComponentState.Contains(csDestroying); }
    // Marks this component and the components it owns as being designed.
    void SetDesigning(bool Value, bool SetChildren = true);
    void SetLoadingState(bool Loading, bool Reading);

    // Ownership. Inserting into a new owner first removes from the old one.
    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();
    void Destroying();

    // AComponent is told (Notification opRemove) when this component goes,
    // even when they have different owners.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    int64_t Tag() const { return FTag; }
    void SetTag(int64_t v) { FTag = v; }

    // How the component's object was marked in the form file it came from:
    // "inherited" or "inline" (a form or frame that derives from another),
    // and a child position. Kept so that writing it back marks it the same.
    struct TFilerFlags {
        bool Inherited = false;
        bool Inline = false;
        bool HasChildPos = false;
        int32_t ChildPos = 0;
    };
    const TFilerFlags& FilerFlags() const { return FFilerFlags; }
    void SetFilerFlags(const TFilerFlags& v) { FFilerFlags = v; }

    // Designer position of a non-visual component, stored as Left and Top.
    int32_t DesignLeft() const { return FDesignLeft; }
    int32_t DesignTop() const { return FDesignTop; }
    void SetDesignLeft(int32_t v) { FDesignLeft = v; }
    void SetDesignTop(int32_t v) { FDesignTop = v; }

    // Streaming: the children written inside this component (the root writes
    // the components it owns that have no parent), the parent given to
    // components read inside this one, and whether the component has one.
    virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root);
    virtual void SetParentComponent(TComponent* Value);
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetChildParent() { return this; }

    // Called once after the component and its siblings have been read and
    // every reference among them resolved.
    virtual void Loaded();
    // Reaches every component of an owner when one enters or leaves it.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

    TPersistent* GetOwner() override { return FOwner; }
    AnsiString GetNamePath() override { return FName; }
    void DefineProperties(TFiler& Filer) override;

protected:
    void BeforeDestruction() override;
    virtual void ValidateRename(TComponent* AComponent, const AnsiString& CurName, const AnsiString& NewName);
    virtual void ValidateInsert(TComponent*) {}
    void SetComponentStateFlag(TComponentStateItem flag, bool on);

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void SendRemovalNotifications();
    void SetReference(bool Enable);

    TComponent* FOwner = nullptr;
    AnsiString FName;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    TComponentState FComponentState;
    int64_t FTag = 0;
    TFilerFlags FFilerFlags;
    int32_t FDesignLeft = 0;
    int32_t FDesignTop = 0;
    bool FTornDown = false;
};

// ---------------------------------------------------------------------------
// Events bound to a callable and a context component (TEvent::Of(Context, F)).

namespace detail {
// Keeps the handlers of such events reachable for as long as the program
// runs: copies of an event may outlive both the context and the callable,
// so each holder stays as a small tombstone that does nothing once its
// context has gone.
std::vector<TObject*>& ContextHandlers();

template <class... Args>
class TContextHandler : public TComponent {
public:
    TContextHandler(TComponent* Context, std::function<void(Args...)> Fn)
        : TComponent(nullptr), FContext(Context), FFn(std::move(Fn)) {
        if (Context) Context->FreeNotification(this);
        ContextHandlers().push_back(this);
    }
    static void Call(TObject* Self, Args... args) {
        auto* h = static_cast<TContextHandler*>(Self);
        if (!h->FContext || !h->FFn) return;
        // A copy: the callable may rebind the very event that runs it.
        std::function<void(Args...)> fn = h->FFn;
        fn(std::forward<Args>(args)...);
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        // The context goes: what the callable captured goes now, not at exit.
        if (Operation == opRemove) FFn = nullptr;
    }

private:
    TWeakRef<TComponent> FContext;
    std::function<void(Args...)> FFn;
};
}  // namespace detail

template <class... Args>
template <class F>
    requires std::is_invocable_v<F&, Args...>
TEvent<Args...> TEvent<Args...>::Of(TComponent* Context, F&& Fn) {
    auto* h = new detail::TContextHandler<Args...>(Context, std::function<void(Args...)>(std::forward<F>(Fn)));
    return TEvent(&detail::TContextHandler<Args...>::Call, h);
}

// ---------------------------------------------------------------------------
// The class registry used by the form reader.

// Top-level components found by name (forms, data modules): the reader
// resolves "Form2.Button1" through them. The forms unit registers one.
using TFindGlobalComponent = TComponent* (*)(std::string_view Name);
void RegisterFindGlobalComponentProc(TFindGlobalComponent Proc);
TComponent* FindGlobalComponent(std::string_view Name);

void RegisterClass(const TMetaClass* cls);
void RegisterClasses(std::initializer_list<const TMetaClass*> classes);
void UnRegisterClass(const TMetaClass* cls);
// Null when no class of that name is registered.
const TMetaClass* GetClass(std::string_view name);
// Raises EClassNotFound when no class of that name is registered.
const TMetaClass* FindClass(std::string_view name);

template <class T>
void RegisterClass() {
    RegisterClass(T::StaticClass());
}

}  // namespace vcl
