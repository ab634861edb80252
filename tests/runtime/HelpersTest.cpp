// The unit's routines: the ancestry test by name, the message box and the
// screen text.
#include "TrackerFixture.h"
#include "framework/Windows.h"

using namespace vcl;
using namespace vcltest;

namespace {
class Helpers : public TrackerTest {};
}  // namespace

TEST_F(Helpers, IsClassWalksTheAncestryByName) {
    const TMetaClass *f = TForm::StaticClass(), *t = TQVTrackMouse::StaticClass();
    const std::tuple<const TMetaClass*, const char*, bool> cases[] = {
        {nullptr, "TObject", false}, {f, "TForm", true},       {f, "TControl", true}, {f, "TObject", true},
        {t, "TControl", false},      {t, "TComponent", true},  {f, "", false},
        {f, "tcontrol", false}};  // the name test is exact
    for (const auto& [cls, name, is] : cases) EXPECT_EQ(IsClass(cls, name), is) << name;
}

TEST_F(Helpers, MessageBoxRoutineReturnsThePressedButton) {
    TLogCapture logged;
    Desktop()->OnIdleInput = [&] {
        Desktop()->Key(VK_RETURN);
        Desktop()->OnIdleInput = nullptr;
        return true;
    };
    EXPECT_EQ(_d("Text", "", MB_OK), IDOK);
    EXPECT_NE(logged.Text().find("messagebox title=\"\" text=\"Text\" style=0x0"), std::string::npos) << logged.Text();
    Desktop()->OnIdleInput = [&] {
        Desktop()->Key(VK_ESCAPE);
        Desktop()->OnIdleInput = nullptr;
        return true;
    };
    EXPECT_EQ(_d("Sure?", "Ask", MB_OKCANCEL | MB_ICONQUESTION), IDCANCEL);
    EXPECT_EQ(_d("x", "y", 0x0F), 0);  // no such box: the platform fails
}

TEST_F(Helpers, PrintDrawsNearBlackTextWhereverAndAlwaysSucceeds) {
    auto* t = new TQVTrackMouse(form);  // not loaded, not hooked
    size_t before = ScreenTexts().size();
    EXPECT_TRUE(t->print(12345, 40, 50, "Hello"));
    ASSERT_EQ(ScreenTexts().size(), before + 1);
    const TScreenText& s = ScreenTexts().back();
    EXPECT_EQ(s.Text, "Hello");
    EXPECT_EQ(s.Pos, (TPoint{40, 50}));
    EXPECT_EQ(s.Color, 1u);  // red 1: not black, from no argument
    EXPECT_TRUE(t->print(-1, 40, 50, ""));  // nothing drawn
    EXPECT_EQ(ScreenTexts().size(), before + 1);
    EXPECT_TRUE(t->print(0, -5000, 99999, "off screen"));
    EXPECT_TRUE(t->print(7, 40, 50, "Hello"));  // the first argument changes nothing
    EXPECT_EQ(ScreenTexts().back().Pos, (TPoint{40, 50}));
    EXPECT_EQ(ScreenTexts().back().Color, 1u);
}
