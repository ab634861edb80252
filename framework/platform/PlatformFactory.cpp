// The one place that names the backends.
#include "framework/platform/Platform.h"
#include "framework/platform/headless/HeadlessPlatform.h"
#ifdef QV_HAVE_SDL
#include "framework/platform/sdl/SdlPlatform.h"
#endif

namespace vcl {

std::unique_ptr<IPlatform> CreatePlatform(const std::string& Name) {
    if (Name == "headless") return std::make_unique<THeadlessPlatform>();
#ifdef QV_HAVE_SDL
    // Null when no display can be reached, so that callers can fall back.
    if (Name == "sdl") return TSdlPlatform::Create();
#endif
    return nullptr;
}

}  // namespace vcl
