#include "runtime/QVTrackMouse.h"

#include <algorithm>

#include "framework/Forms.h"
#include "framework/MessageTrace.h"
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

TQVControlItem* TQVControlsList::AddControl(TControl* Control) {
    auto* item = static_cast<TQVControlItem*>(Add());
    item->TheControl = Control;
    // A control of another owner says when it goes, so that no item keeps it.
    if (Control && FTracker && Control->Owner() != FTracker->Owner()) Control->FreeNotification(FTracker);
    if (FTracker && FTracker->FActive) {
        FTracker->FTrackedControls->Add(Control);
        FTracker->FControlStates->Add(Control);
    }
    return item;
}

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
    // The extensions come last and are stored only when set, so that forms
    // that do not use them are written as before.
    c.Property("TrackChildren", &TQVTrackMouse::FTrackChildren).Default(false);
    c.Property("HoverTime", &TQVTrackMouse::HoverTime, &TQVTrackMouse::SetHoverTime).Default(400);
    c.Property("OnMouseHover", &TQVTrackMouse::FOnMouseHover);
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
    if (Application) Application->RemoveIdleHandler(this);
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

void TQVTrackMouse::SetHoverTime(uint32_t v) {
    FHoverTime = v;
    if (FActive) ArmDwell();
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
        if (auto* owner = dynamic_cast<TControl*>(Owner())) {
            FOldWindowProc = HookWindowProc(owner, this, TWndMethod::Of<&TQVTrackMouse::WndProc>(this));
            // Layout changes under a still pointer are looked at when the
            // application is idle.
            if (Application) Application->AddIdleHandler(this, TNotifyEvent::Of<&TQVTrackMouse::IdleCheck>(this));
        }
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
    // A control that goes is no longer under the pointer, and no event names
    // it any more: it leaves without a leave.
    SetOver(static_cast<TControl*>(const_cast<void*>(Control)), false);
    // State entries only ever count as nil or not nil; one that still holds
    // the dying control's address is never followed.
}

void TQVTrackedList::Notify(void* Ptr, TListNotification Action) {
    if (!FTracker) return;
    auto* c = static_cast<TControl*>(Ptr);
    if (Action == lnDeleted) {
        // A control no longer tracked is no longer reported under the pointer.
        if (IndexOf(c) < 0) FTracker->SetOver(c, false);
        return;
    }
    // Programs add to TrackedControls directly: each control that enters
    // is asked to say when it is freed (the owner's controls say so to every
    // component of the owner already).
    if (c->Owner() != FTracker->Owner()) c->FreeNotification(FTracker);
}

// ---------------------------------------------------------------------------
// Pointer state and dwell

bool TQVTrackMouse::InOver(const TControl* Control) const {
    for (const TOver& o : FOver)
        if (o.Control == Control) return true;
    return false;
}

void TQVTrackMouse::SetOver(TControl* Control, bool Over) {
    if (!Control) return;
    auto it = std::find_if(FOver.begin(), FOver.end(), [&](const TOver& o) { return o.Control == Control; });
    if (Over == (it != FOver.end())) return;
    ++FOverVersion;
    // Traced whether or not a handler is assigned: a missing one shows.
    // (A control that is being destroyed is not looked into.)
    if (MessageTraceOn() && !Control->ComponentState().Contains(csDestroying))
        TraceLine("  " + TraceWho() + (Over ? ": pointer over " : ": pointer off ") + TraceName(Control));
    if (!Over) {
        FOver.erase(it);
        return;
    }
    FOver.push_back(TOver{Control, TickCount(), false});
    if (FOnMouseHover.Assigned()) ArmDwell();
}

bool TQVTrackMouse::IsPointerOver(const TControl* Control) const {
    return Control && InOver(Control) && FTrackedControls->IndexOf(Control) >= 0;
}

std::vector<TControl*> TQVTrackMouse::ControlsUnderPointer() const {
    std::vector<TControl*> r;
    for (int i = 0; i < FTrackedControls->Count(); ++i) {
        auto* c = static_cast<TControl*>(FTrackedControls->Get(i));
        if (c && InOver(c) && std::find(r.begin(), r.end(), c) == r.end()) r.push_back(c);
    }
    return r;
}

