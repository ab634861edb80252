// How a program's session ends when the user or the window system ends it:
// the display going away, SIGTERM and SIGINT; and a display that cannot be
// opened at the start.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "XDisplay.h"

namespace fs = std::filesystem;
using namespace e2e;

namespace {

fs::path FreshDir(const std::string& Name) {
    fs::path dir = fs::temp_directory_path() / ("qv-session-" + std::to_string(::getpid()) + "-" + Name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string Read(const fs::path& File) {
    std::ifstream in(File, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Session, HoverBenchEndsPromptlyAndCleanlyWhenItsDisplayGoesOrASignalComes) {
    if (!QV_E2E_HAVE_SDL) GTEST_SKIP() << "this build has no SDL2 backend (libsdl2-dev missing: run scripts/deps)";
    for (const char* tool : {"Xvfb", "xwininfo"})
        if (FindProgram(tool).empty()) GTEST_SKIP() << tool << " is not installed (scripts/deps installs it)";
    struct TCase {
        const char* Name;
        bool Script;  // a long input script on the headless desktop, else real windows
        int Signal;   // 0: the X server goes away
        int Status;
        std::string Err;  // in standard error; "DISPLAY" stands for the server's name
        std::string OutEnd;
    };
    const TCase cases[] = {
        {"display", false, 0, 1, "HoverBench: lost the connection to display DISPLAY\n", ""},
        // The forms close and the program leaves its loop as on Exit.
        {"term", false, SIGTERM, 0, "", "exit 0\n"},
        {"int", false, SIGINT, 0, "", "exit 0\n"},
        // A script cut short fails, saying where it stopped.
        {"script", true, SIGTERM, 1, "SIGTERM stopped the run before 'move FormDemo.", "exit 1\n"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const fs::path dir = FreshDir(c.Name);
        TXServer server(dir);
        ASSERT_TRUE(server.Started()) << server.Error();
        if (c.Script) {
            std::ofstream script(dir / "long.txt");
            for (int i = 0; i < 50000; ++i) script << "move FormDemo.Edit1\nmove FormDemo.Label2\n";
        }
        const std::vector<std::string> argv =
            c.Script ? std::vector<std::string>{QV_HOVERBENCH, "--script", (dir / "long.txt").string()}
                     : std::vector<std::string>{QV_HOVERBENCH, "--log"};
        TProcess app(argv, server.Env(), dir / "app.out", dir / "app.err");
        auto log = [&] { return "stdout:\n" + app.Out().substr(0, 2000) + "stderr:\n" + app.Err(); };
        ASSERT_TRUE(WaitFor(
            [&] {
                if (c.Script) return app.Out().find("enter FormDemo.Edit1\n") != std::string::npos;
                auto w = server.Window("QVTrackMouse Demo");
                return w && w->Viewable;
            },
            20s))
            << log();
        if (c.Signal) ::kill(app.Pid(), c.Signal);
        else ASSERT_TRUE(server.Stop());
        EXPECT_EQ(app.Wait(5s), c.Status) << log();
        std::string err = c.Err;
        if (auto at = err.find("DISPLAY"); at != std::string::npos) err.replace(at, 7, server.Display());
        EXPECT_NE(app.Err().find(err), std::string::npos) << log();
        EXPECT_TRUE(app.Out().ends_with(c.OutEnd)) << log();
        if (!HasFailure()) fs::remove_all(dir);
    }
}

TEST(Session, ADisplayThatCannotBeOpenedIsAnErrorNeverTheHeadlessDesktop) {
    const fs::path dir = FreshDir("no-display");
    fs::copy_file(QV_TRACK_FORM, dir / "TrackForm.dfm");
    const std::string form = (dir / "TrackForm.dfm").string(), before = Read(form);
    const TEnvChanges env{{"DISPLAY", ":987"},
                          {"WAYLAND_DISPLAY", std::nullopt},
                          {"QV_BACKEND", std::nullopt},
                          {"SDL_VIDEODRIVER", std::nullopt}};
    struct TCase {
        std::vector<std::string> Argv;
        std::string Name;
    };
    const TCase cases[] = {
        {{QV_HOVERBENCH}, "HoverBench"},
        {{QV_FORMRUN, std::string(QV_E2E_DATA) + "/E2eForm.dfm"}, "formrun"},
        {{QV_QVDESIGN, "edit", form, "QVTrack.Associate", "--package", QV_PACKAGE}, "qvdesign"},
        {{QV_MINIMAL}, "minimal"},
        {{QV_HOVERTIPS}, "hovertips"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TToolResult r = RunTool(c.Argv, env, dir);
        EXPECT_EQ(r.Status, 1) << r.Err;
        EXPECT_NE(r.Err.find(c.Name + ": cannot open display ':987'; unset DISPLAY or use --backend headless"),
                  std::string::npos)
            << r.Err;
        // No tour, no screenshots, the form file untouched: nothing but the output.
        std::vector<std::string> left;
        for (const auto& e : fs::directory_iterator(dir)) left.push_back(e.path().filename().string());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::string>{"TrackForm.dfm", "tool.err", "tool.out"}));
    }
    EXPECT_EQ(Read(form), before);
    if (!HasFailure()) fs::remove_all(dir);
}

}  // namespace
