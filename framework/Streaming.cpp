#include "framework/Streaming.h"

#include "framework/StandIn.h"

#include "framework/Log.h"

namespace vcl {

using formfile::TValueType;

namespace {

// A nesting bound for objects and sub-properties: deep enough for any real
// form, shallow enough that a hostile stream cannot exhaust the stack.
constexpr int kMaxDepth = 200;

bool IsIntegerTag(TValueType t) {
    return t == TValueType::vaInt8 || t == TValueType::vaInt16 || t == TValueType::vaInt32 ||
           t == TValueType::vaInt64;
}

bool IsStringTag(TValueType t) {
    return t == TValueType::vaString || t == TValueType::vaLString || t == TValueType::vaUTF8String ||
           t == TValueType::vaWString || t == TValueType::vaUString;
}

// The stream inside a resource header, its offsets counted from the start of
// the file.
formfile::BinaryReader StreamIn(std::string_view Data, const std::string& SourceName) {
    const std::string_view stream = formfile::StripResourceHeader(Data, SourceName);
    return formfile::BinaryReader(stream, SourceName, static_cast<size_t>(stream.data() - Data.data()));
}

TComponent::TFilerFlags FilerFlagsOf(const formfile::ObjectHeader& h) {
    TComponent::TFilerFlags f;
    f.Inherited = h.Flags & formfile::ffInherited;
    f.Inline = h.Flags & formfile::ffInline;
    f.HasChildPos = h.Flags & formfile::ffChildPos;
    f.ChildPos = static_cast<int32_t>(h.ChildPos);
    return f;
}

std::string ComponentPath(TComponent* c) {
    if (!c) return {};
    return c->Name().empty() ? c->ClassName() : c->Name();
}

}  // namespace

// ---------------------------------------------------------------------------
// TReader

TReader::TReader(std::string_view Data, std::string SourceName, const formfile::TextPosMap* TextPositions)
    : FStream(StreamIn(Data, SourceName)), FSourceName(std::move(SourceName)) {
    FStream.SetTextPositions(TextPositions);
    OnUnresolvedReference = [](const std::string& message) { LogLine(message); };
}

namespace {
// Thrown, in lenient reading, for a property that cannot be taken; caught
// where the property started, which is skipped.
struct ESkipProperty {
    size_t Offset;
    std::string Message;
};
}  // namespace

void TReader::PropError(size_t Offset, const std::string& Where, const std::string& Message) {
    if (FLenient) throw ESkipProperty{Offset, "Error reading " + Where + ": " + Message};
    FStream.ErrorAt(Offset, "Error reading " + Where + ": " + Message);
}

void TReader::Warn(size_t Offset, const std::string& Message) {
    const std::string line = FStream.Where(Offset) + ": warning: " + Message;
    if (OnWarning) OnWarning(line);
    else LogLine(line);
}

TComponent* TReader::ReadRootComponent(TComponent* Root) {
    FStream.ReadSignature();
    formfile::ObjectHeader h = FStream.ReadObjectHeader();
    bool created = false;
    if (!Root) {
        const TMetaClass* cls = GetClass(h.ClassName);
        if (!cls) FStream.ErrorAt(h.ClassOffset, "Class " + h.ClassName + " not found");
        if (!cls->NewComponent) FStream.ErrorAt(h.ClassOffset, "Class " + h.ClassName + " cannot be created");
        Root = cls->NewComponent(nullptr);
        created = true;
    }
    TWeakRef<TComponent> rootRef(Root);
    try {
        FRoot = Root;
        Root->SetFilerFlags(FilerFlagsOf(h));
        Root->SetLoadingState(true, true);
        FLoaded.emplace_back(Root);
        if (!h.Name.empty() && Root->Name() != h.Name) {
            // A second instance of a form gets a unique name: Name_1, Name_2...
            std::string name = h.Name;
            if (TComponent* owner = Root->Owner())
                for (int n = 1; owner->FindComponent(name) && owner->FindComponent(name) != Root; ++n)
                    name = h.Name + "_" + std::to_string(n);
            try {
                Root->SetName(name);
            } catch (const EComponentError& e) {
                FStream.ErrorAt(h.NameOffset, e.Message());
            }
        }
        ReadProperties(Root, Root);
        TComponent* parent = Root->GetChildParent();
        while (!FStream.EndOfList()) ReadComponent(parent);
        FStream.ReadListEnd();
        ResolveFixups();
    } catch (...) {
        for (auto& c : FLoaded)
            if (c) c->SetLoadingState(false, false);
        if (created && rootRef) rootRef->Free();
        throw;
    }
    for (auto& c : FLoaded)
        if (c) c->SetLoadingState(true, false);
    // Loaded may create or free components; walk a copy of weak references.
    std::vector<TWeakRef<TComponent>> loaded = FLoaded;
    for (auto& c : loaded)
        if (c) c->Loaded();
    // The load is over for every component, whether or not its Loaded
    // override passed the call on.
    for (auto& c : loaded)
        if (c) c->SetLoadingState(false, false);
    return rootRef.Get();
}

const TMetaClass* TReader::FindComponentClass(const std::string& ClassName) const {
    // The classes of the root's published fields come first, so a form finds
    // the classes it declares without registering them.
    for (const TMetaClass* c = FRoot->ClassType(); c; c = c->Parent)
        for (const TFieldInfo& f : c->OwnFields)
            if (f.FieldClass && SameText(f.FieldClass->Name, ClassName)) return f.FieldClass;
    return GetClass(ClassName);
}

TComponent* TReader::ReadComponent(TComponent* Parent) {
    if (++FDepth > kMaxDepth) FStream.Error("Objects nested too deeply");
    formfile::ObjectHeader h = FStream.ReadObjectHeader();
    const TMetaClass* cls = FindComponentClass(h.ClassName);
    const bool creatable = cls && cls->NewComponent && cls->InheritsFrom(TComponent::StaticClass());
    // Inside a stand-in for a non-visual object everything is kept as stored.
    if (FLenient && (!creatable || dynamic_cast<TStandInComponent*>(Parent))) {
        TComponent* s = ReadStandIn(h, Parent);
        --FDepth;
        return s;
    }
    if (!cls) FStream.ErrorAt(h.ClassOffset, "Class " + h.ClassName + " not found");
    if (!creatable) FStream.ErrorAt(h.ClassOffset, "Class " + h.ClassName + " cannot be created");
    TComponent* c = cls->NewComponent(FRoot);
    c->SetFilerFlags(FilerFlagsOf(h));
    c->SetLoadingState(true, true);
    FLoaded.emplace_back(c);
    if (!h.Name.empty()) {
        try {
            c->SetName(h.Name);
        } catch (const EComponentError& e) {
            if (!FLenient) FStream.ErrorAt(h.NameOffset, e.Message());
            // A name taken already (frames keep names of their own): the
            // next free one, said.
            std::string name;
            for (int n = 1; name.empty() || FRoot->FindComponent(name); ++n) name = h.Name + "_" + std::to_string(n);
            try {
                c->SetName(name);
                Warn(h.NameOffset, e.Message() + "; named " + name);
            } catch (const EComponentError&) {
                Warn(h.NameOffset, e.Message() + "; left unnamed");
            }
        }
    }
    try {
        c->SetParentComponent(Parent);
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        FStream.ErrorAt(h.ClassOffset, e.Message());
    }
    ReadProperties(c, c);
    TComponent* childParent = c->GetChildParent();
    while (!FStream.EndOfList()) ReadComponent(childParent);
    FStream.ReadListEnd();
    --FDepth;
    return c;
}

TComponent* TReader::ReadStandIn(const formfile::ObjectHeader& Header, TComponent* Parent) {
    if (std::find(FWarnedClasses.begin(), FWarnedClasses.end(), Header.ClassName) == FWarnedClasses.end()) {
        FWarnedClasses.push_back(Header.ClassName);
        Warn(Header.ClassOffset, "Class " + Header.ClassName + " not found; kept as it is stored");
    }
    // The properties as stored; a Width or Height makes it a control.
    std::vector<TStoredProperty> props;
    int32_t bounds[4] = {0, 0, 0, 0};  // Left, Top, Width, Height
    bool visual = false;
    static const char* const kBounds[] = {"Left", "Top", "Width", "Height"};
    while (!FStream.EndOfList()) {
        std::string name = FStream.ReadStr();
        const size_t start = FStream.Position();
        int which = -1;
        for (int i = 0; i < 4; ++i)
            if (SameText(name, kBounds[i])) which = i;
        if (which >= 0 && IsIntegerTag(FStream.NextValue())) {
            const int64_t v = FStream.ReadInteger();
            bounds[which] = static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2));
            if (which >= 2) visual = true;
        } else {
            FStream.SkipValue();
        }
        props.push_back(TStoredProperty{std::move(name), std::string(FStream.Bytes(start, FStream.Position()))});
    }
    FStream.ReadListEnd();
    if (dynamic_cast<TStandInComponent*>(Parent)) visual = false;  // no place to show it
    // Image lists store the size of their pictures as Width and Height.
    if (Header.ClassName.find("ImageList") != std::string::npos) visual = false;
    TComponent* c;
    IStandIn* standIn;
    if (visual) {
        auto* control = new TStandInControl(FRoot);
        control->SetBounds(bounds[0], bounds[1], bounds[2], bounds[3]);
        c = control;
        standIn = control;
    } else {
        auto* component = new TStandInComponent(FRoot);
        c = component;
        standIn = component;
    }
    standIn->StreamedClassName = Header.ClassName;
    standIn->StoredProperties = std::move(props);
    c->SetFilerFlags(FilerFlagsOf(Header));
    c->SetLoadingState(true, true);
    FLoaded.emplace_back(c);
    if (!Header.Name.empty()) {
        try {
            c->SetName(Header.Name);
        } catch (const EComponentError& e) {
            Warn(Header.NameOffset, e.Message());
        }
    }
    try {
        c->SetParentComponent(Parent);
    } catch (const Exception& e) {
        Warn(Header.ClassOffset, e.Message());
    }
    TComponent* childParent = c->GetChildParent();
    while (!FStream.EndOfList()) ReadComponent(childParent);
    FStream.ReadListEnd();
    return c;
}

