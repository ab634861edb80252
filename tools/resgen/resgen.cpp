// resgen: compiles a resource manifest into a Windows resource file (.res).
//
//   resgen [--depfile FILE] MANIFEST OUT.res
//
// The manifest lists one resource a line:
//
//   TYPE NAME LANGUAGE KIND ARGUMENTS...
//
// TYPE is a standard type (RCDATA, BITMAP, ICON, VERSION, ...; any case), a
// number, or any other word, which names a type of its own. NAME is a number
// (an id) or a name, kept exactly as written. LANGUAGE is a number (0 neutral,
// 1033 US English, 1046 Brazilian Portuguese). Numbers are decimal or 0x hex.
// A quoted word ("...") is always a name and may hold blanks and '#'; inside
// quotes \\ \" \0 \n \t are escapes. '#' starts a comment elsewhere. Paths are
// relative to the manifest's folder. KIND is one of:
//
//   text "..."        the string's bytes (UTF-8)
//   utf16 "..."       the string as UTF-16LE, no terminator unless written: "Name\0"
//   hex 30 00 00 00   bytes in hex; blanks between the digits are allowed
//   file PATH         a file's bytes as they are
//   form PATH         a form file (text or binary), as a binary "TPF0" form
//   bmp PATH          (BITMAP) a .bmp file without its 14-byte file header
//   ico PATH          (ICON) one ICON per image, numbered on from the highest
//                     ICON id so far (the first gets 1), and the GROUP_ICON NAME
//   packageinfo       the package information record; lines up to `end`:
//                       flags 0x40000003
//                       requires VCLX35 VCL35                  (repeatable)
//                       contains Sysinit:0x00 Windows:0x0C     (repeatable; UNIT[:FLAGS])
//   version           (VERSION) version information; lines up to `end`:
//                       fileversion 1.0.0.0      productversion 1.0.0.0
//                       fileflagsmask 0x3F  fileflags 0  fileos 4  filetype 1
//                       filesubtype 0  filedate 0        (each at most once;
//                                                         these are the defaults)
//                       stringtable 040904E4
//                       value CompanyName "Orbelline Technologies"   (in order)
//                       translation 0x0409 0x04E4        (repeatable)
//
// A resource given twice (same type, name ignoring case, and language) is an
// error. Errors are "MANIFEST:LINE: message". OUT (and the depfile, which
// lists the manifest and every file it read, for the build) is replaced only
// when everything succeeded. Exit status: 0 done, 1 manifest or file error,
// 2 bad arguments.

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "framework/FormFiles.h"
#include "framework/Version.h"
#include "framework/resfile/ResFile.h"

namespace {

using namespace vcl::resfile;

constexpr const char* kUsage =
    "usage: resgen [--depfile FILE] MANIFEST OUT.res\n"
    "       resgen --version\n"
    "Compiles the resources listed in MANIFEST into the resource file OUT.res.\n";

// A message ready to print: it names the file, and the line where there is one.
struct TError {
    std::string Message;
};

std::string ReadFile(const std::string& path) {
    std::string data;
    if (!vcl::ReadFileBytes(path, data)) throw TError{"cannot open " + path + ": " + std::strerror(errno)};
    return data;
}

struct TToken {
    std::string Text;
    bool Quoted = false;
};
struct TLine {
    int Number = 0;
    std::vector<TToken> Tokens;
};

class TManifest {
public:
    TManifest(std::string path, std::string_view text) : FPath(std::move(path)) {
        FFolder = std::filesystem::path(FPath).parent_path();
        if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a UTF-8 byte-order mark
        Tokenize(text);
    }

    std::vector<TResource> Compile() {
        for (FNext = 0; FNext < FLines.size();) CompileEntry(FLines[FNext++]);
        return std::move(FResources);
    }
    const std::vector<std::string>& Inputs() const { return FInputs; }

private:
    [[noreturn]] void Error(const TLine& line, const std::string& message) const {
        throw TError{FPath + ":" + std::to_string(line.Number) + ": " + message};
    }