void TQVTrackMouse::ArmDwell() {
    // One timer for the soonest entry still waiting; 0 is run as a task
    // after the current message instead.
    uint64_t soonest = UINT64_MAX;
    if (FOnMouseHover.Assigned())
        for (const TOver& o : FOver)
            if (!o.Hovered) soonest = std::min(soonest, o.Since + FHoverTime);
    if (soonest == UINT64_MAX) {
        if (FDwellTimer) FDwellTimer->SetEnabled(false);
        return;
    }
    const uint64_t now = TickCount();
    if (soonest <= now) {
        if (FDwellTimer) FDwellTimer->SetEnabled(false);
        if (!FDwellPosted && Application) {
            FDwellPosted = true;
            TWeakRef<TQVTrackMouse> self(this);
            Application->Post([self] {
                if (TQVTrackMouse* t = self.Get()) {
                    t->FDwellPosted = false;
                    t->CheckDwell(nullptr);
                }
            });
        }
        return;
    }
    if (!FDwellTimer) {
        FDwellTimer = std::make_unique<TTimer>(nullptr);
        FDwellTimer->SetOnTimer(TNotifyEvent::Of<&TQVTrackMouse::CheckDwell>(this));
    }
    FDwellTimer->SetInterval(static_cast<uint32_t>(std::min<uint64_t>(soonest - now, UINT32_MAX)));
    FDwellTimer->SetEnabled(true);
}

void TQVTrackMouse::CheckDwell(TObject*) {
    TWeakRef<TQVTrackMouse> self(this);
    // In the geometric mode a leave is seen only by a pass: one runs first,
    // so that a pointer that has gone gets no hover.
    if (!FBounding && FActive) {
        GeometricPass();
        if (!self) return;
    }
    for (;;) {
        const uint64_t now = TickCount();
        TControl* due = nullptr;
        for (TOver& o : FOver)
            if (!o.Hovered && o.Since + FHoverTime <= now) {
                o.Hovered = true;
                due = o.Control;
                break;
            }
        if (!due || !FOnMouseHover.Assigned()) break;
        if (!Fire(FOnMouseHover, "OnMouseHover", due)) return;
    }
    ArmDwell();
}

void TQVTrackMouse::IdleCheck(TObject*) {
    // Something moved, appeared or went since the last pass: the pointer may
    // be over other controls though it did not move. The messaging mode has
    // the framework's idle processing report such changes, and looks only
    // for tracked controls a moved child left behind. A handler run by
    // either may free this tracker: nothing follows them.
    if (!FActive) return;
    if (!FBounding) {
        if (FPassLayout != LayoutGeneration()) GeometricPass();
    } else {
        LeaveAbandoned(nullptr);
    }
}

std::string TQVTrackMouse::TraceWho() const { return Name().empty() ? std::string(ClassName()) : std::string(Name()); }

bool TQVTrackMouse::Fire(TQVTrackMouseEvent& Event, const char* Name, TControl* Control) {
    if (MessageTraceOn()) TraceLine("  " + TraceWho() + "." + Name + "(" + TraceName(Control) + ")");
    TWeakRef<TQVTrackMouse> self(this);
    TQVTrackMouseEvent handler = Event;
    handler(Control);
    return self.Get() != nullptr;
}

// ---------------------------------------------------------------------------
// Detection

namespace {
// Whether Inner is Outer or lies inside it.
bool Within(const TControl* Inner, const TControl* Outer) {
    for (const TControl* c = Inner; c; c = c->Parent())
        if (c == Outer) return true;
    return false;
}
}  // namespace

void TQVTrackMouse::WndProc(TMessage& Message) {
    TWndMethod oldProc = FOldWindowProc;
    if (FBounding) {
        // Only the two notifications concern the messaging mode.
        if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) [[unlikely]] {
            if (!MessagingEvent(Message)) return;
        }
    } else if (!GeometricPass()) {
        return;
    }
    oldProc(Message);
}

