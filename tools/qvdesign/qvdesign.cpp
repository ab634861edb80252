// qvdesign: a small designer host. It loads component packages, lists their
// palette, shows a form's published properties as the designer sees them,
// and runs a property's editor on a form file, saving the file when the
// editor reports a change.
//
//   qvdesign palette PKG...
//   qvdesign inspect FORM --package PKG... [--lenient]
//   qvdesign edit FORM COMPONENT.PROPERTY --package PKG... [--lenient] [--backend headless|sdl] [--script FILE]
//   qvdesign resources PKG [--extract DIR]
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/DesignIntf.h"
#include "framework/Forms.h"
#include "framework/Packages.h"
#include "framework/StandIn.h"
#include "framework/Streaming.h"
#include "framework/Version.h"
#include "framework/platform/headless/HeadlessPlatform.h"
#include "framework/platform/headless/InputScript.h"
#include "tools/qvdesign/FormSplice.h"

using namespace vcl;
namespace fs = std::filesystem;

namespace {

const char* const kUsage =
    "usage: qvdesign palette PKG...\n"
    "       qvdesign inspect FORM --package PKG... [--lenient]\n"
    "       qvdesign edit FORM COMPONENT.PROPERTY --package PKG... [--lenient] [--backend headless|sdl]\n"
    "                     [--script FILE]\n"
    "       qvdesign resources PKG [--extract DIR]\n"
    "       qvdesign --help | --version\n"
    "  palette    load the packages, register them, list the palette pages with their\n"
    "             components and the property editors bound to them\n"
    "  inspect    load a text or binary form file in design mode and list every\n"
    "             component's published properties, with the editor registered for each\n"
    "  edit       run a property's editor on a form file; when the editor reports a change\n"
    "             the file is saved in its own format, everything else kept as it was\n"
    "  resources  list a package's resources (type, name, language, size); --extract\n"
    "             writes each into DIR\n"
    "  --package PKG  load a package first, for the classes and editors it registers\n"
    "  --lenient      read the form as formrun --lenient does: what cannot be read is\n"
    "                 skipped with a warning, objects of unknown classes stand in and\n"
    "                 are saved back exactly as they were stored\n"
    "  --script FILE  drive the headless desktop with an input script (formrun's commands)\n";

// A wrong command line: exit 2.
struct TUsageError {
    std::string Message;
};
// A file or package that is wrong: exit 1, one line.
VCL_DECLARE_EXCEPTION(EHostError, Exception)

std::string ReadFile(const std::string& Path) {
    std::string data;
    if (!ReadFileBytes(Path, data)) throw EHostError(Path + ": cannot read: " + std::strerror(errno));
    return data;
}

// The framework's own component classes, which every designed form may use.
void RegisterHostClasses() { RegisterFormClasses(); }

// The package this program was built or installed with, where it lies
// beside the program; empty when it is not there.
std::string OwnPackage() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    for (const fs::path& p : {self.parent_path() / "QVComponents.bpl",
                              self.parent_path() / QV_INSTALLED_PACKAGE})
        if (fs::is_regular_file(p, ec)) return p.lexically_normal().string();
    return {};
}

// A class the form names that no loaded package registered: where one may
// come from.
std::string ClassNotFoundHint() {
    const std::string own = OwnPackage();
    return " (if a package provides it, load it with --package PKG" +
           (own.empty() ? std::string() : ", e.g. --package " + own) +
           "; --lenient keeps it as a stand-in)";
}

// The packages a command loads, each registered; unloaded in reverse order
// when the command is done, whichever way it ends.
class TLoadedPackages {
public:
    explicit TLoadedPackages(const std::vector<std::string>& Paths) {
        try {
            for (const std::string& path : Paths) {
                FPackages.push_back(LoadPackage(path));
                FPackages.back()->Register();
            }
        } catch (...) {
            Unload();
            throw;
        }
    }
    ~TLoadedPackages() { Unload(); }
    TLoadedPackages(const TLoadedPackages&) = delete;
    TLoadedPackages& operator=(const TLoadedPackages&) = delete;

private:
    void Unload() {
        for (auto it = FPackages.rbegin(); it != FPackages.rend(); ++it) UnloadPackage(*it);
        FPackages.clear();
    }
    std::vector<TPackage*> FPackages;
};

std::string Attributes(TPropertyAttributes A) {
    std::string s = "[";
    const TTypeInfo* info = TypeInfoOf<TPropertyAttribute>();
    for (int i = paValueList; i <= paRevertable; ++i) {
        if (!A.Contains(static_cast<TPropertyAttribute>(i))) continue;
        if (s.size() > 1) s += ',';
        s += info->EnumName(i);
    }
    return s + "]";
}

