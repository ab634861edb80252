#include "framework/Classes.h"

#include <algorithm>
#include <map>

#include "framework/Streaming.h"

namespace vcl {

// ---------------------------------------------------------------------------
// TList

VCL_IMPLEMENT_CLASS(TList)
void TList::DescribeClass(ClassBuilder<TList>&) {}

void TList::IndexError(int index) {
    throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

int TList::Add(void* item) {
    FItems.push_back(item);
    ++FVersion;
    if (item) Notify(item, lnAdded);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count()) IndexError(index);
    FItems.insert(FItems.begin() + index, item);
    ++FVersion;
    if (item) Notify(item, lnAdded);
}

int TList::IndexOf(const void* item) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i] == item) return static_cast<int>(i);
    return -1;
}

int TList::Remove(const void* item) {
    int i = IndexOf(item);
    if (i >= 0) Delete(i);
    return i;
}

void TList::Delete(int index) {
    if (index < 0 || index >= Count()) IndexError(index);
    void* item = FItems[static_cast<size_t>(index)];
    FItems.erase(FItems.begin() + index);
    ++FVersion;
    if (item) Notify(item, lnDeleted);
}

void TList::Clear() {
    std::vector<void*> items;
    items.swap(FItems);
    ++FVersion;
    for (void* item : items)
        if (item) Notify(item, lnDeleted);
    FItems.clear();
    FItems.shrink_to_fit();
}

void TList::Exchange(int a, int b) {
    if (a < 0 || a >= Count()) IndexError(a);
    if (b < 0 || b >= Count()) IndexError(b);
    std::swap(FItems[static_cast<size_t>(a)], FItems[static_cast<size_t>(b)]);
    ++FVersion;
}

void TList::Move(int from, int to) {
    if (from == to) return;
    void* item = Get(from);
    if (to < 0 || to >= Count()) IndexError(to);
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, item);
    ++FVersion;
}

void TList::Put(int index, void* item) {
    if (static_cast<unsigned>(index) >= FItems.size()) IndexError(index);
    void* old = FItems[static_cast<size_t>(index)];
    FItems[static_cast<size_t>(index)] = item;
    ++FVersion;
    if (old) Notify(old, lnDeleted);
    if (item) Notify(item, lnAdded);
}

void TList::SetCapacity(int capacity) {
    if (capacity < Count()) throw EListError("List capacity out of bounds (" + IntToStr(capacity) + ")");
    FItems.reserve(static_cast<size_t>(capacity));
}

// ---------------------------------------------------------------------------
// TPersistent

VCL_IMPLEMENT_CLASS(TPersistent)
void TPersistent::DescribeClass(ClassBuilder<TPersistent>&) {}

void TPersistent::Assign(TPersistent* Source) {
    if (Source) Source->AssignTo(this);
    else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
    std::string from = Source ? Source->ClassName() : std::string("nil");
    throw EConvertError("Cannot assign a " + from + " to a " + ClassName());
}

AnsiString TPersistent::GetNamePath() { return ClassName(); }

void TPersistent::DefineProperties(TFiler&) {}

// ---------------------------------------------------------------------------
// TCollectionItem

VCL_IMPLEMENT_CLASS(TCollectionItem)
void TCollectionItem::DescribeClass(ClassBuilder<TCollectionItem>&) {}

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* Value) {
    if (FCollection == Value) return;
    if (FCollection) FCollection->RemoveItem(this);
    if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    auto& items = FCollection->FItems;
    auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
    int cur = Index();
    if (cur < 0 || cur == Value) return;
    auto& items = FCollection->FItems;
    if (Value < 0 || Value >= static_cast<int>(items.size())) TCollection::IndexError(Value);
    items.erase(items.begin() + cur);
    items.insert(items.begin() + Value, this);
    Changed(true);
}

AnsiString TCollectionItem::GetDisplayName() { return ClassName(); }

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

AnsiString TCollectionItem::GetNamePath() {
    if (FCollection) return FCollection->GetNamePath() + "[" + IntToStr(Index()) + "]";
    return ClassName();
}

void TCollectionItem::Changed(bool AllItems) {
    if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
    else if (FCollection) FCollection->FChangedWhileUpdating = true;
}

// ---------------------------------------------------------------------------
// TCollection

VCL_IMPLEMENT_CLASS(TCollection)
void TCollection::DescribeClass(ClassBuilder<TCollection>&) {}

TCollection::TCollection(const TMetaClass* ItemClass) : FItemClass(ItemClass) {}

TCollection::~TCollection() {
    FUpdateCount = 1;  // no change notifications from a dying collection
    while (!FItems.empty()) FItems.back()->Free();
}

