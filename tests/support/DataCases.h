// Table-driven cases kept in data files: an input line "KIND: TEXT", then
// its expected line "=> TEXT"; both may hold the escapes \n \r \t \0 \\ and
// \xHH. Blank lines and lines starting with # are left out.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace vcltest {

struct TDataCase {
    std::string Kind, Input, Expected;
    std::string Where;  // FILE:LINE of the input line
};

// In test names and failures a case is its place in the data file.
inline void PrintTo(const TDataCase& c, std::ostream* os) { *os << c.Where; }

inline std::string Unescape(const std::string& s) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i] == '\\' && i + 1 < s.size() ? s[++i] : 0;
        if (c == 'x') {
            r += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            r += !c ? s[i] : c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == '0' ? '\0' : c;
        }
    }
    return r;
}

inline std::vector<TDataCase> ReadCases(const std::string& Path) {
    std::vector<TDataCase> cases;
    std::ifstream in(Path, std::ios::binary);
    int n = 0;
    for (std::string line; std::getline(in, line);) {
        ++n;
        if (line.empty() || line[0] == '#') continue;
        const bool expected = line.starts_with("=>");
        const size_t at = expected ? 1 : line.find(':');  // then one blank, if any
        const size_t from = at == std::string::npos ? line.size() : at + 1 + (line.substr(at + 1, 1) == " ");
        const std::string text = Unescape(line.substr(from));
        if (!expected) cases.push_back({line.substr(0, at), text, "", Path + ":" + std::to_string(n)});
        else if (cases.empty()) ADD_FAILURE() << Path << ":" << n << ": an expected line before any input";
        else cases.back().Expected = text;
    }
    EXPECT_FALSE(cases.empty()) << "no cases in " << Path;
    return cases;
}

}  // namespace vcltest
