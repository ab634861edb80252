// A package with entry points and resources but no Register routine.
#include "framework/Packages.h"

namespace {
int gCount = 0;
void Up() { ++gCount; }
void Down() { --gCount; }
const vcl::TPackageUnit kUnits[] = {{Up, Down}};
}  // namespace

extern "C" __attribute__((visibility("default"))) void Initialize() { vcl::PackageLoad(kUnits, 1); }
extern "C" __attribute__((visibility("default"))) void Finalize() { vcl::PackageUnload(kUnits, 1); }