    void Tokenize(std::string_view text) {
        int number = 0;
        while (!text.empty()) {
            const size_t eol = text.find('\n');
            std::string_view raw = text.substr(0, eol);
            text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
            TLine line{++number, {}};
            for (size_t i = 0; i < raw.size();) {
                const char c = raw[i];
                if (c == ' ' || c == '\t' || c == '\r') {
                    ++i;
                } else if (c == '#') {
                    break;
                } else if (c == '"') {
                    TToken t{{}, true};
                    for (++i;; ++i) {
                        if (i >= raw.size()) Error(line, "unterminated string");
                        if (raw[i] == '"') break;
                        if (raw[i] != '\\') {
                            t.Text += raw[i];
                            continue;
                        }
                        if (++i >= raw.size()) Error(line, "unterminated string");
                        static const std::map<char, char> kEscapes{
                            {'\\', '\\'}, {'"', '"'}, {'0', '\0'}, {'n', '\n'}, {'t', '\t'}};
                        const auto e = kEscapes.find(raw[i]);
                        if (e == kEscapes.end()) Error(line, std::string("unknown escape \\") + raw[i] + " in a string");
                        t.Text += e->second;
                    }
                    ++i;
                    line.Tokens.push_back(std::move(t));
                } else {
                    const size_t end = raw.find_first_of(" \t\r#\"", i);
                    line.Tokens.push_back({std::string(raw.substr(i, end - i)), false});
                    i = end == std::string_view::npos ? raw.size() : end;
                }
            }
            if (!line.Tokens.empty()) FLines.push_back(std::move(line));
        }
    }

