// Stand-ins: what a lenient read puts in place of an object whose class the
// program does not have. A stand-in keeps the class name and every property
// as it was stored (name and value bytes), so that writing the form gives the
// file's meaning back; a visual one shows where the control is.
#pragma once

#include <string>
#include <vector>

#include "framework/Controls.h"

namespace vcl {

// One property as stored: its name, and its value's bytes, tag included.
struct TStoredProperty {
    std::string Name;
    std::string Value;
};

class IStandIn {
public:
    virtual ~IStandIn() = default;
    // The class the file names.
    std::string StreamedClassName;
    // Every property of the object, in file order.
    std::vector<TStoredProperty> StoredProperties;
};

// For an object that stores a Width or a Height, taken to be a control: a
// flat box with its class name, where the file places it, holding the
// controls stored inside it.
class TStandInControl : public TWinControl, public IStandIn {
    VCL_CLASS(TStandInControl, TWinControl)
    explicit TStandInControl(TComponent* AOwner);
    void Paint(TCanvas& Canvas) const override;
    void SetParentComponent(TComponent* Value) override;
    bool HasParent() const override;
    TComponent* GetParentComponent() const override;

private:
    friend class TStandInComponent;
    TWeakRef<TComponent> FStandInParent;  // a non-visual stand-in it is stored inside
};

// For any other object: a component that keeps its properties and the
// objects stored inside it (the items of a menu the program lacks, say).
class TStandInComponent : public TComponent, public IStandIn {
    VCL_CLASS(TStandInComponent, TComponent)
    explicit TStandInComponent(TComponent* AOwner) : TComponent(AOwner) {}
    void SetParentComponent(TComponent* Value) override;
    bool HasParent() const override { return FStandInParent.Get() != nullptr; }
    TComponent* GetParentComponent() const override { return FStandInParent.Get(); }
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

private:
    friend class TStandInControl;
    void Adopt(TComponent* Child);
    TWeakRef<TComponent> FStandInParent;
    std::vector<TWeakRef<TComponent>> FChildren;
};

}  // namespace vcl
