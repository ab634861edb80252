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

TEST(SdlMapping, NamedKeysBecomeTheirVirtualKeys) {
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_RETURN), VK_RETURN);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_KP_ENTER), VK_RETURN);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_ESCAPE), VK_ESCAPE);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_TAB), VK_TAB);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_SPACE), VK_SPACE);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_BACKSPACE), VK_BACK);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_DELETE), VK_DELETE);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_HOME), VK_HOME);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_END), VK_END);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_LEFT), VK_LEFT);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_RIGHT), VK_RIGHT);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_UP), VK_UP);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_DOWN), VK_DOWN);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_F4), VK_F4);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_F1), 0x70u);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_F12), 0x7Bu);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_LSHIFT), VK_SHIFT);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_RCTRL), VK_CONTROL);
}

TEST(SdlMapping, LettersAreUpperCaseAndDigitsThemselves) {
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_a), static_cast<uint32_t>('A'));
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_z), static_cast<uint32_t>('Z'));
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_0), static_cast<uint32_t>('0'));
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_9), static_cast<uint32_t>('9'));
}

TEST(SdlMapping, KeysTheFrameworkDoesNotNameAreDropped) {
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_CAPSLOCK), 0u);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_MINUS), 0u);
    EXPECT_EQ(SdlKeyToVirtualKey(SDLK_UNKNOWN), 0u);
}

TEST(SdlMapping, ButtonsAreNumberedLeftRightMiddle) {
    EXPECT_EQ(SdlButtonToButton(SDL_BUTTON_LEFT), 0);
    EXPECT_EQ(SdlButtonToButton(SDL_BUTTON_RIGHT), 1);
    EXPECT_EQ(SdlButtonToButton(SDL_BUTTON_MIDDLE), 2);
    EXPECT_EQ(SdlButtonToButton(SDL_BUTTON_X1), -1);
}

TEST(SdlMapping, ModifiersOfEitherSideSetTheShiftBits) {
    EXPECT_EQ(SdlModToShift(KMOD_NONE), 0u);
    EXPECT_EQ(SdlModToShift(KMOD_LSHIFT), 1u);
    EXPECT_EQ(SdlModToShift(KMOD_RSHIFT), 1u);
    EXPECT_EQ(SdlModToShift(KMOD_RALT), 2u);
    EXPECT_EQ(SdlModToShift(KMOD_LCTRL), 4u);
    EXPECT_EQ(SdlModToShift(KMOD_LSHIFT | KMOD_RCTRL | KMOD_LALT), 7u);
    EXPECT_EQ(SdlModToShift(KMOD_NUM | KMOD_CAPS), 0u);
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
