// The package unit QVComponents: the entry points the designer's loader
// calls. Initialize and Finalize hand the package's unit table to the
// framework; Register installs the component. Loading registers nothing by
// itself: the units' initialization and finalization only count.
#include "design/QVTrackMouseDesign.h"
#include "framework/Packages.h"

namespace {

// Each unit's initialization counter, as the units' start-up code keeps it:
// counted down when a unit is initialized, up when it is finalized.
int gQVTrackMouseInitCount = 0;
int gQVComponentsInitCount = 0;

void QVTrackMouseInitialization() { --gQVTrackMouseInitCount; }
void QVTrackMouseFinalization() { ++gQVTrackMouseInitCount; }
void QVComponentsInitialization() { --gQVComponentsInitCount; }
void QVComponentsFinalization() { ++gQVComponentsInitCount; }

const vcl::TPackageUnit kUnits[] = {
    {QVTrackMouseInitialization, QVTrackMouseFinalization},
    {QVComponentsInitialization, QVComponentsFinalization},
};

}  // namespace

// C names, so that a loader finds them without knowing C++ mangling. Register
// keeps its plain name beside the unit's C++ Register.
extern "C" __attribute__((visibility("default"))) void Initialize() {
    vcl::PackageLoad(kUnits, static_cast<int>(std::size(kUnits)));
}
extern "C" __attribute__((visibility("default"))) void Finalize() {
    vcl::PackageUnload(kUnits, static_cast<int>(std::size(kUnits)));
}
extern "C" __attribute__((visibility("default"))) void PackageRegister() __asm__("Register");
void PackageRegister() { Register(); }
