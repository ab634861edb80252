// Unit QVTrackMouse: a non-visual component that reports when the mouse
// pointer enters or leaves any of a chosen set of its form's controls.
//
// Drop a TQVTrackMouse on a form, list the controls to watch in Associate,
// and assign OnMouseEnter and OnMouseLeave. Once loaded (or started with Run)
// the tracker takes over the form's WindowProc: every message the form
// receives passes through the tracker and then, unchanged but for one case,
// on to the form's previous window procedure.
//
// Bounding (default true) selects the detection mode:
// - true, the messaging mode: the framework's CM_MOUSEENTER/CM_MOUSELEAVE
//   notifications that reach the form, for tracked controls;
// - false, the geometric mode: on every message, the cursor against each
//   tracked control's client rectangle, with an inside/outside state kept
//   per control. A tracked panel thus counts as entered while the pointer
//   is over any of its children too.
//
// Opt-in extensions, off by default and not stored unless set:
// - IsPointerOver and ControlsUnderPointer tell which tracked controls the
//   events have reported entered and not yet left.
// - TrackChildren (messaging mode): a tracked windowed control stays entered
//   while the pointer is over any of its descendants.
// - OnMouseHover fires once per entry when the pointer has rested HoverTime
//   milliseconds inside a tracked control.
// Whatever the options, a control shown, hidden, moved, resized or freed
// under a still pointer gets its enter or leave at the next idle moment.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Classes.h"
#include "framework/Controls.h"
#include "framework/Messages.h"
#include "framework/Timers.h"
#include "framework/Types.h"

class TQVTrackMouse;

// procedure(Sender: TObject) of object; Sender is the tracked control.
using TQVTrackMouseEvent = vcl::TEvent<vcl::TObject*>;

// One watched control. The item does not own it.
class TQVControlItem : public vcl::TCollectionItem {
    VCL_CLASS(TQVControlItem, vcl::TCollectionItem)

    explicit TQVControlItem(vcl::TCollection* Collection) : vcl::TCollectionItem(Collection) {}

    // Published: the watched control, stored by its component name ("Owner"
    // for the form itself).
    vcl::TControl* TheControl = nullptr;
    // The control's name when the designer's dialog listed it; not stored.
    vcl::AnsiString FControlName;
};

// The collection behind Associate. It drops the item of a control that
// leaves the tracker's owner.
class TQVControlsList : public vcl::TCollection {
    VCL_CLASS(TQVControlsList, vcl::TCollection)

    TQVControlsList(TQVTrackMouse* Tracker, vcl::TComponent* OwnerForm);

    // The tracker, so that the framework places the collection under it.
    vcl::TPersistent* GetOwner() override;
    TQVControlItem* GetItem(int Index) const;
    void SetItem(int Index, TQVControlItem* Value);
    // Position of the first item whose control has the same Name as Control
    // (exact, case-sensitive); -1 if none. Items without a control match
    // nothing.
    int IndexOf(vcl::TControl* Control) const;
    // Removes the first item that refers to Control itself; true if it did.
    bool RemoveControl(vcl::TControl* Control);
    // Adds an item watching Control, the typed way to fill the list in code.
    // On a tracker already running, Control is tracked from now on as well.
    TQVControlItem* AddControl(vcl::TControl* Control);
    // opRemove removes every item naming AComponent; insertion does nothing.
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation);

    TQVTrackMouse* FTracker;
    vcl::TComponent* FOwnerForm;

private:
    bool RemoveComponentItems(const vcl::TComponent* AComponent, bool Every);
};

// TrackedControls: a plain list of controls that also makes each control
// added to it tell the tracker when it is freed.
class TQVTrackedList : public vcl::TList {
public:
    explicit TQVTrackedList(TQVTrackMouse* Tracker) : FTracker(Tracker) {}
    // Changes that bypass the list's operations (writes through List()) are
    // not seen by the tracker's rectangle cache: use Put, Add, Delete.

protected:
    void Notify(void* Ptr, TListNotification Action) override;

private:
    TQVTrackMouse* FTracker;
};

class TQVTrackMouse : public vcl::TComponent {
    VCL_CLASS(TQVTrackMouse, vcl::TComponent)

    // Owner: the form whose messages are watched.
    explicit TQVTrackMouse(vcl::TComponent* AOwner);
    ~TQVTrackMouse() override;

    // Starts a tracker made in code: Loaded, unless it already ran.
    void Run();
    // The controls being tracked. Programs may Add, Remove and read it
    // between messages; changes are not stored in the form.
    vcl::TList* TrackedControls() const { return FTrackedControls; }
    // Writes Text on the screen at (X, Y) in a fixed near-black; always true.
    bool print(int Ignored, int X, int Y, vcl::AnsiString Text);

