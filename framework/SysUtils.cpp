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

namespace {

// Writes all of Data to fd; false with errno set on failure.
bool WriteAll(int fd, std::string_view Data) {
    size_t done = 0;
    while (done < Data.size()) {
        const ssize_t n = ::write(fd, Data.data() + done, Data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The file a path finally names: symbolic links followed one by one, each
// relative target taken from its link's folder, so that a save goes where
// the link points and the link stays.
std::string ResolveLinks(const std::string& Path) {
    std::string p = Path;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        if (hops == 40) throw EWriteError(Path + ": cannot write: too many levels of symbolic links");
        std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(p.c_str(), target.data(), target.size());
        if (n < 0) throw EWriteError(Path + ": cannot write: " + std::strerror(errno));
        target.resize(static_cast<size_t>(n));
        if (target.empty() || target[0] != '/') {
            const size_t slash = p.rfind('/');
            if (slash != std::string::npos) target = p.substr(0, slash + 1) + target;
        }
        p = target;
    }
}

}  // namespace

void WriteFileAtomically(const std::string& Path, std::string_view Data) {
    const std::string target = ResolveLinks(Path);
    std::string tmp = target + ".tmp-XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) throw EWriteError(Path + ": cannot create a temporary file: " + std::strerror(errno));
    auto fail = [&](const char* what) {
        const std::string why = std::strerror(errno);
        ::close(fd);
        ::unlink(tmp.c_str());
        throw EWriteError(Path + ": " + what + ": " + why);
    };
    // mkstemp makes the file private: keep the old file's mode and, where
    // allowed, its owner; else the usual mode.
    struct stat st {};
    const bool existed = ::stat(target.c_str(), &st) == 0;
    if (existed) {
        if (!S_ISREG(st.st_mode)) {
            errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
            fail("cannot write over something that is not a regular file");
        }
        if (::fchown(fd, st.st_uid, st.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), st.st_gid) != 0) {
            // Not ours to give away: the new file stays the writer's.
        }
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    if (!WriteAll(fd, Data)) fail("write error");
    if (::fsync(fd) != 0) fail("write error");
    if (::close(fd) != 0) {
        const std::string why = std::strerror(errno);
        ::unlink(tmp.c_str());
        throw EWriteError(Path + ": cannot write: " + why);
    }
    if (existed && st.st_nlink > 1) {
        // Renaming would split the hard links: the other names would keep
        // the old text. The new text is complete on disk beside the file
        // first (so a full disk fails here, before the file is touched),
        // then copied over the file itself.
        const int out = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
        if (out < 0) {
            const std::string why = std::strerror(errno);
            ::unlink(tmp.c_str());
            throw EWriteError(Path + ": cannot write: " + why);
        }
        if (!WriteAll(out, Data) || ::ftruncate(out, static_cast<off_t>(Data.size())) != 0 || ::fsync(out) != 0) {
            const std::string why = std::strerror(errno);
            ::close(out);
            // Keep the temporary file: it is the only whole copy now.
            throw EWriteError(Path + ": write error: " + why + "; the new contents are in " + tmp);
        }
        ::close(out);
        ::unlink(tmp.c_str());
        return;
    }
    if (std::rename(tmp.c_str(), target.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        ::unlink(tmp.c_str());
        throw EWriteError(Path + ": cannot write: " + why);
    }
}

}  // namespace vcl
