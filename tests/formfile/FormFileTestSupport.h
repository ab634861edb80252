// Helpers for the form-file tests: corpus files, temporary directories and
// building expected binary streams.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "framework/FormFiles.h"
#include "tests/support/DataCases.h"

namespace formfile_test {

namespace fs = std::filesystem;
using namespace vcl::formfile;
using vcltest::ReadCases;
using vcltest::TDataCase;

// Bytes from a literal, embedded NULs included.
template <size_t N>
std::string B(const char (&s)[N]) {
    return std::string(s, N - 1);
}

inline fs::path CorpusDir() { return fs::path(QV_CORPUS_DIR); }

inline std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFile(const fs::path& p, const std::string& data) {
    std::ofstream(p, std::ios::binary) << data;
}

// The form files of a corpus folder, sorted by name.
inline std::vector<fs::path> CorpusFiles(const std::string& folder) {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(CorpusDir() / folder)) {
        const auto ext = e.path().extension().string();
        if (ext == ".dfm" || ext == ".DFM" || ext == ".lfm") files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A fresh directory, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        FPath = fs::temp_directory_path() / ("formfile-test-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(FPath);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(FPath, ec);
    }
    const fs::path& Path() const { return FPath; }
    fs::path operator/(const std::string& name) const { return FPath / name; }

private:
    fs::path FPath;
};

// A binary stream of one object "Obj: TObj" with the given property bytes
// (name and value, as the writer produced them) and no children.
inline std::string OneObject(const std::string& properties) {
    BinaryWriter w;
    w.WriteSignature();
    ObjectHeader h;
    h.ClassName = "TObj";
    h.Name = "Obj";
    w.WriteObjectHeader(h);
    return w.Take() + properties + std::string(2, '\0');
}

// A text form of one object "Obj: TObj" with the given property lines.
inline std::string OneObjectText(const std::string& properties) {
    return "object Obj: TObj\n" + properties + "\nend\n";
}

// The message of the exception that f throws, or "" when it throws none.
template <class E, class F>
std::string ErrorOf(F f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return "";
}

}  // namespace formfile_test