void TReader::ReadProperties(TObject* Instance, TComponent* Component) {
    while (!FStream.EndOfList()) {
        const size_t start = FStream.Position();
        try {
            ReadProperty(Instance, Component);
        } catch (const ESkipProperty& e) {
            // The whole property goes, however far into its value the
            // reader had got.
            FStream.Seek(start);
            FStream.ReadStr();
            FStream.SkipValue();
            Warn(e.Offset, e.Message);
        }
    }
    FStream.ReadListEnd();
}

void TReader::ReadProperty(TObject* Instance, TComponent* Component) {
    const size_t offset = FStream.Position();
    std::string path = FStream.ReadStr();
    std::string where = ComponentPath(Component) + "." + path;
    // Dotted paths walk into persistent sub-objects: Font.Style. An error
    // about one part is reported where that part is stored.
    TObject* target = Instance;
    size_t start = 0;
    for (;;) {
        const size_t partOffset = start == 0 ? offset : offset + 1 + start;
        size_t dot = path.find('.', start);
        std::string part = path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (dot == std::string::npos) {
            const TPropInfo* prop = target->ClassType()->FindProperty(part);
            const size_t valueOffset = FStream.Position();
            // What a setter or a defined-property reader throws is an error
            // in this value; the stream's own errors carry their place already.
            try {
                if (prop && (prop->Access->Writable() || prop->Kind() == TTypeKind::tkClass)) {
                    ReadPropValue(target, prop, where);
                    return;
                }
                if (auto* persistent = dynamic_cast<TPersistent*>(target)) {
                    FDefinedWanted = part;
                    FDefinedFound = false;
                    persistent->DefineProperties(*this);
                    if (FDefinedFound) return;
                }
            } catch (const EReadError&) {
                throw;
            } catch (const Exception& e) {
                PropError(valueOffset, where, e.Message());
            }
            PropError(partOffset, where,
                      prop ? "Property " + part + " is read-only" : "Property " + part + " does not exist");
        }
        const TPropInfo* prop = target->ClassType()->FindProperty(part);
        if (!prop) PropError(partOffset, where, "Property " + part + " does not exist");
        if (prop->Kind() != TTypeKind::tkClass)
            PropError(partOffset, where, "Property " + part + " has no sub-properties");
        TObject* sub = GetObjectProp(target, prop);
        if (!sub) PropError(partOffset, where, "Property " + part + " is nil");
        target = sub;
        start = dot + 1;
    }
}

