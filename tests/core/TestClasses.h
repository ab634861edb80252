// Small registered classes that exercise every property kind the form
// formats carry. Shared by the streaming and component tests.
#pragma once

#include <string>
#include <vector>

#include "framework/Classes.h"
#include "framework/Streaming.h"

namespace test {

using namespace vcl;

enum TTestAlign { taNone, taTop, taBottom, taClient };
enum TTestStyle { tsBold, tsItalic, tsUnderline };
using TTestStyles = TSet<TTestStyle>;
// A colour-like integer that form files write by name where one exists.
enum TTestColor : int32_t { tcBlack = 0, tcRed = 0x0000FF, tcWhite = 0xFFFFFF };

// Records events in order, for tests that check what happened when.
std::vector<std::string>& Journal();

class TTestFont : public TPersistent {
    VCL_CLASS(TTestFont, TPersistent)
    TTestFont() = default;
    void Assign(TPersistent* Source) override;
    TTestColor Color = tcBlack;
    int32_t Height = -11;
    AnsiString Name = "Tahoma";
    TTestStyles Style;
};

class TTestControl : public TComponent {
    VCL_CLASS(TTestControl, TComponent)
    explicit TTestControl(TComponent* AOwner);
    ~TTestControl() override;
    void Loaded() override;
    TTestFont* Font() const { return FFont; }
    void SetFont(TTestFont* v) { FFont->Assign(v); }
    bool HasParent() const override { return FParent != nullptr; }
    TComponent* GetParentComponent() const override { return FParent; }
    void SetParentComponent(TComponent* v) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    AnsiString Caption;
    bool Visible = true;
    TTestAlign Align = taNone;
    double Ratio = 0;
    int64_t Big = 0;
    TNotifyEvent OnClick;
    TTestControl* Buddy = nullptr;  // a component reference
    TTestControl* FParent = nullptr;
    std::vector<TTestControl*> FChildren;
    // What Loaded saw of the reference, to prove fixups ran first.
    std::string BuddyAtLoaded;

private:
    TTestFont* FFont;
};

class TTestItem : public TCollectionItem {
    VCL_CLASS(TTestItem, TCollectionItem)
    explicit TTestItem(TCollection* Collection) : TCollectionItem(Collection) {}
    TComponent* TheControl = nullptr;
};

class TTestItems : public TCollection {
    VCL_CLASS(TTestItems, TCollection)
    explicit TTestItems(TPersistent* Owner) : TCollection(TTestItem::StaticClass()), FOwner(Owner) {}
    TPersistent* GetOwner() override { return FOwner; }
    TTestItem* Item(int i) const { return static_cast<TTestItem*>(GetItem(i)); }
    int Updates = 0;

protected:
    void Update(TCollectionItem*) override { ++Updates; }

private:
    TPersistent* FOwner;
};

class TTestWatcher : public TComponent {
    VCL_CLASS(TTestWatcher, TComponent)
    explicit TTestWatcher(TComponent* AOwner);
    ~TTestWatcher() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    TTestItems* Items() const { return FItems; }
    bool Enabled = true;  // default true: stored only when false
    std::vector<std::pair<TComponent*, TOperation>> Seen;

private:
    TTestItems* FItems;
};

class TTestForm : public TTestControl {
    VCL_CLASS(TTestForm, TTestControl)
    explicit TTestForm(TComponent* AOwner) : TTestControl(AOwner) {}
    void ButtonClick(TObject* Sender);
    void OtherClick(TObject* Sender);
    void WrongSignature(TObject* Sender, int X);
    TTestControl* Button1 = nullptr;  // published field
    TTestWatcher* Watcher = nullptr;   // published field
    std::vector<TObject*> Clicks;
};

// Registers the classes above (idempotent).
void RegisterTestClasses();

}  // namespace test
