// Resources embedded in the program: binary form files compiled from text at
// build time (see cmake/FormResources.cmake). A form is built from the
// resource named after its class in capitals.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "framework/Classes.h"

namespace vcl {

// Called by the generated code at start-up. A second resource of the same
// name replaces the first.
void RegisterResource(std::string_view Name, const unsigned char* Data, size_t Size);
// A resource whose bytes the table keeps, on behalf of Owner (a package);
// it replaces one of the same name.
void RegisterResourceData(std::string_view Name, std::string Data, const void* Owner);
// Drops every resource registered on behalf of Owner.
void UnregisterResources(const void* Owner);
// The resource's bytes, by name (ASCII letter case ignored).
std::optional<std::string_view> FindResource(std::string_view Name);

// Reads the form resource ResName into Instance (EResNotFound if missing).
void ReadComponentRes(std::string_view ResName, TComponent* Instance);
// Reads the resource named after Instance's class in capitals; the class's
// constructor calls it. Returns false when there is none.
bool InitInheritedComponent(TComponent* Instance);

struct TResourceRegistration {
    TResourceRegistration(const char* Name, const unsigned char* Data, size_t Size) {
        RegisterResource(Name, Data, Size);
    }
};

}  // namespace vcl
