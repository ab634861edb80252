// The windowed backend end to end: a real program shows a form under a
// private X server; the test moves and clicks the real pointer, presses real
// keys, and reads the screen and the window list.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "XDisplay.h"
#include "framework/Forms.h"

namespace fs = std::filesystem;
using namespace e2e;

namespace {

// The form in data/E2eForm.dfm: client area at (100, 80), 400 by 300, teal.
constexpr int kLeft = 100, kTop = 80, kWidth = 400, kHeight = 300;
constexpr uint32_t kTeal = 0x008080;

std::string Data(const std::string& Name) { return std::string(QV_E2E_DATA) + "/" + Name; }

uint32_t Rgb(vcl::TColor C) {
    uint32_t bgr = vcl::ColorToRGB(C);
    return (bgr & 0xFF) << 16 | (bgr & 0xFF00) | (bgr >> 16 & 0xFF);
}

// How many pixels of the screen rectangle have exactly Colour.
int Count(const TScreenImage& S, vcl::TRect R, uint32_t Colour) {
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x) n += S.At(x, y) == Colour;
    return n;
}

std::string Hex(uint32_t V) {
    std::ostringstream s;
    s << "0x" << std::hex << V;
    return s.str();
}

class XvfbTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QV_E2E_HAVE_SDL) GTEST_SKIP() << "this build has no SDL2 backend (libsdl2-dev missing: run scripts/deps)";
        for (const char* tool : {"Xvfb", "xte", "xwd", "xwininfo", "xprop"})
            if (FindProgram(tool).empty())
                GTEST_SKIP() << tool << " is not installed (scripts/deps installs xvfb, xautomation, x11-apps, "
                                        "x11-utils)";
        dir = fs::temp_directory_path() / ("qv-e2e-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        server = std::make_unique<TXServer>(dir);
        ASSERT_TRUE(server->Started()) << server->Error();
    }
    void TearDown() override {
        app.reset();
        server.reset();
        if (!dir.empty() && !HasFailure()) fs::remove_all(dir);
    }

    // Starts a program on the server.
    void Start(std::vector<std::string> Argv) {
        app = std::make_unique<TProcess>(Argv, server->Env(), dir / "app.out", dir / "app.err");
    }
    void StartApp(bool DefaultBackend = false) {
        std::vector<std::string> argv{QV_E2E_APP, Data("E2eForm.dfm")};
        if (!DefaultBackend) argv.insert(argv.end(), {"--backend", "sdl"});
        Start(argv);
    }
    // Waits until the program has written Line (a whole line).
    bool Logged(const std::string& Line, std::chrono::milliseconds Timeout = 20s) {
        return WaitFor([&] { return ("\n" + app->Out()).find("\n" + Line + "\n") != std::string::npos; },
                       Timeout);
    }
    std::string Log() const { return "stdout:\n" + app->Out() + "stderr:\n" + app->Err(); }
    TScreenImage Shot() {
        TScreenImage image;
        std::string error;
        EXPECT_TRUE(server->Screenshot(image, error)) << error;
        return image;
    }
    // Waits until the screen shows Colour at (X, Y).
    bool ShowsColour(int X, int Y, uint32_t Colour, std::chrono::milliseconds Timeout = 20s) {
        return WaitFor([&] { return Shot().At(X, Y) == Colour; }, Timeout);
    }
    // Waits for the window named Title to be mapped (or, with Present false, gone).
    std::optional<TWindowInfo> AwaitWindow(const std::string& Title, bool Present = true) {
        std::optional<TWindowInfo> w;
        WaitFor(
            [&] {
                w = server->Window(Title);
                return Present ? (w && w->Viewable) : !w;
            },
            20s);
        return w;
    }
    void Move(int X, int Y) { ASSERT_TRUE(server->Xte({"mousemove " + std::to_string(X) + " " + std::to_string(Y)})); }
    void Click(int X, int Y) {
        Move(X, Y);
        ASSERT_TRUE(server->Xte({"mouseclick 1"}));
    }
    // The main form is up: shown, on the screen, and drawn.
    void AwaitForm() {
        ASSERT_TRUE(Logged("shown 100 80")) << Log();
        ASSERT_TRUE(ShowsColour(kLeft, kTop, kTeal)) << Hex(Shot().At(kLeft, kTop)) << "\n" << Log();
    }

    fs::path dir;
    std::unique_ptr<TXServer> server;
    std::unique_ptr<TProcess> app;
};