void TCollection::IndexError(int index) {
    throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

TCollectionItem* TCollection::Add() {
    if (!FItemClass || !FItemClass->NewItem)
        throw EInvalidOperation("Cannot create items of class " + (FItemClass ? FItemClass->Name : std::string("nil")));
    return FItemClass->NewItem(this);
}

TCollectionItem* TCollection::Insert(int Index) {
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    BeginUpdate();
    TCollectionItem* item = nullptr;
    try {
        item = Add();
        item->SetIndex(Index);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return item;
}

void TCollection::Delete(int Index) {
    TCollectionItem* item = GetItem(Index);
    Notify(item, cnDeleting);
    item->Free();
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    BeginUpdate();
    // Last to first: an item's destruction takes it out of FItems.
    while (!FItems.empty()) FItems.back()->Free();
    EndUpdate();
}

TCollectionItem* TCollection::GetItem(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    return FItems[static_cast<size_t>(Index)];
}

void TCollection::SetItem(int Index, TCollectionItem* Value) { GetItem(Index)->Assign(Value); }

TCollectionItem* TCollection::FindItemID(int ID) const {
    for (TCollectionItem* item : FItems)
        if (item->FID == ID) return item;
    return nullptr;
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        Update(nullptr);
    }
}

void TCollection::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TCollection*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : src->FItems) Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

AnsiString TCollection::GetNamePath() {
    TPersistent* owner = GetOwner();
    if (!owner) return ClassName();
    AnsiString s = owner->GetNamePath();
    if (s.empty()) return ClassName();
    // The owner's property that holds this collection names it.
    for (const TPropInfo* p : owner->ClassType()->Properties())
        if (p->Kind() == TTypeKind::tkClass && GetObjectProp(owner, p) == this) return s + "." + p->Name;
    return s;
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
    else FChangedWhileUpdating = true;
}

void TCollection::InsertItem(TCollectionItem* Item) {
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
    Notify(Item, cnExtracting);
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it != FItems.end()) FItems.erase(it);
    Item->FCollection = nullptr;
    Changed();
}

// ---------------------------------------------------------------------------
// TComponent

VCL_IMPLEMENT_CLASS(TComponent)
void TComponent::DescribeClass(ClassBuilder<TComponent>& c) {
    // The name travels in the object header, never as a property value.
    c.Property("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
    c.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    // Normally done by Free, with the object whole; this covers a plain delete.
    if (!FTornDown) {
        MarkFreeing();
        BeforeDestruction();
    }
}

void TComponent::BeforeDestruction() {
    if (FTornDown) return;
    FTornDown = true;
    Destroying();
    SendRemovalNotifications();
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SendRemovalNotifications() {
    // Each receiver is taken out of the list before it is told, and this
    // component is taken out of the receiver's list, whether or not the
    // receiver's Notification override passes the call on: no list keeps a
    // pointer to a component that is gone.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& back = other->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this, opRemove);
    }
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState << csDestroying;
    for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::DestroyComponents() {
    // Last to first, re-reading the list at every step: a component's
    // destruction may free its siblings.
    while (!FComponents.empty()) {
        TComponent* instance = FComponents.back();
        RemoveComponent(instance);
        // One whose own Free is under way (a handler it ran freed this
        // owner) finishes it ownerless: Free does nothing to it here.
        instance->Free();
    }
}

void TComponent::SetName(const AnsiString& NewName) {
    if (FName == NewName) return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError("'" + NewName + "' is not a valid component name");
    if (FOwner) FOwner->ValidateRename(this, FName, NewName);
    else ValidateRename(nullptr, FName, NewName);
    SetReference(false);
    FName = NewName;
    SetReference(true);
}

void TComponent::SetReference(bool Enable) {
    // The owner's published field of the same name follows the component:
    // set while it is owned under that name, cleared when it goes.
    if (!FOwner || FName.empty()) return;
    const TFieldInfo* field = FOwner->ClassType()->FindField(FName);
    if (!field || !InheritsFrom(field->FieldClass)) return;
    if (Enable) field->Set(FOwner, this);
    else if (field->Get(FOwner) == this) field->Set(FOwner, nullptr);
}

void TComponent::ValidateRename(TComponent* AComponent, const AnsiString& CurName, const AnsiString& NewName) {
    if (AComponent && !NewName.empty() && !SameText(CurName, NewName)) {
        TComponent* existing = FindComponent(NewName);
        if (existing && existing != AComponent)
            throw EComponentError("A component named " + NewName + " already exists");
    }
}

TComponent* TComponent::GetComponent(int Index) const {
    if (Index < 0 || Index >= GetComponentCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    auto& v = FOwner->FComponents;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, AName)) return c;
    return nullptr;
}

void TComponent::SetComponentStateFlag(TComponentStateItem flag, bool on) {
    if (on) FComponentState << flag;
    else FComponentState >> flag;
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    SetComponentStateFlag(csDesigning, Value);
    if (SetChildren)
        for (TComponent* c : FComponents) c->SetDesigning(Value, true);
}

void TComponent::SetLoadingState(bool Loading, bool Reading) {
    SetComponentStateFlag(csLoading, Loading);
    SetComponentStateFlag(csReading, Reading);
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    ValidateInsert(AComponent);
    // A name clash refuses the move before the old owner lets go.
    if (!AComponent->FName.empty()) ValidateRename(AComponent, AnsiString(), AComponent->FName);
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->FOwner != this) return;
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    AComponent->SetReference(true);
}

