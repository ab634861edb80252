#include "runtime/QVTrackMouse.h"

#include <algorithm>

#include "framework/Windows.h"

using namespace vcl;

// ---------------------------------------------------------------------------
// TQVControlItem

VCL_IMPLEMENT_CLASS(TQVControlItem)
void TQVControlItem::DescribeClass(ClassBuilder<TQVControlItem>& c) {
    c.Property("TheControl", &TQVControlItem::TheControl);
}

// ---------------------------------------------------------------------------
// TQVControlsList

VCL_IMPLEMENT_CLASS(TQVControlsList)
void TQVControlsList::DescribeClass(ClassBuilder<TQVControlsList>&) {}

TQVControlsList::TQVControlsList(TQVTrackMouse* Tracker, TComponent* OwnerForm)
    : TCollection(TQVControlItem::StaticClass()), FTracker(Tracker), FOwnerForm(OwnerForm) {}

TPersistent* TQVControlsList::GetOwner() { return FTracker; }

TQVControlItem* TQVControlsList::GetItem(int Index) const {
    return static_cast<TQVControlItem*>(TCollection::GetItem(Index));
}

void TQVControlsList::SetItem(int Index, TQVControlItem* Value) { TCollection::SetItem(Index, Value); }

int TQVControlsList::IndexOf(TControl* Control) const {
    if (!Control) return -1;
    int i = 0;
    while (i < GetCount()) {
        // An item whose name could not be resolved has no control; it
        // matches nothing, not even an unnamed control.
        TControl* c = GetItem(i)->TheControl;
        if (c && c->Name() == Control->Name()) break;
        ++i;
    }
    return i == GetCount() ? -1 : i;
}

bool TQVControlsList::RemoveControl(TControl* Control) { return RemoveComponentItems(Control, false); }

bool TQVControlsList::RemoveComponentItems(const TComponent* AComponent, bool Every) {
    if (!AComponent || GetCount() == 0) return false;
    bool removed = false;
    BeginUpdate();
    for (int i = GetCount() - 1; i >= 0; --i) {
        // Identity of the references, compared without looking into the
        // component, which may be half torn down when it announces its going.
        if (static_cast<const TComponent*>(GetItem(i)->TheControl) != AComponent) continue;
        if (!Every) {
            // The first match only: look on from the front.
            for (int j = 0; j <= i; ++j)
                if (static_cast<const TComponent*>(GetItem(j)->TheControl) == AComponent) {
                    i = j;
                    break;
                }
        }
        GetItem(i)->Free();
        removed = true;
        if (!Every) break;
    }
    EndUpdate();
    return removed;
}

void TQVControlsList::Notification(TComponent* AComponent, TOperation Operation) {
    // Every item naming a component that goes: a hand-edited form may list a
    // control twice.
    if (Operation == opRemove) RemoveComponentItems(AComponent, true);
}

// ---------------------------------------------------------------------------
// TQVTrackMouse

VCL_IMPLEMENT_CLASS(TQVTrackMouse)
void TQVTrackMouse::DescribeClass(ClassBuilder<TQVTrackMouse>& c) {
    c.Property("OnMouseEnter", &TQVTrackMouse::FOnMouseEnter);
    c.Property("OnMouseLeave", &TQVTrackMouse::FOnMouseLeave);
    c.Property("Associate", &TQVTrackMouse::Associate, &TQVTrackMouse::SetAssociate);
    c.Property("Bounding", &TQVTrackMouse::FBounding).Default(true);
}

TQVTrackMouse::TQVTrackMouse(TComponent* AOwner) : TComponent(AOwner) {
    FAssociate = new TQVControlsList(this, AOwner);
    FBounding = true;
    FActive = false;
    FRect = static_cast<TRect*>(GetMem(sizeof(TRect)));
    *FRect = TRect{};
    FTrackedControls = new TQVTrackedList(this);
    FControlStates = new TList();
}

TQVTrackMouse::~TQVTrackMouse() {
    FreeMem(FRect);
    FTrackedControls->Free();
    FControlStates->Free();
    FAssociate->Free();
    // The owner keeps the window procedure it has: the hook installed in
    // Loaded sends its messages past this tracker from now on.
}

void TQVTrackMouse::SetAssociate(TQVControlsList* Value) {
    // The tracker keeps the collection it owns and copies the items.
    if (!Value || Value == FAssociate) return;
    FAssociate->BeginUpdate();
    FAssociate->Clear();
    for (int i = 0; i < Value->GetCount(); ++i) {
        auto* item = static_cast<TQVControlItem*>(FAssociate->Add());
        item->TheControl = Value->GetItem(i)->TheControl;
        item->FControlName = Value->GetItem(i)->FControlName;
    }
    FAssociate->EndUpdate();
}

void TQVTrackMouse::Loaded() {
    // The base Loaded is not called: the tracker has no loading state of its
    // own to clear (the reader ends every component's load itself).
    for (int i = 0; i < FAssociate->GetCount(); ++i) {
        TControl* control = FAssociate->GetItem(i)->TheControl;
        FTrackedControls->Add(control);
        FControlStates->Add(control);
    }
    if (!ComponentState().Contains(csDesigning)) {
        // An owner that is not a control has no window procedure to take.
        if (auto* owner = dynamic_cast<TControl*>(Owner()))
            FOldWindowProc = HookWindowProc(owner, this, TWndMethod::Of<&TQVTrackMouse::WndProc>(this));
    }
    FActive = true;
}