    uint64_t Number(const TLine& line, const TToken& t, uint64_t max, const std::string& what) const {
        const std::string& s = t.Text;
        const bool hex = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
        const size_t first = hex ? 2 : 0;
        uint64_t v = 0;
        bool ok = !t.Quoted && s.size() > first && s.size() - first <= (hex ? 16 : 19);
        for (size_t i = first; ok && i < s.size(); ++i) {
            const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i])));
            const int digit = c >= '0' && c <= '9' ? c - '0' : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
            ok = digit >= 0;
            v = v * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        }
        if (!ok) Error(line, "bad " + what + " '" + s + "': expected a decimal or 0x hex number");
        if (v > max) Error(line, what + " " + s + " out of range (at most " + std::to_string(max) + ")");
        return v;
    }

    static bool IsDecimal(const TToken& t) {
        return !t.Quoted && !t.Text.empty() &&
               t.Text.find_first_not_of("0123456789") == std::string::npos;
    }

    TResId ParseName(const TLine& line, const TToken& t) const {
        if (IsDecimal(t)) return TResId::FromId(static_cast<uint16_t>(Number(line, t, 0xFFFF, "id")));
        if (t.Text.empty()) Error(line, "empty name");
        return TResId::FromName(t.Text);
    }

    TResId ParseType(const TLine& line, const TToken& t) const {
        if (!t.Quoted)
            if (const auto id = StandardTypeId(t.Text)) return TResId::FromId(*id);
        return ParseName(line, t);
    }

    std::string Path(const TToken& t) const {
        const std::filesystem::path p(t.Text);
        return (p.is_absolute() || FFolder.empty() ? p : FFolder / p).string();
    }

    std::string ReadInput(const TLine& line, const std::string& path) {
        FInputs.push_back(std::filesystem::absolute(path).lexically_normal().string());
        try {
            return ReadFile(path);
        } catch (const TError& e) {
            Error(line, e.Message);
        }
    }

    // The lines of a block up to its `end`, which is consumed.
    std::vector<const TLine*> BlockLines(const TLine& opening, const std::string& kind) {
        std::vector<const TLine*> body;
        for (; FNext < FLines.size(); ++FNext) {
            const TLine& l = FLines[FNext];
            if (l.Tokens.size() == 1 && !l.Tokens[0].Quoted && l.Tokens[0].Text == "end") {
                ++FNext;
                return body;
            }
            body.push_back(&l);
        }
        Error(opening, kind + " block without 'end'");
    }

    TPackageInfo ParsePackageInfo(const std::vector<const TLine*>& body) const {
        TPackageInfo info;
        bool haveFlags = false;
        for (const TLine* l : body) {
            const std::string& key = l->Tokens[0].Text;
            const size_t args = l->Tokens.size() - 1;
            if (key == "flags" && args == 1) {
                if (haveFlags) Error(*l, "flags given twice");
                haveFlags = true;
                info.Flags = static_cast<uint32_t>(Number(*l, l->Tokens[1], 0xFFFFFFFF, "flags"));
            } else if (key == "requires" && args > 0) {
                for (size_t i = 1; i <= args; ++i) info.Requires.push_back(l->Tokens[i].Text);
            } else if (key == "contains" && args > 0) {
                for (size_t i = 1; i <= args; ++i) {
                    const std::string& t = l->Tokens[i].Text;
                    const size_t colon = t.find(':');
                    TPackageInfo::TUnit unit{t.substr(0, colon), 0};
                    if (colon != std::string::npos)
                        unit.Flags = static_cast<uint8_t>(
                            Number(*l, TToken{t.substr(colon + 1), false}, 0xFF, "flags of unit " + unit.Name));
                    if (unit.Name.empty()) Error(*l, "a unit without a name");
                    info.Contains.push_back(std::move(unit));
                }
            } else {
                Error(*l, "expected 'flags N', 'requires PACKAGE...', 'contains UNIT[:FLAGS]...' or 'end'");
            }
        }
        return info;
    }

    std::array<uint16_t, 4> DottedVersion(const TLine& line, const TToken& t) const {
        std::array<uint16_t, 4> v{};
        size_t start = 0;
        for (size_t i = 0; i < 4; ++i) {
            const size_t dot = i < 3 ? t.Text.find('.', start) : t.Text.size();
            if (dot == std::string::npos) Error(line, "bad version '" + t.Text + "': expected four numbers as 1.0.0.0");
            const TToken part{t.Text.substr(start, dot - start), false};
            if (!IsDecimal(part)) Error(line, "bad version '" + t.Text + "': expected four numbers as 1.0.0.0");
            v[i] = static_cast<uint16_t>(Number(line, part, 0xFFFF, "version part"));
            start = dot + 1;
        }
        return v;
    }

    TVersionInfo ParseVersion(const std::vector<const TLine*>& body) const {
        TVersionInfo info;
        std::set<std::string> given;
        std::set<std::string> valueNames;
        for (const TLine* l : body) {
            const std::string& key = l->Tokens[0].Text;
            const size_t args = l->Tokens.size() - 1;
            auto once = [&] {
                if (!given.insert(key).second) Error(*l, key + " given twice");
            };
            auto u32 = [&](uint32_t& field) {
                once();
                field = static_cast<uint32_t>(Number(*l, l->Tokens[1], 0xFFFFFFFF, key));
            };
            if (args == 1 && (key == "fileversion" || key == "productversion")) {
                once();
                (key == "fileversion" ? info.FileVersion : info.ProductVersion) = DottedVersion(*l, l->Tokens[1]);
            } else if (args == 1 && key == "fileflagsmask") {
                u32(info.FileFlagsMask);
            } else if (args == 1 && key == "fileflags") {
                u32(info.FileFlags);
            } else if (args == 1 && key == "fileos") {
                u32(info.FileOS);
            } else if (args == 1 && key == "filetype") {
                u32(info.FileType);
            } else if (args == 1 && key == "filesubtype") {
                u32(info.FileSubtype);
            } else if (args == 1 && key == "filedate") {
                once();
                info.FileDate = Number(*l, l->Tokens[1], UINT64_MAX, key);
            } else if (args == 1 && key == "stringtable") {
                if (!info.StringTableKey.empty()) Error(*l, "only one string table is supported");
                if (l->Tokens[1].Text.empty()) Error(*l, "empty string table key");
                info.StringTableKey = l->Tokens[1].Text;
            } else if (args == 2 && key == "value") {
                if (info.StringTableKey.empty()) Error(*l, "value before stringtable");
                const std::string& name = l->Tokens[1].Text;
                if (name.empty()) Error(*l, "a value without a name");
                if (!valueNames.insert(name).second) Error(*l, "value " + name + " given twice");
                info.Strings.emplace_back(name, l->Tokens[2].Text);
            } else if (args == 2 && key == "translation") {
                info.Translations.emplace_back(static_cast<uint16_t>(Number(*l, l->Tokens[1], 0xFFFF, "language")),
                                               static_cast<uint16_t>(Number(*l, l->Tokens[2], 0xFFFF, "code page")));
            } else {
                Error(*l, "unknown version line: expected fileversion, productversion, fileflagsmask, fileflags, "
                          "fileos, filetype, filesubtype, filedate, stringtable KEY, value NAME \"TEXT\", "
                          "translation LANGUAGE CODEPAGE or end");
            }
        }
        return info;
    }

    void Add(const TLine& line, TResource r) {
        auto same = [](const TResId& a, const TResId& b) {
            return a.IsName == b.IsName && (a.IsName ? vcl::SameText(a.Name, b.Name) : a.Id == b.Id);
        };
        for (size_t i = 0; i < FResources.size(); ++i) {
            const TResource& o = FResources[i];
            if (o.Language == r.Language && same(o.Type, r.Type) && same(o.Name, r.Name))
                Error(line, "resource " + TypeName(r.Type) + " " + (r.Name.IsName ? r.Name.Name : std::to_string(r.Name.Id)) +
                                " language " + std::to_string(r.Language) + " given twice (first on line " +
                                std::to_string(FOrigins[i]) + ")");
        }
        try {
            WriteRes({TResource{r.Type, r.Name, 0, 0, 0, 0, 0, {}}});  // a name the file cannot hold fails here, with its line
        } catch (const vcl::Exception& e) {
            Error(line, e.Message());
        }
        if (!r.Type.IsName && r.Type.Id == RT_ICON && !r.Name.IsName && r.Name.Id >= FNextIconId)
            FNextIconId = r.Name.Id + 1u;
        FResources.push_back(std::move(r));
        FOrigins.push_back(line.Number);
    }

    void CompileEntry(const TLine& line) {
        const auto& t = line.Tokens;
        if (t.size() < 4) Error(line, "expected TYPE NAME LANGUAGE KIND [ARGUMENTS]");
        TResource r;
        r.Type = ParseType(line, t[0]);
        r.Name = ParseName(line, t[1]);
        r.Language = static_cast<uint16_t>(Number(line, t[2], 0xFFFF, "language"));
        r.MemoryFlags = DefaultMemoryFlags(r.Type);
        const std::string kind = t[3].Quoted ? "\"" + t[3].Text + "\"" : t[3].Text;
        const size_t args = t.size() - 4;
        auto expectArgs = [&](size_t n, const char* what) {
            if (args != n) Error(line, "'" + kind + "' takes " + what);
        };
        auto expectType = [&](uint16_t type) {
            if (r.Type.IsName || r.Type.Id != type)
                Error(line, "'" + kind + "' makes a " + TypeName(TResId::FromId(type)) + " resource, not " +
                                TypeName(r.Type));
        };
        // Errors of the library name the input file; the line is added here.
        try {
            if (kind == "text" || kind == "utf16") {
                expectArgs(1, "one string");
                r.Data = kind == "text" ? t[4].Text : ToUtf16LE(t[4].Text);
            } else if (kind == "hex") {
                if (args == 0) Error(line, "'hex' takes hex digits");
                std::string digits;
                for (size_t i = 4; i < t.size(); ++i) digits += t[i].Text;
                if (digits.size() % 2 != 0 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                    Error(line, "bad hex data '" + digits + "': expected pairs of hex digits");
                for (size_t i = 0; i < digits.size(); i += 2)
                    r.Data.push_back(static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16)));
            } else if (kind == "file") {
                expectArgs(1, "one path");
                r.Data = ReadInput(line, Path(t[4]));
            } else if (kind == "form") {
                expectArgs(1, "one path");
                const std::string path = Path(t[4]);
                const std::string form = ReadInput(line, path);
                using namespace vcl::formfile;
                if (IsBinaryForm(form)) {
                    DescribeForm(form, path);  // reads it all: a damaged form is reported, not copied
                    r.Data = std::string(StripResourceHeader(form, path));
                } else {
                    r.Data = TextToBinary(form, path);
                }
            } else if (kind == "bmp") {
                expectArgs(1, "one path");
                expectType(RT_BITMAP);
                const std::string path = Path(t[4]);
                r = BitmapResource(r.Name, r.Language, ReadInput(line, path), path);
            } else if (kind == "ico") {
                expectArgs(1, "one path");
                expectType(RT_ICON);
                if (FNextIconId > 0xFFFF) Error(line, "no icon ids left after 65535");
                const std::string path = Path(t[4]);
                for (TResource& icon : IconResources(r.Name, static_cast<uint16_t>(FNextIconId), r.Language, ReadInput(line, path), path))
                    Add(line, std::move(icon));
                return;
            } else if (kind == "packageinfo") {
                expectArgs(0, "no arguments: its lines follow, up to 'end'");
                r.Data = WritePackageInfo(ParsePackageInfo(BlockLines(line, kind)));
            } else if (kind == "version") {
                expectArgs(0, "no arguments: its lines follow, up to 'end'");
                expectType(RT_VERSION);
                r.Data = WriteVersionInfo(ParseVersion(BlockLines(line, kind)));
            } else {
                Error(line, "unknown kind '" + kind + "': expected text, utf16, hex, file, form, bmp, ico, "
                            "packageinfo or version");
            }
        } catch (const vcl::Exception& e) {
            Error(line, e.Message());
        }
        Add(line, std::move(r));
    }

    std::string FPath;
    std::filesystem::path FFolder;
    std::vector<TLine> FLines;
    size_t FNext = 0;
    std::vector<TResource> FResources;
    std::vector<int> FOrigins;  // the manifest line of each resource
    std::vector<std::string> FInputs;
    uint32_t FNextIconId = 1;
};