void TReader::DefineProperty(std::string_view Name, const std::function<void(TReader&)>& ReadData,
                             const std::function<void(TWriter&)>&, bool) {
    if (FDefinedFound || !SameText(Name, FDefinedWanted)) return;
    FDefinedFound = true;
    if (ReadData) ReadData(*this);
    else FStream.SkipValue();
}

void TReader::ReadPropValue(TObject* Instance, const TPropInfo* Prop, const std::string& Where) {
    size_t offset = FStream.Position();
    TValueType t = FStream.ReadValue();
    const TTypeInfo* type = Prop->Type;
    auto bad = [&](const std::string& what) {
        PropError(offset, Where, "Invalid property value: " + what + " for " + type->Name);
    };
    switch (type->Kind) {
        case TTypeKind::tkInteger:
        case TTypeKind::tkInt64: {
            if (IsIntegerTag(t)) {
                int64_t v = FStream.ReadIntegerBody(t);
                if (type->Kind == TTypeKind::tkInteger && (v < INT32_MIN || v > INT32_MAX))
                    bad("integer " + std::to_string(v) + " out of range");
                SetOrdProp(Instance, Prop, v);
            } else if (t == TValueType::vaIdent) {
                std::string ident = FStream.ReadStr();
                int64_t v = 0;
                if (!type->IdentToInt || !type->IdentToInt(ident, v)) bad("'" + ident + "'");
                SetOrdProp(Instance, Prop, v);
            } else {
                bad(formfile::ValueTypeName(t));
            }
            return;
        }
        case TTypeKind::tkEnumeration: {
            std::string ident;
            if (t == TValueType::vaIdent) ident = FStream.ReadStr();
            else if (t == TValueType::vaFalse) ident = "False";
            else if (t == TValueType::vaTrue) ident = "True";
            else bad(formfile::ValueTypeName(t));
            int64_t v = 0;
            if (!type->EnumValue(ident, v)) bad("'" + ident + "'");
            SetOrdProp(Instance, Prop, v);
            return;
        }
        case TTypeKind::tkSet: {
            if (t != TValueType::vaSet) bad(formfile::ValueTypeName(t));
            uint64_t bits = 0;
            for (;;) {
                offset = FStream.Position();  // a bad member is reported where it is
                const std::string name = FStream.ReadStr();
                if (name.empty()) break;
                int64_t v = 0;
                if (!type->SetElement || !type->SetElement->EnumValue(name, v) || v < 0 || v > 63)
                    bad("set member '" + name + "'");
                bits |= uint64_t{1} << v;
            }
            SetOrdProp(Instance, Prop, static_cast<int64_t>(bits));
            return;
        }
        case TTypeKind::tkFloat: {
            long double v = 0;
            if (t == TValueType::vaExtended) v = FStream.ReadExtendedBody();
            else if (t == TValueType::vaSingle) v = FStream.ReadSingleBody();
            else if (t == TValueType::vaCurrency) v = static_cast<long double>(FStream.ReadCurrencyBody()) / 10000;
            else if (t == TValueType::vaDate) v = FStream.ReadDateBody();
            else if (IsIntegerTag(t)) v = static_cast<long double>(FStream.ReadIntegerBody(t));
            else bad(formfile::ValueTypeName(t));
            SetFloatProp(Instance, Prop, v);
            return;
        }
        case TTypeKind::tkString: {
            if (!IsStringTag(t)) bad(formfile::ValueTypeName(t));
            SetStrProp(Instance, Prop, FStream.ReadStringBody(t));
            return;
        }
        case TTypeKind::tkMethod: {
            if (t == TValueType::vaNil || t == TValueType::vaNull) {
                SetMethodProp(Instance, Prop, TMethod{});
                return;
            }
            if (t != TValueType::vaIdent) bad(formfile::ValueTypeName(t));
            std::string name = FStream.ReadStr();
            const TMethodInfo* mi = FRoot->ClassType()->FindMethod(name);
            if (!mi) {
                if (OnMissingHandler) {
                    OnMissingHandler(Instance, Prop, name);
                    return;
                }
                if (FIgnoreMissingHandlers) return;
                PropError(offset, Where, "Method " + name + " not found in class " + FRoot->ClassName());
            }
            if (mi->Signature != type->MethodSignature)
                PropError(offset, Where, "Method " + name + " does not match the event's parameters");
            SetMethodProp(Instance, Prop, TMethod{mi->Code, FRoot});
            return;
        }
        case TTypeKind::tkClass: {
            const TMetaClass* cls = type->ClassType();
            if (cls->InheritsFrom(TComponent::StaticClass())) {
                if (t == TValueType::vaNil) {
                    SetObjectProp(Instance, Prop, nullptr);
                } else if (t == TValueType::vaIdent) {
                    // Resolved once the whole stream is read.
                    FFixups.push_back(Fixup{TWeakRef<TObject>(Instance), Prop, FStream.ReadStr(), Where, offset});
                } else {
                    bad(formfile::ValueTypeName(t));
                }
                return;
            }
            TObject* obj = GetObjectProp(Instance, Prop);
            if (t == TValueType::vaCollection) {
                auto* coll = dynamic_cast<TCollection*>(obj);
                if (!coll) bad("collection");
                TComponent* owner = nullptr;
                for (TPersistent* p = coll; p && !owner; p = p->GetOwner()) owner = dynamic_cast<TComponent*>(p);
                ReadCollection(coll, owner);
                return;
            }
            if (t == TValueType::vaNil && !Prop->Access->Writable()) return;
            bad(formfile::ValueTypeName(t));
        }
    }
}