void TQVTrackMouse::Run() {
    if (!FActive) Loaded();
}

void TQVTrackMouse::Notification(TComponent* AComponent, TOperation Operation) {
    // A tracked control that is being destroyed leaves the tracked lists
    // too, so that no later pass reaches it; a component that merely leaves
    // the owner changes Associate only.
    if (Operation == opRemove && AComponent && AComponent->ComponentState().Contains(csDestroying))
        ForgetControl(static_cast<const void*>(AComponent));
    FAssociate->Notification(AComponent, Operation);
}

void TQVTrackMouse::ForgetControl(const void* Control) {
    // Every entry of the control, with the state entry at the same index.
    for (int i = FTrackedControls->Count() - 1; i >= 0; --i) {
        if (FTrackedControls->Get(i) != Control) continue;
        FTrackedControls->Delete(i);
        if (i < FControlStates->Count()) FControlStates->Delete(i);
    }
    // State entries only ever count as nil or not nil; one that still holds
    // the dying control's address is never followed.
}

void TQVTrackedList::Notify(void* Ptr, TListNotification Action) {
    // Programs add to TrackedControls directly: each control that enters
    // is asked to say when it is freed (the owner's controls say so to every
    // component of the owner already).
    if (Action != lnAdded || !FTracker) return;
    auto* c = static_cast<TControl*>(Ptr);
    if (c->Owner() != FTracker->Owner()) c->FreeNotification(FTracker);
}

void TQVTrackMouse::WndProc(TMessage& Message) {
    // A handler may free this tracker, or the form with it; what is needed
    // afterwards is copied, and a message whose form is gone ends there.
    TWndMethod oldProc = FOldWindowProc;
    TWeakRef<TQVTrackMouse> self(this);
    const bool owned = Owner() != nullptr;
    TWeakRef<TComponent> form(Owner());
    if (FBounding) {
        if ((Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) && Message.LParam == 0)
            Message.LParam = reinterpret_cast<intptr_t>(dynamic_cast<TControl*>(Owner()));
        auto* control = reinterpret_cast<TControl*>(Message.LParam);
        if (Message.Msg == CM_MOUSEENTER) {
            if (FTrackedControls->IndexOf(control) != -1 && FOnMouseEnter.Assigned()) {
                FOnMouseEnter(control);
                Message.Result = 0;
            }
        } else if (Message.Msg == CM_MOUSELEAVE) {
            if (FTrackedControls->IndexOf(control) != -1 && FOnMouseLeave.Assigned()) {
                FOnMouseLeave(control);
                Message.Result = 0;
            }
        }
    } else {
        // Resynchronise the states with the tracked controls by count alone.
        int a = FTrackedControls->Count();
        int b = FControlStates->Count();
        for (int i = b; i < a; ++i) FControlStates->Add(FTrackedControls->Get(i));
        for (int i = a; i < b; ++i) FControlStates->Delete(FControlStates->Count() - 1);
        // The entries are read in place; after each handler call the lists
        // are looked at again, since a handler may have changed them.
        int count = FTrackedControls->Count();
        void** tracked = FTrackedControls->List();
        void** states = FControlStates->List();
        int limit = std::min(count, FControlStates->Count());
        for (int i = 0; i < limit; ++i) {
            auto* c = static_cast<TControl*>(tracked[i]);
            if (!c) continue;
            TPoint origin = c->GetClientOrigin();
            FRect->Left = origin.x;
            FRect->Top = origin.y;
            FRect->Right = origin.x + c->GetClientWidth();
            FRect->Bottom = origin.y + c->GetClientHeight();
            TPoint p;
            // A failed cursor read changes no state.
            if (!GetCursorPos(&p)) continue;
            bool inside = PtInRect(FRect, p) != 0;
            bool called = false;
            if (!inside && states[i] == nullptr && FOnMouseLeave.Assigned()) {
                states[i] = c;
                FOnMouseLeave(c);
                called = true;
            } else if (inside && states[i] != nullptr && FOnMouseEnter.Assigned()) {
                states[i] = nullptr;
                FOnMouseEnter(c);
                called = true;
            }
            if (called) {
                if (!self) break;  // the handler freed this tracker
                // Indices past the ends of the lists a handler shortened are
                // not visited.
                tracked = FTrackedControls->List();
                states = FControlStates->List();
                limit = std::min({count, FTrackedControls->Count(), FControlStates->Count()});
            }
        }
    }
    if (owned && !form) return;
    oldProc(Message);
}

bool TQVTrackMouse::print(int, int X, int Y, AnsiString Text) {
    HDC dc = GetDC(nullptr);
    SetTextColor(dc, 1);  // red 1, green 0, blue 0: a fixed near-black
    TextOutA(dc, X, Y, Text.c_str(), static_cast<int>(Text.size()));
    ReleaseDC(nullptr, dc);
    return true;
}

// ---------------------------------------------------------------------------
// Unit routines

bool IsClass(const TMetaClass* Class, const AnsiString& Name) {
    for (const TMetaClass* c = Class; c; c = c->ClassParent())
        if (c->ClassNameIs(Name)) return true;
    return false;
}

int _d(AnsiString Text, AnsiString Caption, int Type) {
    return MessageBoxA(nullptr, Text.c_str(), Caption.c_str(), static_cast<uint32_t>(Type));
}

void RegisterQVTrackMouse() { RegisterClasses({TQVTrackMouse::StaticClass()}); }