class TDesigner : public IDesigner {
public:
    void Modified() override { FModified = true; }
    bool Changed() const { return FModified; }

private:
    bool FModified = false;
};

// A form file read in design mode into a stand-in form: components do their
// design-time loading (trackers hook nothing), and handlers the stand-in
// cannot bind are kept by name.
struct TDesignedForm {
    std::string Path;
    std::string Original;  // the file's bytes
    bool Binary = false;
    std::string Text;       // the form as text (binary files converted)
    std::string RootClass;  // the class the file names for its root
    TForm* Root = nullptr;
    std::map<std::pair<const TObject*, std::string>, std::string> Handlers;

    ~TDesignedForm() {
        if (Root) Root->Free();
    }
};

std::unique_ptr<TDesignedForm> ReadDesignedForm(const std::string& Path, bool Lenient) {
    auto form = std::make_unique<TDesignedForm>();
    form->Path = Path;
    form->Original = ReadFile(Path);
    form->Binary = formfile::IsBinaryForm(form->Original);
    formfile::TextPosMap positions;
    std::string binary;
    if (form->Binary) {
        const std::string_view stream = formfile::StripResourceHeader(form->Original, Path);
        binary = std::string(stream);
        form->Text = formfile::BinaryToText(stream, Path);
    } else {
        form->Text = form->Original;
        binary = formfile::TextToBinary(form->Text, Path, &positions);
    }
    {
        formfile::BinaryReader r(binary, Path);
        r.ReadSignature();
        form->RootClass = r.ReadObjectHeader().ClassName;
    }
    form->Root = new TForm(Application);
    form->Root->SetDesigning(true);
    TReader reader(binary, Path, form->Binary ? nullptr : &positions);
    TDesignedForm* f = form.get();
    reader.OnMissingHandler = [f](TObject* Instance, const TPropInfo* Prop, const std::string& Method) {
        f->Handlers[{Instance, Prop->Name}] = Method;
    };
    reader.SetLenient(Lenient);
    reader.OnWarning = [](const std::string& Line) { std::fprintf(stderr, "%s\n", Line.c_str()); };
    try {
        reader.ReadRootComponent(form->Root);
    } catch (const Exception& e) {
        form->Root->Free();
        form->Root = nullptr;
        const std::string& m = e.Message();
        if (m.find(": Class ") != std::string::npos && m.ends_with(" not found"))
            throw EHostError(m + ClassNotFoundHint());
        throw;
    } catch (...) {
        form->Root->Free();
        form->Root = nullptr;
        throw;
    }
    return form;
}

// --- palette ---------------------------------------------------------------

int Palette(const std::vector<std::string>& Packages) {
    if (Packages.empty()) throw TUsageError{"palette: no package given"};
    TLoadedPackages loaded(Packages);
    for (const TPalettePage& page : PalettePages()) {
        std::printf("page %s\n", page.Name.c_str());
        for (const TMetaClass* cls : page.Classes) {
            std::printf("  %s\n", cls->ClassName().c_str());
            for (const TPropInfo* prop : cls->Properties()) {
                const TMetaClass* editor = FindPropertyEditor(cls, prop);
                if (!editor) continue;
                TDesigner designer;
                std::unique_ptr<TPropertyEditor, void (*)(TPropertyEditor*)> e(
                    static_cast<TPropertyEditor*>(editor->NewObject()), [](TPropertyEditor* p) { p->Free(); });
                const std::string type = prop->Type->ClassType() ? prop->Type->ClassType()->ClassName() : prop->Type->Name;
                std::printf("    %s: %s editor %s %s\n", prop->Name.c_str(), type.c_str(),
                            editor->ClassName().c_str(), Attributes(e->GetAttributes()).c_str());
            }
        }
    }
    return 0;
}

// --- inspect ---------------------------------------------------------------

