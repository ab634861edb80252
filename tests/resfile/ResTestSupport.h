// Helpers shared by the resource-file suites: little-endian fields, files,
// and windres (from binutils-mingw-w64-i686), the independent resource tool
// that our output is checked against.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "ProgramFixture.h"

namespace restest {

inline uint16_t U16(std::string_view d, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(d[at]) | static_cast<uint8_t>(d[at + 1]) << 8);
}
inline uint32_t U32(std::string_view d, size_t at) { return U16(d, at) | uint32_t{U16(d, at + 2)} << 16; }
inline void SetU16(std::string& d, size_t at, uint16_t v) {
    d[at] = static_cast<char>(v & 0xFF);
    d[at + 1] = static_cast<char>(v >> 8);
}
inline void SetU32(std::string& d, size_t at, uint32_t v) {
    SetU16(d, at, static_cast<uint16_t>(v));
    SetU16(d, at + 2, static_cast<uint16_t>(v >> 16));
}
inline void SetU64(std::string& d, size_t at, uint64_t v) {
    SetU32(d, at, static_cast<uint32_t>(v));
    SetU32(d, at + 4, static_cast<uint32_t>(v >> 32));
}

inline void WriteFile(const std::filesystem::path& p, std::string_view bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

constexpr const char* kWindres = "i686-w64-mingw32-windres";
constexpr const char* kWindresPackage = "binutils-mingw-w64-i686";

inline bool HaveWindres() {
    return std::system((std::string("command -v ") + kWindres + " >/dev/null 2>&1").c_str()) == 0;
}

#define SKIP_WITHOUT_WINDRES()                                                                         \
    if (!restest::HaveWindres())                                                                       \
    GTEST_SKIP() << restest::kWindres << " is not installed (Debian package " << restest::kWindresPackage \
                 << ")"

// Runs windres with args in dir; its output and errors go to files there.
// An .rc input is taken as it is: no C preprocessor is needed.
inline vcltest::TRun Windres(const std::filesystem::path& dir, const std::string& args) {
    const auto out = dir / "windres.out", err = dir / "windres.err";
    const std::string cmd = "cd '" + dir.string() + "' && " + kWindres + " --preprocessor=cat " + args + " >" +
                            out.string() + " 2>" + err.string();
    const int rc = std::system(cmd.c_str());
    return vcltest::TRun{WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, vcltest::Slurp(out), vcltest::Slurp(err)};
}

}  // namespace restest