void TComponent::Remove(TComponent* AComponent) {
    AComponent->SetReference(false);
    auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it != FComponents.end()) FComponents.erase(it);
    AComponent->FOwner = nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (AComponent->FOwner == FOwner && FOwner) return;  // the owner tells them already
    // Kept in both directions, so that whichever goes first is taken out of
    // the other's list.
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
        AComponent->FFreeNotifies.end())
        AComponent->FFreeNotifies.push_back(this);
    FComponentState << csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    auto& a = FFreeNotifies;
    a.erase(std::remove(a.begin(), a.end(), AComponent), a.end());
    auto& b = AComponent->FFreeNotifies;
    b.erase(std::remove(b.begin(), b.end(), this), b.end());
}

void TComponent::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    if (Root != this) return;
    for (size_t i = 0; i < FComponents.size(); ++i)
        if (!FComponents[i]->HasParent()) Proc(FComponents[i]);
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::Loaded() { SetLoadingState(false, false); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    if (FComponents.empty()) return;
    // The receivers as they are now, held weakly: one may free others,
    // earlier or later in the list, and each that is left is told once.
    std::vector<TWeakRef<TComponent>> receivers(FComponents.begin(), FComponents.end());
    for (TWeakRef<TComponent>& r : receivers)
        if (r) r->Notification(AComponent, Operation);
}

void TComponent::DefineProperties(TFiler& Filer) {
    // The designer position of a non-visual component; controls keep theirs
    // in published properties.
    bool hasPos = !HasParent() && (FDesignLeft != 0 || FDesignTop != 0);
    Filer.DefineProperty(
        "Left", [this](TReader& r) { FDesignLeft = static_cast<int32_t>(r.ReadInteger()); },
        [this](TWriter& w) { w.WriteInteger(FDesignLeft); }, hasPos);
    Filer.DefineProperty(
        "Top", [this](TReader& r) { FDesignTop = static_cast<int32_t>(r.ReadInteger()); },
        [this](TWriter& w) { w.WriteInteger(FDesignTop); }, hasPos);
}

// ---------------------------------------------------------------------------
// Class registry

namespace {

struct CaseLess {
    bool operator()(const std::string& a, const std::string& b) const { return UpperCase(a) < UpperCase(b); }
};

std::map<std::string, const TMetaClass*, CaseLess>& Registry() {
    static std::map<std::string, const TMetaClass*, CaseLess> registry;
    return registry;
}

}  // namespace

namespace {
std::vector<TFindGlobalComponent>& GlobalFinders() {
    static std::vector<TFindGlobalComponent> finders;
    return finders;
}
}  // namespace

void RegisterFindGlobalComponentProc(TFindGlobalComponent Proc) {
    auto& f = GlobalFinders();
    if (Proc && std::find(f.begin(), f.end(), Proc) == f.end()) f.push_back(Proc);
}

TComponent* FindGlobalComponent(std::string_view Name) {
    for (TFindGlobalComponent find : GlobalFinders())
        if (TComponent* c = find(Name)) return c;
    return nullptr;
}

void RegisterClass(const TMetaClass* cls) {
    if (!cls) return;
    auto [it, inserted] = Registry().emplace(cls->Name, cls);
    if (!inserted && it->second != cls)
        throw EFilerError("A class named " + cls->Name + " already exists");
}

void RegisterClasses(std::initializer_list<const TMetaClass*> classes) {
    for (const TMetaClass* c : classes) RegisterClass(c);
}

void UnRegisterClass(const TMetaClass* cls) {
    if (!cls) return;
    auto it = Registry().find(cls->Name);
    if (it != Registry().end() && it->second == cls) Registry().erase(it);
}

const TMetaClass* GetClass(std::string_view name) {
    auto it = Registry().find(std::string(name));
    return it == Registry().end() ? nullptr : it->second;
}

const TMetaClass* FindClass(std::string_view name) {
    const TMetaClass* c = GetClass(name);
    if (!c) throw EClassNotFound("Class " + std::string(name) + " not found");
    return c;
}

std::vector<TObject*>& detail::ContextHandlers() {
    static auto& handlers = *new std::vector<TObject*>;
    return handlers;
}

}  // namespace vcl
