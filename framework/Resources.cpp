#include "framework/Resources.h"

#include <map>
#include <string>

#include "framework/Streaming.h"

namespace vcl {

namespace {
std::map<std::string, std::string_view>& Table() {
    static std::map<std::string, std::string_view> table;
    return table;
}
}  // namespace

void RegisterResource(std::string_view Name, const unsigned char* Data, size_t Size) {
    Table()[UpperCase(Name)] = std::string_view(reinterpret_cast<const char*>(Data), Size);
}

std::optional<std::string_view> FindResource(std::string_view Name) {
    auto it = Table().find(UpperCase(Name));
    if (it == Table().end()) return std::nullopt;
    return it->second;
}

void ReadComponentRes(std::string_view ResName, TComponent* Instance) {
    auto data = FindResource(ResName);
    if (!data) throw EResNotFound("Resource " + std::string(ResName) + " not found");
    ReadComponentFromBinary(*data, "resource " + UpperCase(ResName), Instance);
}

bool InitInheritedComponent(TComponent* Instance) {
    std::string name = UpperCase(Instance->ClassName());
    if (!FindResource(name)) return false;
    ReadComponentRes(name, Instance);
    return true;
}

}  // namespace vcl