// With a display reachable, the windowed backend is the default.
TEST_F(XvfbTest, FormIsAWindowAtItsPlaceInItsColourWithItsIconAndEndsCleanlyOnTerm) {
    StartApp(/*DefaultBackend=*/true);
    ASSERT_TRUE(Logged("backend sdl")) << Log();
    AwaitForm();
    TScreenImage s = Shot();
    // Exactly the client area, at the form's place: no window manager, no frame.
    EXPECT_EQ(s.At(kLeft, kTop), kTeal);
    EXPECT_EQ(s.At(kLeft + kWidth - 1, kTop + kHeight - 1), kTeal);
    EXPECT_NE(s.At(kLeft - 1, kTop), kTeal);
    EXPECT_NE(s.At(kLeft, kTop - 1), kTeal);
    EXPECT_NE(s.At(kLeft + kWidth, kTop + kHeight - 1), kTeal);
    EXPECT_NE(s.At(kLeft + kWidth - 1, kTop + kHeight), kTeal);
    auto w = server->Window("E2E Form");
    ASSERT_TRUE(w) << "no window titled 'E2E Form'";
    EXPECT_EQ(w->X, kLeft);
    EXPECT_EQ(w->Y, kTop);
    EXPECT_EQ(w->Width, kWidth);
    EXPECT_EQ(w->Height, kHeight);
    // The form's icon, decoded: 2 by 2, red, green / blue, transparent.
    EXPECT_NE(server->CardinalProperty("E2E Form", "_NET_WM_ICON")
                  .find("= 2, 2, 4294901760, 4278255360, 4278190335, 0\n"),
              std::string::npos)
        << server->CardinalProperty("E2E Form", "_NET_WM_ICON");
    // SIGTERM ends the session through the framework: a clean exit, no leaks.
    EXPECT_EQ(app->Stop(), 0) << Log();
    EXPECT_FALSE(server->Window("E2E Form"));
}

TEST_F(XvfbTest, MessageBoxIsAWindowOfItsOwnCentredAndReturnPressesItsDefaultButton) {
    StartApp();
    AwaitForm();
    Click(kLeft + 47, kTop + 82);  // Ask
    auto box = AwaitWindow("E2E Question");
    ASSERT_TRUE(box && box->Viewable) << "no message box window\n" << Log();
    // Centred on the screen by its outer size (frame included).
    vcl::TFrameMetrics m = vcl::FrameMetrics(vcl::bsDialog);
    EXPECT_EQ(box->X, (1024 - (box->Width + 2 * m.Border)) / 2);
    EXPECT_EQ(box->Y, (768 - (box->Height + 2 * m.Border + m.Caption)) / 2);
    // Above the form where they overlap, in its own colour.
    EXPECT_TRUE(ShowsColour(box->X + 2, box->Y + 2, Rgb(vcl::clBtnFace)))
        << Hex(Shot().At(box->X + 2, box->Y + 2));
    ASSERT_TRUE(server->Xte({"key Return"}));
    EXPECT_TRUE(Logged("answer 6")) << Log();  // IDYES
    EXPECT_FALSE(AwaitWindow("E2E Question", false)) << "the box outlived its answer";
    // The form is in front again where the box was.
    EXPECT_TRUE(ShowsColour(kLeft + kWidth - 2, kTop + kHeight - 2, kTeal));
}

TEST_F(XvfbTest, RealPointerAndKeysReachTheFormAndSetCursorPosMovesThePointer) {
    StartApp();
    AwaitForm();
    // Moves arrive in client coordinates; leaving for the desktop is seen.
    Move(kLeft + 50, kTop + 250);
    EXPECT_TRUE(Logged("move 50 250")) << Log();
    EXPECT_TRUE(Logged("enter form 150 330")) << Log();
    Move(900, 700);
    EXPECT_TRUE(Logged("leave form 900 700")) << Log();
    // Typed text goes into the focused edit.
    Click(kLeft + 100, kTop + 18);  // NameEdit
    ASSERT_TRUE(server->Xte({"str hi"}));
    EXPECT_TRUE(Logged("text h")) << Log();
    EXPECT_TRUE(Logged("text hi")) << Log();
    ASSERT_TRUE(server->Xte({"key BackSpace"}));
    EXPECT_TRUE(Logged("text h", 20s)) << Log();
    // Warp: to the panel's centre, (300, 80) in the form.
    Click(kLeft + 137, kTop + 82);
    const int px = kLeft + 300, py = kTop + 80;
    ASSERT_TRUE(Logged("warped " + std::to_string(px) + " " + std::to_string(py))) << Log();
    EXPECT_TRUE(Logged("enter ColourPanel " + std::to_string(px) + " " + std::to_string(py))) << Log();
    // A relative move starts where the warp left the real pointer.
    ASSERT_TRUE(server->Xte({"mousermove 0 180"}));
    EXPECT_TRUE(Logged("move 300 260")) << Log();
    EXPECT_TRUE(Logged("leave ColourPanel " + std::to_string(px) + " " + std::to_string(py + 180))) << Log();
}

