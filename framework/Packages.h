// Packages: shared libraries that add components and design-time support to
// a program (the designer host) at run time.
//
// A package exports, with C linkage, Initialize and Finalize (which hand its
// unit table to PackageLoad / PackageUnload) and, when it installs
// components, Register. Its resources travel inside the file as a Windows
// resource image in the ELF section ".rsrc"; loading registers its RCDATA
// resources (forms among them) with the program's resources.
//
// Unloading runs the package's unit finalizations and takes out everything
// it registered: palette entries, property editors, classes and resources.
// The image itself stays mapped (RTLD_NODELETE): the class metadata a
// package builds lives as long as the program, and nothing that still points
// into it may dangle. Loading the same file again gives the same image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/SysUtils.h"
#include "framework/resfile/ResFile.h"

namespace vcl {

// "FILE: message".
VCL_DECLARE_EXCEPTION(EPackageError, Exception)

// One unit's initialization and finalization routines (either may be null).
struct TPackageUnit {
    void (*Initialization)() = nullptr;
    void (*Finalization)() = nullptr;
};

// Run by a package's Initialize / Finalize: the units' initializations in
// table order, their finalizations in the reverse order.
void PackageLoad(const TPackageUnit* Units, int Count);
void PackageUnload(const TPackageUnit* Units, int Count);

class TPackage {
public:
    const std::string& FileName() const { return FFileName; }
    // The package's resources, as its ".rsrc" section holds them.
    const std::vector<resfile::TResource>& Resources() const { return FResources; }
    bool HasRegister() const { return FRegister != nullptr; }
    // Calls the package's Register; what it registers belongs to the package.
    // EPackageError when the package has none.
    void Register();

private:
    friend TPackage* LoadPackage(const std::string&);
    friend void UnloadPackage(TPackage*);
    std::string FFileName;
    void* FHandle = nullptr;
    void (*FInitialize)() = nullptr;
    void (*FFinalize)() = nullptr;
    void (*FRegister)() = nullptr;
    std::vector<resfile::TResource> FResources;
};

// Loads a package and runs its Initialize. EPackageError naming the file when
// it cannot be read or loaded, is not a shared object, lacks Initialize or
// Finalize, or its resources are damaged.
TPackage* LoadPackage(const std::string& FileName);
// Runs Finalize, drops everything the package registered, frees Package.
void UnloadPackage(TPackage* Package);
// The packages loaded now, in loading order.
const std::vector<TPackage*>& LoadedPackages();
// The package whose Initialize, Finalize or Register is running; null
// outside them (registrations then belong to the program itself).
const TPackage* CurrentPackage();

}  // namespace vcl
