// Saving a file whole: the name a user gave keeps naming what it named,
// whether a plain file, a symbolic link or one of several hard links.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "framework/SysUtils.h"

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& p) {
    std::string text;
    return vcl::ReadFileBytes(p.string(), text) ? text : "(unreadable)";
}

class FileWrite : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("qv-filewrite-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "sub");
        std::ofstream(dir / "sub" / "real.dfm") << "old";
        fs::permissions(dir / "sub" / "real.dfm", fs::perms(0640));
    }
    void TearDown() override { fs::remove_all(dir); }
    // Temporary files left behind.
    size_t Leftovers() {
        size_t n = 0;
        for (auto& e : fs::recursive_directory_iterator(dir)) n += e.path().filename().string().find(".tmp-") != std::string::npos;
        return n;
    }
    fs::path dir;
};

}  // namespace

TEST_F(FileWrite, LinksKeepNamingWhatTheyNamed) {
    const fs::path real = dir / "sub" / "real.dfm";
    struct Case {
        const char* What;
        std::function<fs::path()> Make;  // the name the save is given
        uintmax_t Links;                 // names the real file has, kept
    } cases[] = {
        {"plain file", [&] { return real; }, 1},
        {"relative symbolic link", [&] { fs::create_symlink("sub/real.dfm", dir / "link.dfm"); return dir / "link.dfm"; }, 1},
        {"chain of links", [&] {
             fs::create_symlink(real, dir / "abs.dfm");
             fs::create_symlink("abs.dfm", dir / "chain.dfm");
             return dir / "chain.dfm";
         }, 1},
        {"hard link", [&] { fs::create_hard_link(real, dir / "hard.dfm"); return dir / "hard.dfm"; }, 2},
    };
    for (const Case& c : cases) {
        SetUp();
        const fs::path name = c.Make();
        const bool wasLink = fs::is_symlink(name);
        vcl::WriteFileAtomically(name.string(), "new text");
        EXPECT_EQ(Read(real), "new text") << c.What;
        EXPECT_EQ(Read(name), "new text") << c.What;
        EXPECT_EQ(fs::is_symlink(name), wasLink) << c.What;
        EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms(0640)) << c.What;
        EXPECT_EQ(fs::hard_link_count(real), c.Links) << c.What;
        EXPECT_EQ(Leftovers(), 0u) << c.What;
        TearDown();
    }
}

TEST_F(FileWrite, RefusalsNameTheFileAndLeaveItAlone) {
    fs::create_symlink("loop2", dir / "loop1");
    fs::create_symlink("loop1", dir / "loop2");
    const struct {
        fs::path Name;
        const char* Why;
    } cases[] = {
        {dir / "loop1", "too many levels of symbolic links"},
        {dir / "sub" / "missing" / "x.dfm", "cannot create a temporary file"},
    };
    for (const auto& c : cases) {
        try {
            vcl::WriteFileAtomically(c.Name.string(), "x");
            ADD_FAILURE() << c.Name << " was written";
        } catch (const vcl::EWriteError& e) {
            EXPECT_NE(e.Message().find(c.Name.string()), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find(c.Why), std::string::npos) << e.Message();
        }
    }
    EXPECT_EQ(Read(dir / "sub" / "real.dfm"), "old");
}