void TReader::ReadCollection(TCollection* Collection, TComponent* Component) {
    if (++FDepth > kMaxDepth) FStream.Error("Collections nested too deeply");
    Collection->BeginUpdate();
    try {
        Collection->Clear();
        while (!FStream.EndOfList()) {
            TValueType next = FStream.NextValue();
            if (IsIntegerTag(next)) FStream.ReadInteger();  // the item's order value
            size_t offset = FStream.Position();
            if (FStream.ReadValue() != TValueType::vaList) FStream.ErrorAt(offset, "Collection item expected");
            TCollectionItem* item = Collection->Add();
            ReadProperties(item, Component);
        }
        FStream.ReadListEnd();
    } catch (...) {
        Collection->EndUpdate();
        throw;
    }
    Collection->EndUpdate();
    --FDepth;
}

void TReader::ResolveFixups() {
    for (Fixup& f : FFixups) {
        TObject* instance = f.Instance.Get();
        if (!instance) continue;  // the object holding the reference is gone
        TComponent* target = nullptr;
        if (SameText(f.Name, "Owner") || (!FRoot->Name().empty() && SameText(f.Name, FRoot->Name()))) {
            target = FRoot;
        } else if (f.Name.find('.') == std::string::npos) {
            target = FRoot->FindComponent(f.Name);
        } else {
            // "OtherForm.Component": a component of another form (or data
            // module) that exists now, found by the forms' names.
            std::string_view rest = f.Name;
            size_t dot = rest.find('.');
            target = FindGlobalComponent(rest.substr(0, dot));
            while (target && dot != std::string_view::npos) {
                rest.remove_prefix(dot + 1);
                dot = rest.find('.');
                target = target->FindComponent(rest.substr(0, dot));
            }
        }
        if (target && !target->InheritsFrom(f.Prop->Type->ClassType())) {
            OnUnresolvedReference(FStream.Where(f.Offset) + ": " + f.Where + ": " + f.Name + " is a " +
                                  target->ClassName() +
                                  ", not a " + f.Prop->Type->ClassType()->Name + "; reference left empty");
            continue;
        }
        if (!target) {
            OnUnresolvedReference(FStream.Where(f.Offset) + ": " + f.Where + ": unresolved reference to " + f.Name +
                                  "; reference left empty");
            continue;
        }
        SetObjectProp(instance, f.Prop, target);
    }
    FFixups.clear();
}