bool TQVTrackMouse::MessagingEvent(TMessage& Message) {
    // A handler may free this tracker, or the form with it.
    TWeakRef<TQVTrackMouse> self(this);
    const bool owned = Owner() != nullptr;
    TWeakRef<TComponent> form(Owner());
    if (Message.LParam == 0) Message.LParam = reinterpret_cast<intptr_t>(dynamic_cast<TControl*>(Owner()));
    auto* control = reinterpret_cast<TControl*>(Message.LParam);
    const bool entering = Message.Msg == CM_MOUSEENTER;
    if (!FTrackChildren) {
        if (FTrackedControls->IndexOf(control) != -1) {
            SetOver(control, entering);
            TQVTrackMouseEvent& event = entering ? FOnMouseEnter : FOnMouseLeave;
            // Result is written once the handler has returned: the handler,
            // and any dispatch nested in it, still see the record as it came.
            if (event.Assigned()) {
                Fire(event, entering ? "OnMouseEnter" : "OnMouseLeave", control);
                Message.Result = 0;
            }
        }
        return !owned || form;
    }
    // Children count for their tracked ancestors. The tracked controls
    // concerned are the control and its ancestors; the framework has
    // already recorded the control the pointer is over now.
    // A handler earlier in the chain may have freed the control the message
    // names: its ancestors are looked up only when it is still in the form.
    std::vector<TWeakRef<TControl>> concerned;
    if (FindDescendant(dynamic_cast<TControl*>(Owner()), control)) {
        for (TControl* c = control; c; c = c->Parent())
            if (FTrackedControls->IndexOf(c) != -1) concerned.emplace_back(c);
    } else if (FTrackedControls->IndexOf(control) != -1) {
        concerned.emplace_back(control);  // tracked, so alive: a control of another form
    }
    if (entering) std::reverse(concerned.begin(), concerned.end());  // outermost first
    for (auto& ref : concerned) {
        TControl* t = ref.Get();
        if (!self || (owned && !form)) break;
        if (!t || FTrackedControls->IndexOf(t) == -1) continue;
        if (entering) {
            if (InOver(t)) continue;
        } else {
            if (!InOver(t)) continue;
            // Still over it, or over one of its descendants: no leave. (Read
            // each time: a handler may have freed the control under the pointer.)
            const TControl* now = Application ? Application->MouseControl() : nullptr;
            if (now && Within(now, t) && (t != control || now != t)) continue;
        }
        SetOver(t, entering);
        TQVTrackMouseEvent& event = entering ? FOnMouseEnter : FOnMouseLeave;
        if (!event.Assigned()) continue;
        Fire(event, entering ? "OnMouseEnter" : "OnMouseLeave", t);
        Message.Result = 0;
    }
    if ((!owned || form) && self) return LeaveAbandoned(&Message);
    return !owned || form;
}

bool TQVTrackMouse::LeaveAbandoned(TMessage* Message) {
    // A child moved out of a tracked control takes the pointer with it, and
    // no later message names the control it left: every control reported
    // entered is held against the control under the pointer.
    if (!FTrackChildren || !FBounding || FOver.empty()) return true;
    const TControl* now = Application ? Application->MouseControl() : nullptr;
    std::vector<TWeakRef<TControl>> left;
    for (const TOver& o : FOver)
        if (!now || !Within(now, o.Control)) left.emplace_back(o.Control);
    if (left.empty()) return true;
    TWeakRef<TQVTrackMouse> self(this);
    const bool owned = Owner() != nullptr;
    TWeakRef<TComponent> form(Owner());
    for (auto& ref : left) {
        if (!self || (owned && !form)) break;
        TControl* t = ref.Get();
        if (!t || !InOver(t)) continue;
        // Read again: a handler may have moved the pointer or the controls.
        now = Application ? Application->MouseControl() : nullptr;
        if (now && Within(now, t)) continue;
        SetOver(t, false);
        if (!FOnMouseLeave.Assigned()) continue;
        Fire(FOnMouseLeave, "OnMouseLeave", t);
        if (Message) Message->Result = 0;
    }
    return !owned || form;
}

