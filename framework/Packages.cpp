#include "framework/Packages.h"

#include <dlfcn.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "framework/DesignIntf.h"
#include "framework/Resources.h"

namespace vcl {

namespace {

const TPackage* gCurrent = nullptr;

std::vector<TPackage*>& Loaded() {
    static std::vector<TPackage*> loaded;
    return loaded;
}

// Marks the package whose code runs, for the registrations it makes.
class TRunning {
public:
    explicit TRunning(const TPackage* P) : FPrevious(gCurrent) { gCurrent = P; }
    ~TRunning() { gCurrent = FPrevious; }
    TRunning(const TRunning&) = delete;
    TRunning& operator=(const TRunning&) = delete;

private:
    const TPackage* FPrevious;
};

}  // namespace

void PackageLoad(const TPackageUnit* Units, int Count) {
    for (int i = 0; i < Count; ++i)
        if (Units[i].Initialization) Units[i].Initialization();
}

void PackageUnload(const TPackageUnit* Units, int Count) {
    for (int i = Count - 1; i >= 0; --i)
        if (Units[i].Finalization) Units[i].Finalization();
}

const TPackage* CurrentPackage() { return gCurrent; }
const std::vector<TPackage*>& LoadedPackages() { return Loaded(); }

void TPackage::Register() {
    if (!FRegister) throw EPackageError(FFileName + ": the package has no Register routine");
    TRunning running(this);
    FRegister();
}

TPackage* LoadPackage(const std::string& FileName) {
    std::string image;
    if (!ReadFileBytes(FileName, image)) {
        const int err = errno;
        throw EPackageError(FileName + (err == ENOENT   ? ": no such file"
                                        : err == EISDIR ? ": is a folder, not a package"
                                                        : std::string(": cannot read: ") + std::strerror(err)));
    }
    if (image.size() < 4 || image.compare(0, 4, "\x7f" "ELF") != 0)
        throw EPackageError(FileName + ": not a package (not a shared object)");

    auto package = std::make_unique<TPackage>();
    package->FFileName = FileName;
    // The resources first: a damaged section refuses the package before any
    // of its code runs.
    try {
        const std::string rsrc = resfile::ElfSection(image, ".rsrc", FileName);
        package->FResources = resfile::ReadRes(rsrc, FileName + " (.rsrc)");
    } catch (const Exception& e) {
        throw EPackageError(e.Message());
    }

    // A path without a slash would make the loader search the library path.
    const std::string path = FileName.find('/') == std::string::npos ? "./" + FileName : FileName;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle) {
        const char* why = ::dlerror();
        throw EPackageError(FileName + ": cannot load: " + (why ? why : "unknown error"));
    }
    auto symbol = [&](const char* name) { return reinterpret_cast<void (*)()>(::dlsym(handle, name)); };
    package->FHandle = handle;
    package->FInitialize = symbol("Initialize");
    package->FFinalize = symbol("Finalize");
    package->FRegister = symbol("Register");
    if (!package->FInitialize || !package->FFinalize) {
        ::dlclose(handle);
        throw EPackageError(FileName + ": not a package (no Initialize and Finalize entry points)");
    }

    TPackage* p = package.release();
    for (const resfile::TResource& r : p->FResources)
        if (!r.Type.IsName && r.Type.Id == 10 /* RT_RCDATA */ && r.Name.IsName)
            RegisterResourceData(r.Name.Name, r.Data, p);
    Loaded().push_back(p);
    try {
        TRunning running(p);
        p->FInitialize();
    } catch (...) {
        UnloadPackage(p);
        throw;
    }
    return p;
}

void UnloadPackage(TPackage* Package) {
    if (!Package) return;
    auto& loaded = Loaded();
    auto it = std::find(loaded.begin(), loaded.end(), Package);
    if (it == loaded.end()) return;
    loaded.erase(it);
    {
        TRunning running(Package);
        Package->FFinalize();
    }
    UnregisterPackageDesign(Package);
    UnregisterResources(Package);
    ::dlclose(Package->FHandle);
    delete Package;
}

}  // namespace vcl