    // Published properties.
    TQVTrackMouseEvent& OnMouseEnter() { return FOnMouseEnter; }
    TQVTrackMouseEvent& OnMouseLeave() { return FOnMouseLeave; }
    TQVControlsList* Associate() const { return FAssociate; }
    bool Bounding() const { return FBounding; }
    void SetBounding(bool v) { FBounding = v; }

    // --- Extensions ---
    // Whether the events have reported Control entered and not yet left;
    // where no event is reported for a crossing, whether the pointer is
    // over it (false for a control that is not tracked).
    bool IsPointerOver(const vcl::TControl* Control) const;
    // The tracked controls the pointer is over by that measure, in the order
    // of TrackedControls.
    std::vector<vcl::TControl*> ControlsUnderPointer() const;
    // Published, default false: in the messaging mode a tracked windowed
    // control counts as entered while the pointer is over it or any of its
    // descendants, and Sender is always the tracked control.
    bool TrackChildren() const { return FTrackChildren; }
    void SetTrackChildren(bool v) { FTrackChildren = v; }
    // Published, default 400: how long (milliseconds) the pointer must rest
    // inside a tracked control for OnMouseHover; 0 fires it right after the
    // message that reported the entry.
    uint32_t HoverTime() const { return FHoverTime; }
    void SetHoverTime(uint32_t v);
    TQVTrackMouseEvent& OnMouseHover() { return FOnMouseHover; }

protected:
    void Loaded() override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

private:
    friend class TQVTrackedList;
    friend class TQVControlsList;
    void WndProc(vcl::TMessage& Message);
    void SetAssociate(TQVControlsList* Value);
    // Drops every entry of a control that is being destroyed.
    void ForgetControl(const void* Control);
    // The two detection modes. Each returns false when a handler freed the
    // owner form, so that the message ends there.
    bool MessagingEvent(vcl::TMessage& Message);
    // Child tracking: leaves every control reported entered that the
    // pointer is over neither directly nor through a descendant. Same
    // result as MessagingEvent; Message (may be null) gets Result 0 when a
    // handler ran.
    bool LeaveAbandoned(vcl::TMessage* Message);
    bool GeometricPass();
    // Calls Event for Control, traced; false when this tracker is gone.
    bool Fire(TQVTrackMouseEvent& Event, const char* Name, vcl::TControl* Control);
    std::string TraceWho() const;
    // The pointer-state record behind the query and the dwell event.
    void SetOver(vcl::TControl* Control, bool Over);
    bool InOver(const vcl::TControl* Control) const;
    void ArmDwell();
    void CheckDwell(vcl::TObject* Sender);
    void IdleCheck(vcl::TObject* Sender);
    void RebuildCache();

    // A tracked control's client rectangle on the screen, and two mirrors
    // that let the pass skip a control whose state cannot change: its state
    // entry is nil (reported inside), and it is in FOver.
    struct TCached {
        vcl::TRect Rect;
        bool StateIn;
        bool Over;
    };
    struct TOver {
        vcl::TControl* Control;
        uint64_t Since;  // entered at, on the timers' clock
        bool Hovered;    // OnMouseHover ran for this entry
    };

    TQVControlsList* FAssociate;
    TQVTrackMouseEvent FOnMouseEnter;
    TQVTrackMouseEvent FOnMouseLeave;
    bool FBounding;
    vcl::TWndMethod FOldWindowProc;
    vcl::TRect* FRect;
    vcl::TList* FControlStates;
    bool FActive;
    vcl::TList* FTrackedControls;

    bool FTrackChildren = false;
    uint32_t FHoverTime = 400;
    TQVTrackMouseEvent FOnMouseHover;
    std::vector<TOver> FOver;
    uint64_t FOverVersion = 0;
    std::unique_ptr<vcl::TTimer> FDwellTimer;
    bool FDwellPosted = false;
    std::vector<TCached> FCache;
    uint64_t FCacheLayout = 0, FCacheTracked = 0, FCacheStates = 0, FCacheOver = 0;
    bool FCacheValid = false;
    uint64_t FPassLayout = 0;  // the layout generation the last pass saw

    friend class TQVTrackMouseAccess;  // tests look at the private state
};

// True when Class, or one of its ancestors, is named Name (ClassNameIs at
// every step); false for a null class.
bool IsClass(const vcl::TMetaClass* Class, const vcl::AnsiString& Name);
// Shows the platform's message box (no owner window) and returns its result.
int _d(vcl::AnsiString Text, vcl::AnsiString Caption, int Type);

// Registers the unit's classes for form files whose root does not declare
// them (forms declaring a TQVTrackMouse field find the class by themselves).
void RegisterQVTrackMouse();