// A make rule: OUT depends on every input; blanks escaped as make wants.
std::string DepfileText(const std::string& out, const std::vector<std::string>& inputs) {
    auto escape = [](const std::string& path) {
        std::string e;
        for (char c : path) {
            if (c == ' ' || c == '#') e += '\\';
            if (c == '$') e += '$';
            e += c;
        }
        return e;
    };
    std::string text = escape(out) + ":";
    for (const std::string& in : inputs) text += " \\\n  " + escape(in);
    return text + "\n";
}

int UsageError(const std::string& problem) {
    std::cerr << "resgen: " << problem << "\n" << kUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string depfile;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--version") {
            std::cout << "resgen " QV_VERSION "\n";
            return 0;
        }
        if (arg == "--depfile") {
            if (i + 1 >= argc) return UsageError("'--depfile' needs a file name");
            depfile = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("unknown option '" + std::string(arg) + "'");
        } else {
            paths.emplace_back(arg);
        }
    }
    if (paths.size() != 2) return UsageError(paths.size() < 2 ? "missing MANIFEST or OUT" : "too many arguments");

    try {
        TManifest manifest(paths[0], ReadFile(paths[0]));
        const std::string res = WriteRes(manifest.Compile());
        vcl::WriteFileAtomically(paths[1], res);
        if (!depfile.empty()) {
            std::vector<std::string> inputs{std::filesystem::absolute(paths[0]).lexically_normal().string()};
            inputs.insert(inputs.end(), manifest.Inputs().begin(), manifest.Inputs().end());
            vcl::WriteFileAtomically(depfile, DepfileText(std::filesystem::absolute(paths[1]).string(), inputs));
        }
        return 0;
    } catch (const TError& e) {
        std::cerr << e.Message << "\n";
    } catch (const vcl::EWriteError& e) {
        std::cerr << e.Message() << "\n";  // names the file already
    } catch (const vcl::Exception& e) {
        std::cerr << paths[1] << ": " << e.Message() << "\n";
    } catch (const std::bad_alloc&) {
        std::cerr << paths[0] << ": out of memory\n";
    }
    return 1;
}