int64_t TReader::ReadInteger() { return FStream.ReadInteger(); }
AnsiString TReader::ReadString() { return FStream.ReadString(); }
std::string TReader::ReadIdent() { return FStream.ReadIdent(); }

std::string TReader::ReadBinary() {
    size_t offset = FStream.Position();
    TValueType t = FStream.ReadValue();
    if (t != TValueType::vaBinary)
        FStream.ErrorAt(offset, std::string("Binary data expected, found ") + formfile::ValueTypeName(t));
    return FStream.ReadBinaryBody();
}

bool TReader::ReadBoolean() {
    size_t offset = FStream.Position();
    TValueType t = FStream.ReadValue();
    if (t == TValueType::vaTrue) return true;
    if (t == TValueType::vaFalse) return false;
    FStream.ErrorAt(offset, std::string("Boolean expected, found ") + formfile::ValueTypeName(t));
}

long double TReader::ReadFloat() {
    size_t offset = FStream.Position();
    TValueType t = FStream.ReadValue();
    if (t == TValueType::vaExtended) return FStream.ReadExtendedBody();
    if (t == TValueType::vaSingle) return FStream.ReadSingleBody();
    if (IsIntegerTag(t)) return static_cast<long double>(FStream.ReadIntegerBody(t));
    FStream.ErrorAt(offset, std::string("Number expected, found ") + formfile::ValueTypeName(t));
}