TEST_F(XvfbTest, ScreenTextLastsUntilTheCheckBoxsClickRetitlesAndRepaintsTheWindow) {
    StartApp();
    AwaitForm();
    Click(kLeft + 137, kTop + 117);  // Scribble: red text at (200, 250) in the form
    ASSERT_TRUE(Logged("scribbled " + std::to_string(kLeft + 200) + " " + std::to_string(kTop + 250))) << Log();
    const vcl::TRect text = vcl::Bounds(kLeft + 200, kTop + 250, 100, 20);
    EXPECT_TRUE(WaitFor([&] { return Count(Shot(), text, 0xFF0000) > 20; }, 20s)) << "no red text";
    EXPECT_GT(Count(Shot(), text, 0xFFFFFF), 20);  // on the screen context's white background
    EXPECT_EQ(Count(Shot(), vcl::Bounds(kLeft + 180, kTop + 230, 20, 20), 0xFF0000), 0);  // nothing before it
    // The 13-pixel box at the check box's left, centred in its 17-pixel height;
    // the mark is drawn in the window text colour.
    const vcl::TRect box = vcl::Bounds(kLeft + 10, kTop + 42, 13, 13);
    const uint32_t ink = Rgb(vcl::clWindowText);
    const int empty = Count(Shot(), box, ink);
    // Ticking the box retitles the form, which repaints it whole: the text goes.
    Click(kLeft + 18, kTop + 48);
    ASSERT_TRUE(Logged("tick 1")) << Log();
    EXPECT_TRUE(AwaitWindow("E2E Form ticked")) << "the title did not follow the caption";
    EXPECT_TRUE(WaitFor([&] { return Count(Shot(), box, ink) >= empty + 15; }, 20s))
        << "no mark: " << Count(Shot(), box, ink) << " ink pixels, " << empty << " before";
    EXPECT_TRUE(WaitFor([&] { return Count(Shot(), text, 0xFF0000) == 0; }, 20s)) << "the text outlived a repaint";
    EXPECT_EQ(Shot().At(kLeft + 250, kTop + 258), kTeal);
    Click(kLeft + 18, kTop + 48);
    ASSERT_TRUE(Logged("tick 0")) << Log();
    EXPECT_TRUE(AwaitWindow("E2E Form"));
    EXPECT_TRUE(WaitFor([&] { return Count(Shot(), box, ink) == empty; }, 20s)) << "the mark stayed";
}

TEST_F(XvfbTest, MovingAndResizingAFormByProgramMovesAndResizesItsWindow) {
    StartApp();
    AwaitForm();
    Click(kLeft + 47, kTop + 117);  // Move
    const int left = kLeft + 50, top = kTop + 30, width = kWidth + 40, height = kHeight + 20;
    ASSERT_TRUE(Logged("moved " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(width) +
                       " " + std::to_string(height)))
        << Log();
    std::optional<TWindowInfo> w;
    EXPECT_TRUE(WaitFor(
        [&] {
            w = server->Window("E2E Form");
            return w && w->X == left && w->Y == top && w->Width == width && w->Height == height;
        },
        20s))
        << (w ? std::to_string(w->X) + "," + std::to_string(w->Y) + " " + std::to_string(w->Width) + "x" +
                    std::to_string(w->Height)
              : "no window");
    EXPECT_TRUE(ShowsColour(left + width - 1, top + height - 1, kTeal));
    EXPECT_NE(Shot().At(kLeft, kTop), kTeal);  // the old corner is desktop again
}

