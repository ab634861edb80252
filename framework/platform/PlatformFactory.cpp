// The one place that names the backends.
#include "framework/platform/Platform.h"
#include "framework/platform/headless/HeadlessPlatform.h"

namespace vcl {

std::unique_ptr<IPlatform> CreatePlatform(const std::string& Name) {
    if (Name == "headless") return std::make_unique<THeadlessPlatform>();
    return nullptr;
}

}  // namespace vcl