// ---------------------------------------------------------------------------
// TWriter

void TWriter::WriteRootComponent(TComponent* Root, const std::string& RootClassName) {
    FRoot = Root;
    FRootClassName = RootClassName;
    FOut.WriteSignature();
    WriteComponent(Root);
}

void TWriter::WriteComponent(TComponent* Component) {
    formfile::ObjectHeader h;
    h.ClassName = (Component == FRoot && !FRootClassName.empty()) ? FRootClassName : Component->ClassName();
    h.Name = Component->Name();
    const TComponent::TFilerFlags& flags = Component->FilerFlags();
    h.Flags = static_cast<uint8_t>((flags.Inherited ? formfile::ffInherited : 0) |
                                   (flags.Inline ? formfile::ffInline : 0) |
                                   (flags.HasChildPos ? formfile::ffChildPos : 0));
    h.ChildPos = flags.ChildPos;
    if (auto* standIn = dynamic_cast<IStandIn*>(Component)) {
        // As it was stored, but where the control is now.
        h.ClassName = standIn->StreamedClassName;
        FOut.WriteObjectHeader(h);
        auto* control = dynamic_cast<TControl*>(Component);
        for (const TStoredProperty& p : standIn->StoredProperties) {
            FOut.WritePropName(p.Name);
            if (control && SameText(p.Name, "Left")) FOut.WriteInteger(control->Left());
            else if (control && SameText(p.Name, "Top")) FOut.WriteInteger(control->Top());
            else if (control && SameText(p.Name, "Width")) FOut.WriteInteger(control->Width());
            else if (control && SameText(p.Name, "Height")) FOut.WriteInteger(control->Height());
            else FOut.WriteStoredValue(p.Value);
        }
    } else {
        FOut.WriteObjectHeader(h);
        WriteProperties(Component, std::string());
    }
    FOut.WriteListEnd();
    Component->GetChildren([this](TComponent* child) { WriteComponent(child); }, FRoot);
    FOut.WriteListEnd();
}