void InspectComponent(const TDesignedForm& Form, TComponent* C, const std::string& ClassName, int Depth) {
    const std::string indent(static_cast<size_t>(Depth) * 2, ' ');
    if (const auto* standIn = dynamic_cast<const IStandIn*>(C)) {
        // Its class is not loaded: what the file stores is all there is.
        std::printf("%s%s: %s (stand-in, kept as stored)\n", indent.c_str(), C->Name().c_str(),
                    standIn->StreamedClassName.c_str());
        for (const TStoredProperty& p : standIn->StoredProperties)
            std::printf("%s  %s (as stored)\n", indent.c_str(), p.Name.c_str());
        return;
    }
    std::printf("%s%s: %s\n", indent.c_str(), C->Name().c_str(), ClassName.c_str());
    for (const TPropInfo* prop : C->ClassType()->Properties()) {
        std::string value = PropertyValueText(C, prop);
        if (prop->Kind() == TTypeKind::tkMethod && value.empty()) {
            auto it = Form.Handlers.find({C, prop->Name});
            if (it != Form.Handlers.end()) value = it->second;
        }
        if (prop->Kind() == TTypeKind::tkString) value = "'" + value + "'";
        std::printf("%s  %s = %s", indent.c_str(), prop->Name.c_str(), value.c_str());
        if (const TMetaClass* editor = FindPropertyEditor(C->ClassType(), prop)) {
            TDesigner designer;
            TPropertyEditor* e = GetPropertyEditor(&designer, {C}, prop);
            std::printf("  [editor %s %s]", editor->ClassName().c_str(), Attributes(e->GetAttributes()).c_str());
            e->Free();
        }
        std::printf("\n");
    }
}

int Inspect(const std::string& FormPath, const std::vector<std::string>& Packages, bool Lenient) {
    TLoadedPackages loaded(Packages);
    auto form = ReadDesignedForm(FormPath, Lenient);  // freed before the packages go
    InspectComponent(*form, form->Root, form->RootClass, 0);
    for (int i = 0; i < form->Root->ComponentCount(); ++i) {
        TComponent* c = form->Root->Components(i);
        InspectComponent(*form, c, c->ClassName(), 1);
    }
    return 0;
}

// --- edit ------------------------------------------------------------------

std::string Saved(const TDesignedForm& Form, const std::string& Component, const std::string& Property) {
    // The edited property as the writer stores it now, put in place of the
    // file's own lines for it; every other line stays as it was.
    const std::string written = WriteComponentToText(Form.Root, Form.RootClass);
    std::string lines;
    if (auto r = formsplice::FindProperty(written, Component, Property))
        lines = written.substr(r->First, r->Last - r->First);
    auto text = formsplice::ReplaceProperty(Form.Text, Component, Property, lines);
    if (!text) throw EHostError(Form.Path + ": object '" + Component + "' not found in the file's text");
    // What is saved must read back.
    const std::string binary = formfile::TextToBinary(*text, Form.Path + " (as saved)");
    if (!Form.Binary) return *text;
    // Binary stays binary, with the resource header it had (its size updated).
    const std::string_view stream = formfile::StripResourceHeader(Form.Original, Form.Path);
    const size_t at = static_cast<size_t>(stream.data() - Form.Original.data());
    if (at == 0) return binary;
    std::string out = Form.Original.substr(0, at - 4);
    const uint32_t size = static_cast<uint32_t>(binary.size());
    for (int i = 0; i < 4; ++i) out += static_cast<char>(size >> (8 * i) & 0xFF);
    out += binary;
    out += Form.Original.substr(at + stream.size());
    return out;
}

int Edit(const std::string& FormPath, const std::string& Target, const std::vector<std::string>& Packages,
         const std::string& Backend, const std::string& ScriptPath, bool Lenient) {
    const size_t dot = Target.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == Target.size())
        throw TUsageError{"edit: expected COMPONENT.PROPERTY, not '" + Target + "'"};
    const std::string componentName = Target.substr(0, dot), propertyName = Target.substr(dot + 1);

    std::unique_ptr<TInputScript> script;
    if (!ScriptPath.empty()) script = std::make_unique<TInputScript>(ReadFile(ScriptPath), ScriptPath);
    Application->Initialize(Backend.empty() && script ? "headless" : Backend);

    TLoadedPackages loaded(Packages);
    bool changed = false;
    {
        auto form = ReadDesignedForm(FormPath, Lenient);
        TComponent* component = SameText(form->Root->Name(), componentName)
                                    ? form->Root
                                    : form->Root->FindComponent(componentName);
        if (!component) throw EHostError(FormPath + ": no component named '" + componentName + "'");
        const TPropInfo* prop = component->ClassType()->FindProperty(propertyName);
        if (!prop)
            throw EHostError(FormPath + ": " + component->ClassName() + " has no published property '" +
                             propertyName + "'");
        TDesigner designer;
        std::unique_ptr<TPropertyEditor, void (*)(TPropertyEditor*)> editor(
            GetPropertyEditor(&designer, {component}, prop), [](TPropertyEditor* e) { e->Free(); });
        if (!editor->GetAttributes().Contains(paDialog))
            throw EHostError(FormPath + ": " + component->ClassName() + "." + prop->Name +
                             " has no editor with a dialog");
        auto* desktop = dynamic_cast<THeadlessPlatform*>(Platform());
        if (desktop && script) desktop->OnIdleInput = [&] { return script->Step(*desktop); };
        editor->Edit();
        if (desktop) desktop->OnIdleInput = nullptr;
        if (desktop && script) script->Finish(*desktop);
        changed = designer.Changed();
        if (changed) {
            WriteFileAtomically(FormPath, Saved(*form, component->Name(), prop->Name));
            std::printf("%s: %s.%s changed; saved\n", FormPath.c_str(), component->Name().c_str(),
                        prop->Name.c_str());
        } else {
            std::printf("%s: %s.%s unchanged; nothing written\n", FormPath.c_str(), component->Name().c_str(),
                        prop->Name.c_str());
        }
    }
    ResetApplication();  // the dialog and anything else made of the packages' classes
    return 0;
}

