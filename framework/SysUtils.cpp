#include "framework/SysUtils.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace vcl {

AnsiString IntToStr(int64_t value) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return AnsiString(buf, res.ptr);
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

AnsiString UpperCase(std::string_view s) {
    AnsiString r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

bool IsValidIdent(std::string_view s) {
    if (s.empty()) return false;
    auto letter = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 128; };
    if (!letter(static_cast<unsigned char>(s[0]))) return false;
    for (unsigned char c : s)
        if (!letter(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

bool ReadFileBytes(const std::string& Path, std::string& Out) {
    Out.clear();
    const int fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            errno = err;
            return false;
        }
        if (n == 0) break;
        Out.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

void WriteFileAtomically(const std::string& Path, std::string_view Data) {
    std::string tmp = Path + ".tmp-XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) throw EWriteError(Path + ": cannot create a temporary file: " + std::strerror(errno));
    auto fail = [&](const char* what) {
        const std::string why = std::strerror(errno);
        ::close(fd);
        ::unlink(tmp.c_str());
        throw EWriteError(Path + ": " + what + ": " + why);
    };
    // mkstemp makes the file private: keep the old file's mode, else the usual.
    struct stat st {};
    if (::stat(Path.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    size_t done = 0;
    while (done < Data.size()) {
        const ssize_t n = ::write(fd, Data.data() + done, Data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail("write error");
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) fail("write error");
    if (::close(fd) != 0) {
        const std::string why = std::strerror(errno);
        ::unlink(tmp.c_str());
        throw EWriteError(Path + ": cannot write: " + why);
    }
    if (std::rename(tmp.c_str(), Path.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        ::unlink(tmp.c_str());
        throw EWriteError(Path + ": cannot write: " + why);
    }
}

}  // namespace vcl