void TQVTrackMouse::RebuildCache() {
    const int count = FTrackedControls->Count();
    FCache.resize(static_cast<size_t>(count));
    void** tracked = FTrackedControls->List();
    void** states = FControlStates->List();
    const int nstates = FControlStates->Count();
    for (int i = 0; i < count; ++i) {
        TCached& e = FCache[static_cast<size_t>(i)];
        auto* c = static_cast<TControl*>(tracked[i]);
        if (!c) {
            // Never visited: it looks settled outside.
            e = TCached{TRect{}, false, false};
            continue;
        }
        TPoint origin = c->GetClientOrigin();
        e.Rect = TRect{origin.x, origin.y, origin.x + c->GetClientWidth(), origin.y + c->GetClientHeight()};
        e.StateIn = i < nstates && states[i] == nullptr;
        e.Over = InOver(c);
    }
    FCacheLayout = LayoutGeneration();
    FCacheTracked = FTrackedControls->Version();
    FCacheStates = FControlStates->Version();
    FCacheOver = FOverVersion;
    FCacheValid = true;
}

bool TQVTrackMouse::GeometricPass() {
    // Resynchronise the states with the tracked controls by count alone.
    int a = FTrackedControls->Count();
    int b = FControlStates->Count();
    for (int i = b; i < a; ++i) FControlStates->Add(FTrackedControls->Get(i));
    for (int i = a; i < b; ++i) FControlStates->Delete(FControlStates->Count() - 1);
    FPassLayout = LayoutGeneration();
    // The rectangles are computed once per layout: every change of place,
    // size, parent, visibility or window position moves the generation on.
    if (!FCacheValid || FCacheLayout != LayoutGeneration() || FCacheTracked != FTrackedControls->Version() ||
        FCacheStates != FControlStates->Version() || FCacheOver != FOverVersion)
        RebuildCache();
    TPoint p;
    // A failed cursor read changes no state. Only a handler can move the
    // pointer during a pass, so it is read again after each one.
    if (!GetCursorPos(&p)) return true;
    const int count = FTrackedControls->Count();
    int limit = std::min(count, FControlStates->Count());
    TWeakRef<TQVTrackMouse> self;
    TWeakRef<TComponent> form;
    const bool owned = Owner() != nullptr;
    int last = -1;
    bool ran = false;
    for (int i = 0; i < limit; ++i) {
        TCached& e = FCache[static_cast<size_t>(i)];
        const bool inside = e.Rect.Contains(p);
        if (inside == e.StateIn && inside == e.Over) [[likely]] {
            last = i;
            continue;
        }
        auto* c = static_cast<TControl*>(FTrackedControls->List()[i]);
        if (!c) continue;
        last = i;
        void** states = FControlStates->List();
        TQVTrackMouseEvent* event = nullptr;
        const char* name = nullptr;
        if (!inside && states[i] == nullptr && FOnMouseLeave.Assigned()) {
            states[i] = c;
            e.StateIn = false;
            event = &FOnMouseLeave;
            name = "OnMouseLeave";
        } else if (inside && states[i] != nullptr && FOnMouseEnter.Assigned()) {
            states[i] = nullptr;
            e.StateIn = true;
            event = &FOnMouseEnter;
            name = "OnMouseEnter";
        }
        // The query agrees with the event being reported and, where none
        // is (no handler for the way the pointer went, or a state that
        // never turned), with the pointer itself: a control is never left
        // "over" once the pointer has gone.
        if (inside != e.Over) {
            e.Over = inside;
            SetOver(c, inside);
            FCacheOver = FOverVersion;
        }
        if (!event) continue;
        if (!ran) {
            ran = true;
            self = this;
            form = Owner();
        }
        Fire(*event, name, c);
        if (!self) break;  // the handler freed this tracker
        // The handler may have changed the lists, moved controls or the
        // pointer: indices past the ends of shortened lists are not visited,
        // and the rest is read again.
        limit = std::min({count, FTrackedControls->Count(), FControlStates->Count()});
        if (FCacheLayout != LayoutGeneration() || FCacheTracked != FTrackedControls->Version() ||
            FCacheStates != FControlStates->Version() || FCacheOver != FOverVersion)
            RebuildCache();
        if (!GetCursorPos(&p)) break;
    }
    if (ran && !self) return !owned || form.Get() != nullptr;
    if (last >= 0 && static_cast<size_t>(last) < FCache.size()) *FRect = FCache[static_cast<size_t>(last)].Rect;
    return true;
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