void TWriter::WriteProperties(TObject* Instance, const std::string& Prefix) {
    for (const TPropInfo* p : Instance->ClassType()->Properties())
        if (p->IsStored(Instance)) WriteProperty(Instance, p, Prefix);
    if (auto* persistent = dynamic_cast<TPersistent*>(Instance)) {
        std::string saved = std::move(FPrefix);
        FPrefix = Prefix;
        persistent->DefineProperties(*this);
        FPrefix = std::move(saved);
    }
}

void TWriter::DefineProperty(std::string_view Name, const std::function<void(TReader&)>&,
                             const std::function<void(TWriter&)>& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    FOut.WritePropName(FPrefix + std::string(Name));
    WriteData(*this);
}

void TWriter::WriteProperty(TObject* Instance, const TPropInfo* Prop, const std::string& Prefix) {
    const TTypeInfo* type = Prop->Type;
    const std::string name = Prefix + Prop->Name;
    switch (type->Kind) {
        case TTypeKind::tkInteger:
        case TTypeKind::tkInt64: {
            int64_t v = GetOrdProp(Instance, Prop);
            if (Prop->Default && *Prop->Default == v) return;
            FOut.WritePropName(name);
            std::string ident;
            if (type->IntToIdent && type->IntToIdent(v, ident)) FOut.WriteIdent(ident);
            else FOut.WriteInteger(v);
            return;
        }
        case TTypeKind::tkEnumeration: {
            int64_t v = GetOrdProp(Instance, Prop);
            if (Prop->Default && *Prop->Default == v) return;
            FOut.WritePropName(name);
            std::string ident = type->EnumName(v);
            if (ident.empty()) FOut.WriteInteger(v);
            else FOut.WriteIdent(ident);
            return;
        }
        case TTypeKind::tkSet: {
            int64_t v = GetOrdProp(Instance, Prop);
            if (Prop->Default && *Prop->Default == v) return;
            FOut.WritePropName(name);
            FOut.WriteSet(SetToNames(type, static_cast<uint64_t>(v)));
            return;
        }
        case TTypeKind::tkFloat: {
            long double v = GetFloatProp(Instance, Prop);
            if (v == 0) return;
            FOut.WritePropName(name);
            FOut.WriteExtended(v);
            return;
        }
        case TTypeKind::tkString: {
            AnsiString v = GetStrProp(Instance, Prop);
            if (v.empty()) return;
            FOut.WritePropName(name);
            FOut.WriteString(v);
            return;
        }
        case TTypeKind::tkMethod: {
            TMethod m = GetMethodProp(Instance, Prop);
            if (!m.Code || m.Data != FRoot) return;  // only the root's handlers have names
            const TMethodInfo* mi = FRoot->ClassType()->FindMethodByCode(m.Code);
            if (!mi) return;
            FOut.WritePropName(name);
            FOut.WriteIdent(mi->Name);
            return;
        }
        case TTypeKind::tkClass: {
            TObject* obj = GetObjectProp(Instance, Prop);
            if (type->ClassType()->InheritsFrom(TComponent::StaticClass())) {
                auto* c = static_cast<TComponent*>(obj);
                if (!c) return;
                std::string ref;
                if (c == FRoot) ref = "Owner";
                else if (c->Name().empty()) return;
                else if (c->Owner() == FRoot) ref = c->Name();
                else if (c->Owner() && !c->Owner()->Name().empty()) ref = c->Owner()->Name() + "." + c->Name();
                else return;
                FOut.WritePropName(name);
                FOut.WriteIdent(ref);
                return;
            }
            if (!obj) return;
            if (auto* coll = dynamic_cast<TCollection*>(obj)) {
                FOut.WritePropName(name);
                WriteCollection(coll);
                return;
            }
            WriteProperties(obj, name + ".");
            return;
        }
    }
}

