// Design-time services: property editors, the component palette, and the
// registries a designer reads them from.
//
// A package's Register routine calls RegisterComponents and
// RegisterPropertyEditor; the designer then asks GetPropertyEditor which
// editor serves a property of a selected component and calls its Edit when
// the user presses the property's ellipsis button. Registrations made while
// a package is being loaded or registered belong to it and go with it (see
// Packages.h).
#pragma once

#include <string>
#include <vector>

#include "framework/Classes.h"
#include "framework/TypInfo.h"

namespace vcl {

class TPackage;

enum TPropertyAttribute {
    paValueList,
    paSubProperties,
    paDialog,
    paMultiSelect,
    paAutoUpdate,
    paSortList,
    paReadOnly,
    paRevertable,
};
using TPropertyAttributes = TSet<TPropertyAttribute>;

// What an editor tells the designer.
class IDesigner {
public:
    // The designed form changed (it needs saving).
    virtual void Modified() = 0;

protected:
    ~IDesigner() = default;
};

// Edits one published property of the selected components. The designer
// makes editors through their class references and calls Initialize first.
class TPropertyEditor : public TObject {
    VCL_CLASS(TPropertyEditor, TObject)

    TPropertyEditor() = default;
    void Initialize(IDesigner* Designer, std::vector<TPersistent*> Components, const TPropInfo* Prop);

    virtual TPropertyAttributes GetAttributes() { return TPropertyAttributes{paRevertable}; }
    // Called when the user presses the property's ellipsis button.
    virtual void Edit() {}
    // The value as the inspector shows it, for the first selected component.
    virtual AnsiString GetValue();
    virtual AnsiString GetName() { return FProp ? AnsiString(FProp->Name) : AnsiString(); }

    // The property's ordinal value for the first selected component; for an
    // object-valued property, the object's address.
    intptr_t GetOrdValue() const;
    TObject* GetObjValue() const;
    void Modified();
    TPersistent* GetComponent(int Index) const;
    int PropCount() const { return static_cast<int>(FComponents.size()); }
    const TPropInfo* Prop() const { return FProp; }
    IDesigner* Designer() const { return FDesigner; }

private:
    IDesigner* FDesigner = nullptr;
    std::vector<TPersistent*> FComponents;
    const TPropInfo* FProp = nullptr;
};

// The framework's editor for object-valued properties: the value reads
// "(TClassName)" and the object's own properties are its sub-properties.
class TClassProperty : public TPropertyEditor {
    VCL_CLASS(TClassProperty, TPropertyEditor)
    TClassProperty() = default;
    TPropertyAttributes GetAttributes() override { return TPropertyAttributes{paMultiSelect, paSubProperties, paReadOnly}; }
    AnsiString GetValue() override;
};

// The value text of a property as the inspector shows it: numbers, names of
// enumeration values, "[a,b]" sets, strings as they are, "(TClass)" for
// objects, the handler's method name (or empty) for events.
AnsiString PropertyValueText(const TObject* Instance, const TPropInfo* Prop);

// The palette: components by page, in registration order.
struct TPalettePage {
    std::string Name;
    std::vector<const TMetaClass*> Classes;
};

// Puts the classes Classes[0..LastIndex] on the palette page and registers
// them for form files.
void RegisterComponents(const AnsiString& Page, const TMetaClass* const* Classes, int LastIndex);
void RegisterComponents(const AnsiString& Page, std::initializer_list<const TMetaClass*> Classes);

// Binds EditorClass (a TPropertyEditor descendant) to properties of type
// PropertyType; ComponentClass null means any component, PropertyName empty
// any name. The most specific registration serves a property (a name over
// none, a nearer component class over a farther one or none, the exact
// property type over an ancestor class); among equals the later one.
void RegisterPropertyEditor(const TTypeInfo* PropertyType, const TMetaClass* ComponentClass,
                            const AnsiString& PropertyName, const TMetaClass* EditorClass);

struct TEditorRegistration {
    const TTypeInfo* PropertyType = nullptr;
    const TMetaClass* ComponentClass = nullptr;
    std::string PropertyName;
    const TMetaClass* EditorClass = nullptr;
    const TPackage* Package = nullptr;  // null: the host's own
};

std::vector<TPalettePage> PalettePages();
const std::vector<TEditorRegistration>& PropertyEditors();
// The registered editor class for a property of a component class, or null.
const TMetaClass* FindPropertyEditor(const TMetaClass* ComponentClass, const TPropInfo* Prop);
// Makes the editor that serves the property (the registered one, else
// TClassProperty for objects, else the plain TPropertyEditor), initialised
// for Components; the caller frees it.
TPropertyEditor* GetPropertyEditor(IDesigner* Designer, const std::vector<TPersistent*>& Components,
                                   const TPropInfo* Prop);

// Drops every registration (palette, editors, classes) that Package made.
void UnregisterPackageDesign(const TPackage* Package);

}  // namespace vcl

VCL_ENUM_INFO(vcl::TPropertyAttribute, paValueList, paSubProperties, paDialog, paMultiSelect, paAutoUpdate,
              paSortList, paReadOnly, paRevertable)
