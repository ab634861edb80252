// dfmconv: converts form files between the text and the binary format.
//
//   dfmconv --to binary IN OUT
//   dfmconv --to text IN OUT
//
// The input format is detected: binary (with or without the resource header
// of a form resource) or text. OUT is replaced only when the conversion has
// succeeded: it is written under a temporary name beside it and renamed.
// Exit status: 0 done, 1 conversion or file error, 2 bad arguments.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>

#include "framework/FormFiles.h"
#include "framework/Version.h"

namespace {

using namespace vcl::formfile;

constexpr const char* kUsage =
    "usage: dfmconv --to binary|text IN OUT\n"
    "       dfmconv --version\n"
    "Converts the form file IN (text, or binary with or without a resource header)\n"
    "to the given format and writes it to OUT.\n";

int UsageError(const std::string& problem) {
    std::cerr << "dfmconv: " << problem << "\n" << kUsage;
    return 2;
}

struct FileError {
    std::string Message;
};

std::string ReadFile(const std::string& path) {
    std::string data;
    if (!vcl::ReadFileBytes(path, data)) throw FileError{path + ": cannot open: " + std::strerror(errno)};
    return data;
}

std::string Convert(const std::string& data, const std::string& name, bool toBinary) {
    if (IsBinaryForm(data)) {
        if (!toBinary) return BinaryToText(data, name);
        DescribeForm(data, name);  // reads it all: a damaged stream is reported, not copied
        return std::string(StripResourceHeader(data, name));
    }
    std::string binary = TextToBinary(data, name);
    return toBinary ? binary : BinaryToText(binary, name);
}

}  // namespace

int main(int argc, char** argv) {
    std::string format;
    std::string paths[2];
    int pathCount = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--version") {
            std::cout << "dfmconv " QV_VERSION "\n";
            return 0;
        }
        if (arg == "--to") {
            if (i + 1 >= argc) return UsageError("'--to' needs a format: binary or text");
            format = argv[++i];
            if (format != "binary" && format != "text") return UsageError("unknown format '" + format + "' after '--to'");
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("unknown option '" + std::string(arg) + "'");
        } else if (pathCount < 2) {
            paths[pathCount++] = arg;
        } else {
            return UsageError("unexpected argument '" + std::string(arg) + "'");
        }
    }
    if (format.empty()) return UsageError("missing '--to binary' or '--to text'");
    if (pathCount < 2) return UsageError(pathCount == 0 ? "missing IN and OUT" : "missing OUT");

    try {
        const std::string input = ReadFile(paths[0]);
        vcl::WriteFileAtomically(paths[1], Convert(input, paths[0], format == "binary"));
        return 0;
    } catch (const vcl::Exception& e) {
        std::cerr << e.Message() << "\n";
    } catch (const FileError& e) {
        std::cerr << e.Message << "\n";
    } catch (const std::bad_alloc&) {
        std::cerr << paths[0] << ": out of memory\n";
    }
    return 1;
}