void TWriter::WriteCollection(TCollection* Collection) {
    FOut.WriteValue(TValueType::vaCollection);
    for (int i = 0; i < Collection->GetCount(); ++i) {
        FOut.WriteValue(TValueType::vaList);
        WriteProperties(Collection->GetItem(i), std::string());
        FOut.WriteListEnd();
    }
    FOut.WriteListEnd();
}

// ---------------------------------------------------------------------------

namespace {
// One reader set up from the options, over a binary stream (with the text
// positions it was converted from, if any).
TComponent* ReadWithOptions(std::string_view Binary, const formfile::TextPosMap* Positions,
                            const std::string& SourceName, TComponent* Root, const TReadOptions& Options) {
    TReader reader(Binary, SourceName, Positions);
    reader.SetIgnoreMissingHandlers(Options.IgnoreMissingHandlers);
    reader.SetLenient(Options.Lenient);
    if (Options.OnWarning) reader.OnWarning = Options.OnWarning;
    return reader.ReadRootComponent(Root);
}

TComponent* ReadTextWithOptions(std::string_view Text, const std::string& SourceName, TComponent* Root,
                                const TReadOptions& Options) {
    formfile::TextPosMap positions;
    const std::string binary = formfile::TextToBinary(Text, SourceName, &positions);
    return ReadWithOptions(binary, &positions, SourceName, Root, Options);
}

TReadOptions HandlersOnly(bool IgnoreMissingHandlers) {
    TReadOptions options;
    options.IgnoreMissingHandlers = IgnoreMissingHandlers;
    return options;
}
}  // namespace

TComponent* ReadComponentFromBinary(std::string_view Data, const std::string& SourceName, TComponent* Root,
                                    bool IgnoreMissingHandlers) {
    return ReadWithOptions(Data, nullptr, SourceName, Root, HandlersOnly(IgnoreMissingHandlers));
}

TComponent* ReadComponentFromText(std::string_view Text, const std::string& SourceName, TComponent* Root,
                                  bool IgnoreMissingHandlers) {
    return ReadTextWithOptions(Text, SourceName, Root, HandlersOnly(IgnoreMissingHandlers));
}

TComponent* ReadComponentFromForm(std::string_view Data, const std::string& SourceName, TComponent* Root,
                                  bool IgnoreMissingHandlers) {
    return ReadComponentFromForm(Data, SourceName, Root, HandlersOnly(IgnoreMissingHandlers));
}

TComponent* ReadComponentFromForm(std::string_view Data, const std::string& SourceName, TComponent* Root,
                                  const TReadOptions& Options) {
    if (formfile::IsBinaryForm(Data)) return ReadWithOptions(Data, nullptr, SourceName, Root, Options);
    return ReadTextWithOptions(Data, SourceName, Root, Options);
}

std::string WriteComponentToBinary(TComponent* Root, const std::string& RootClassName) {
    TWriter writer;
    writer.WriteRootComponent(Root, RootClassName);
    return writer.Data();
}

std::string WriteComponentToText(TComponent* Root, const std::string& RootClassName) {
    return formfile::BinaryToText(WriteComponentToBinary(Root, RootClassName), Root->Name());
}

}  // namespace vcl