// --- resources -------------------------------------------------------------

int Resources(const std::string& Path, const std::string& ExtractDir) {
    const std::string image = ReadFile(Path);
    const std::string rsrc = resfile::ElfSection(image, ".rsrc", Path);
    const std::vector<resfile::TResource> resources = resfile::ReadRes(rsrc, Path + " (.rsrc)");
    if (!ExtractDir.empty()) {
        std::error_code ec;
        fs::create_directories(ExtractDir, ec);
        if (ec) throw EHostError(ExtractDir + ": cannot create: " + ec.message());
    }
    for (const resfile::TResource& r : resources) {
        const std::string type = resfile::TypeName(r.Type);
        const std::string name = r.Name.IsName ? r.Name.Name : std::to_string(r.Name.Id);
        std::printf("%-12s %-22s %5u %7zu\n", type.c_str(), name.c_str(), static_cast<unsigned>(r.Language),
                    r.Data.size());
        if (!ExtractDir.empty())
            WriteFileAtomically((fs::path(ExtractDir) / (type + "-" + name + "-" + std::to_string(r.Language)))
                                    .string(),
                                r.Data);
    }
    return 0;
}

int Run(int argc, char** argv) {
    if (argc < 2) throw TUsageError{"no command given"};
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "--version") {
        std::puts("qvdesign " QV_VERSION);
        return 0;
    }
    std::vector<std::string> positional, packages;
    std::string backend, script, extract;
    bool lenient = false;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == "--package" || a == "--backend" || a == "--script" || a == "--extract") {
            if (i + 1 >= argc || !*argv[i + 1]) throw TUsageError{"option '" + a + "' needs a value"};
            const std::string v = argv[++i];
            if (a == "--package") packages.push_back(v);
            else if (a == "--backend") backend = v;
            else if (a == "--script") script = v;
            else extract = v;
        } else if (a == "--lenient") {
            lenient = true;
        } else if (a.starts_with("-")) {
            throw TUsageError{"unknown option '" + a + "'"};
        } else {
            positional.push_back(a);
        }
    }
    auto expect = [&](size_t n, const char* what) {
        if (positional.size() != n) throw TUsageError{command + ": expected " + what};
    };
    if (!backend.empty() && backend != "headless" && backend != "sdl")
        throw TUsageError{"unknown backend '" + backend + "' (use headless or sdl)"};
    if ((!backend.empty() || !script.empty()) && command != "edit")
        throw TUsageError{command + ": --backend and --script go with edit"};
    if (!extract.empty() && command != "resources") throw TUsageError{command + ": --extract goes with resources"};
    if (lenient && command != "inspect" && command != "edit")
        throw TUsageError{command + ": --lenient goes with inspect and edit"};
    if (!packages.empty() && (command == "palette" || command == "resources"))
        throw TUsageError{command + ": name the packages as arguments, without --package"};

    if (command == "palette") return Palette(positional);
    if (command == "inspect") {
        expect(1, "one form file");
        return Inspect(positional[0], packages, lenient);
    }
    if (command == "edit") {
        expect(2, "a form file and COMPONENT.PROPERTY");
        if (script.size() && backend == "sdl") throw TUsageError{"a script drives the headless backend, not sdl"};
        return Edit(positional[0], positional[1], packages, backend, script, lenient);
    }
    if (command == "resources") {
        expect(1, "one package");
        return Resources(positional[0], extract);
    }
    throw TUsageError{"unknown command '" + command + "'"};
}

}  // namespace

int main(int argc, char** argv) {
    RegisterHostClasses();
    try {
        return Run(argc, argv);
    } catch (const TUsageError& e) {
        std::fprintf(stderr, "qvdesign: %s\n%s", e.Message.c_str(), kUsage);
        return 2;
    } catch (const Exception& e) {
        std::fprintf(stderr, "qvdesign: %s\n", e.Message().c_str());
        return 1;
    }
}