TEST_F(XvfbTest, FormrunShowsTheFormInARealWindow) {
    Start({QV_FORMRUN, Data("E2eForm.dfm"), "--backend", "sdl"});
    ASSERT_TRUE(ShowsColour(kLeft + 5, kTop + 5, kTeal)) << Log();
    auto w = server->Window("E2E Form");
    ASSERT_TRUE(w);
    EXPECT_EQ(w->X, kLeft);
    EXPECT_EQ(w->Y, kTop);
    EXPECT_EQ(app->Stop(), 0) << Log();
}

TEST_F(XvfbTest, DwellTimersRunOnTheRealClock) {
    // hovertips: Save at client (212, 16), 75 x 25, shows its tip after
    // resting 500 ms on it.
    Start({QV_HOVERTIPS});
    auto w = AwaitWindow("Hover tips");
    ASSERT_TRUE(w) << Log();
    Move(w->X + 250, w->Y + 28);
    EXPECT_TRUE(Logged("enter Save")) << Log();
    EXPECT_TRUE(Logged("tip Save: Keeps the shipping choice", 5s)) << Log();
    Move(w->X + 150, w->Y + 160);
    EXPECT_TRUE(Logged("leave Save")) << Log();
    EXPECT_EQ(app->Stop(), 0) << Log();
}

TEST_F(XvfbTest, HoverBenchFollowsTheRealPointerAndExitEndsIt) {
    Start({QV_HOVERBENCH, "--log"});  // the default backend: a display is reachable
    auto w = AwaitWindow("QVTrackMouse Demo");
    ASSERT_TRUE(w) << Log();
    EXPECT_EQ(w->X, 201) << "at its designed place";
    EXPECT_EQ(w->Y, 101);
    EXPECT_EQ(w->Width, 437);
    EXPECT_EQ(w->Height, 266);
    auto at = [&](int X, int Y) { return std::pair{w->X + X, w->Y + Y}; };
    auto [ex, ey] = at(130, 48);  // Edit1
    Move(ex, ey);
    EXPECT_TRUE(Logged("enter FormDemo.Edit1")) << Log();
    // "Add" twice: the second press finds the panel tracked and says so.
    auto [ax, ay] = at(399, 64);
    Click(ax, ay);
    Click(ax, ay);
    auto box = AwaitWindow("Adding Control");
    ASSERT_TRUE(box && box->Viewable) << Log();
    ASSERT_TRUE(server->Xte({"key Return"}));
    EXPECT_FALSE(AwaitWindow("Adding Control", false)) << "the box stayed\n" << Log();
    auto [xx, xy] = at(399, 115);
    Click(xx, xy);  // Exit
    EXPECT_EQ(app->Wait(20s), 0) << Log();
    EXPECT_EQ(app->Out().substr(app->Out().rfind("exit")), "exit 0\n");
}

// No server needed: a display that cannot be reached.
TEST(XvfbFallback, ADisplaySetButUnreachableIsAnErrorNeverAQuietHeadlessRun) {
    if (!QV_E2E_HAVE_SDL) GTEST_SKIP() << "this build has no SDL2 backend (libsdl2-dev missing: run scripts/deps)";
    fs::path dir = fs::temp_directory_path() / ("qv-e2e-fallback-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    // A socket path that cannot exist: the connection fails at once.
    TEnvChanges env{{"DISPLAY", dir.string() + "/no-such-server:0"},
                    {"WAYLAND_DISPLAY", std::nullopt},
                    {"QV_BACKEND", std::nullopt},
                    {"SDL_VIDEODRIVER", std::nullopt}};
    TToolResult r = RunTool({QV_E2E_APP, Data("E2eForm.dfm")}, env, dir);
    EXPECT_EQ(r.Status, 1) << r.Out;
    EXPECT_NE(r.Err.find("cannot open display '" + dir.string() + "/no-such-server:0'; unset DISPLAY"),
              std::string::npos) << r.Err;
    r = RunTool({QV_E2E_APP, Data("E2eForm.dfm"), "--backend", "sdl"}, env, dir);
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("sdl: cannot start video"), std::string::npos) << r.Err;
    env["QV_BACKEND"] = "sdl";
    r = RunTool({QV_E2E_APP, Data("E2eForm.dfm")}, env, dir);
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("sdl backend (QV_BACKEND) cannot start"), std::string::npos) << r.Err;
    fs::remove_all(dir);
}

}  // namespace
