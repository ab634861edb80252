// formsheet over the shared corpus of real-world forms: how many load, as a
// floor that may only rise, and the sheet it draws.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

class Formsheet : public vcltest::ProgramTest {};

}  // namespace

TEST_F(Formsheet, TheCorpusLoadsAtLeastAsWellAsItDidAndIsDrawn) {
    const fs::path corpus = fs::path(QV_SHARED_DIR) / "corpus" / "dfm";
    if (!fs::is_directory(corpus)) GTEST_SKIP() << "the shared corpus is not beside the project";
    const vcltest::TRun r = Run(QV_FORMSHEET, corpus.string() + " --out sheet.png --columns 10 --thumb 80");
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string last = r.Out.substr(r.Out.rfind('\n', r.Out.size() - 2) + 1);
    int total = 0, strict = 0, lenient = 0, failed = 0;
    ASSERT_EQ(std::sscanf(last.c_str(), "%d forms: %d strictly, %d leniently, %d not at all", &total, &strict, &lenient,
                          &failed),
              4)
        << last;
    EXPECT_EQ(total, 150);
    EXPECT_GE(strict, 48) << last;
    EXPECT_GE(strict + lenient, 149) << last;  // one file is damaged upstream
    const std::string png = vcltest::Slurp(dir / "sheet.png");
    ASSERT_GT(png.size(), 1000u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    // Wrong arguments are named.
    const vcltest::TRun bad = Run(QV_FORMSHEET, corpus.string() + " --columns many --out x.png");
    EXPECT_EQ(bad.Status, 2);
    EXPECT_NE(bad.Err.find("option '--columns' needs a number in range, not 'many'"), std::string::npos) << bad.Err;
}
