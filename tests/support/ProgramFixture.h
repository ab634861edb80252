// Runs one of our programs as a user runs it: in a folder of the test's own,
// with its output kept, and no display to reach.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vcltest {

struct TRun {
    int Status = -1;
    std::string Out, Err;
};

inline std::string Slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("qv-program-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        if (!HasFailure()) std::filesystem::remove_all(dir);
    }
    std::filesystem::path Write(const std::string& Name, const std::string& Text) {
        std::filesystem::path p = dir / Name;
        std::ofstream(p, std::ios::binary) << Text;
        return p;
    }
    // Runs Program with Args in the test's folder, on the headless desktop
    // (these runs must not open windows and wait for a user).
    TRun Run(const std::string& Program, const std::string& Args) {
        const std::filesystem::path out = dir / "stdout", err = dir / "stderr";
        const std::string cmd = "cd '" + dir.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QV_BACKEND " +
                                Program + " " + Args + " >" + out.string() + " 2>" + err.string() + " </dev/null";
        const int rc = std::system(cmd.c_str());
        return TRun{WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, Slurp(out), Slurp(err)};
    }

    std::filesystem::path dir;
};

}  // namespace vcltest
