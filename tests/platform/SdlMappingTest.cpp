// What the windowed backend makes of SDL's keys, buttons and modifiers, and
// how it fails with no display; windows themselves are tested under Xvfb
// (tests/e2e).
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "framework/Log.h"
#include "framework/Messages.h"
#include "framework/platform/sdl/SdlPlatform.h"

using namespace vcl;

namespace {

TEST(SdlMapping, KeysButtonsAndModifiers) {
    // Named keys, letters upper case, digits themselves; keys the framework
    // does not name are dropped (0).
    const std::pair<int32_t, uint32_t> keys[] = {
        {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_TAB, VK_TAB},
        {SDLK_SPACE, VK_SPACE},   {SDLK_BACKSPACE, VK_BACK},  {SDLK_DELETE, VK_DELETE}, {SDLK_HOME, VK_HOME},
        {SDLK_END, VK_END},       {SDLK_LEFT, VK_LEFT},       {SDLK_RIGHT, VK_RIGHT},   {SDLK_UP, VK_UP},
        {SDLK_DOWN, VK_DOWN},     {SDLK_F4, VK_F4},           {SDLK_F1, 0x70},          {SDLK_F12, 0x7B},
        {SDLK_LSHIFT, VK_SHIFT},  {SDLK_RCTRL, VK_CONTROL},   {SDLK_a, 'A'},            {SDLK_z, 'Z'},
        {SDLK_0, '0'},            {SDLK_9, '9'},              {SDLK_CAPSLOCK, 0},       {SDLK_MINUS, 0},
        {SDLK_UNKNOWN, 0}};
    for (const auto& [sdl, vk] : keys) EXPECT_EQ(SdlKeyToVirtualKey(sdl), vk) << SDL_GetKeyName(sdl);
    // Buttons numbered left, right, middle.
    const std::pair<uint8_t, int> buttons[] = {
        {SDL_BUTTON_LEFT, 0}, {SDL_BUTTON_RIGHT, 1}, {SDL_BUTTON_MIDDLE, 2}, {SDL_BUTTON_X1, -1}};
    for (const auto& [sdl, button] : buttons) EXPECT_EQ(SdlButtonToButton(sdl), button) << int(sdl);
    // Modifiers of either side set the shift bits.
    const std::pair<int, uint32_t> mods[] = {{KMOD_NONE, 0}, {KMOD_LSHIFT, 1}, {KMOD_RSHIFT, 1}, {KMOD_RALT, 2},
                                             {KMOD_LCTRL, 4}, {KMOD_LSHIFT | KMOD_RCTRL | KMOD_LALT, 7},
                                             {KMOD_NUM | KMOD_CAPS, 0}};
    for (const auto& [sdl, shift] : mods) EXPECT_EQ(SdlModToShift(static_cast<uint16_t>(sdl)), shift) << sdl;
}

// Restores an environment variable when the test ends.
class TEnvVar {
public:
    TEnvVar(const char* Name, const char* Value) : FName(Name) {
        if (const char* v = std::getenv(Name)) FOld = v;
        if (Value) ::setenv(Name, Value, 1);
        else ::unsetenv(Name);
    }
    ~TEnvVar() {
        if (FOld) ::setenv(FName.c_str(), FOld->c_str(), 1);
        else ::unsetenv(FName.c_str());
    }

private:
    std::string FName;
    std::optional<std::string> FOld;
};

TEST(SdlPlatform, WithNoDisplayTheBackendIsNotMadeAndTheLogSaysWhy) {
    TEnvVar display("DISPLAY", nullptr), wayland("WAYLAND_DISPLAY", nullptr), driver("SDL_VIDEODRIVER", nullptr);
    TLogCapture log;
    EXPECT_EQ(TSdlPlatform::Create(), nullptr);
    EXPECT_NE(log.Text().find("sdl: no display"), std::string::npos) << log.Text();
    EXPECT_EQ(CreatePlatform("sdl"), nullptr);
}

}  // namespace
