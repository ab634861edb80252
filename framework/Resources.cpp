#include "framework/Resources.h"

#include <map>
#include <memory>
#include <string>

#include "framework/Streaming.h"

namespace vcl {

namespace {
struct TEntry {
    std::string_view Bytes;
    std::shared_ptr<const std::string> Kept;  // the bytes, when the table keeps them
    const void* Owner = nullptr;
};
std::map<std::string, TEntry>& Table() {
    static std::map<std::string, TEntry> table;
    return table;
}
}  // namespace

void RegisterResource(std::string_view Name, const unsigned char* Data, size_t Size) {
    Table()[UpperCase(Name)] = TEntry{std::string_view(reinterpret_cast<const char*>(Data), Size), nullptr, nullptr};
}

void RegisterResourceData(std::string_view Name, std::string Data, const void* Owner) {
    auto kept = std::make_shared<const std::string>(std::move(Data));
    Table()[UpperCase(Name)] = TEntry{*kept, kept, Owner};
}

void UnregisterResources(const void* Owner) {
    std::erase_if(Table(), [Owner](const auto& e) { return Owner && e.second.Owner == Owner; });
}

std::optional<std::string_view> FindResource(std::string_view Name) {
    auto it = Table().find(UpperCase(Name));
    if (it == Table().end()) return std::nullopt;
    return it->second.Bytes;
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
