#include "XDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

extern char** environ;

namespace e2e {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

bool WaitFor(const std::function<bool()>& Condition, std::chrono::milliseconds Timeout) {
    const auto end = Clock::now() + Timeout;
    for (;;) {
        if (Condition()) return true;
        if (Clock::now() >= end) return false;
        std::this_thread::sleep_for(50ms);
    }
}

std::string FindProgram(const std::string& Name) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        fs::path p = fs::path(dir.empty() ? "." : dir) / Name;
        if (::access(p.c_str(), X_OK) == 0) return p.string();
    }
    return {};
}

namespace {

std::string Slurp(const fs::path& P) {
    std::ifstream in(P, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

int Decode(int Status) { return WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status); }

}  // namespace

// ---------------------------------------------------------------------------
// TProcess

TProcess::TProcess(const std::vector<std::string>& Argv, const TEnvChanges& Env, const fs::path& Out,
                   const fs::path& Err, int KeepFd)
    : FOut(Out), FErr(Err) {
    // Everything the child needs is prepared before fork.
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e) {
        std::string kv = *e;
        std::string key = kv.substr(0, kv.find('='));
        if (!Env.count(key)) envStrings.push_back(kv);
    }
    for (auto& [k, v] : Env)
        if (v) envStrings.push_back(k + "=" + *v);
    std::vector<char*> envp, argv;
    for (auto& s : envStrings) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = Argv;
    for (auto& s : args) argv.push_back(s.data());
    argv.push_back(nullptr);
    int out = ::open(Out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    int err = ::open(Err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    int in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    FPid = ::fork();
    if (FPid == 0) {
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        // Its own process group, so that a stop reaches what it starts.
        ::setpgid(0, 0);
        // As from an interactive shell: a runner started in the background
        // ignores SIGINT, and the child would inherit that.
        ::signal(SIGINT, SIG_DFL);
        ::signal(SIGTERM, SIG_DFL);
        if (KeepFd >= 0) ::fcntl(KeepFd, F_SETFD, 0);
        ::execve(argv[0], argv.data(), envp.data());
        std::fprintf(stderr, "cannot run %s: %s\n", argv[0], std::strerror(errno));
        ::_exit(127);
    }
    ::close(in);
    ::close(out);
    ::close(err);
}

TProcess::~TProcess() { Stop(); }

bool TProcess::Running() {
    if (FPid <= 0 || FStatus) return false;
    int status;
    pid_t r = ::waitpid(FPid, &status, WNOHANG);
    if (r == FPid) {
        FStatus = Decode(status);
        return false;
    }
    return r == 0;
}

std::optional<int> TProcess::Wait(std::chrono::milliseconds Timeout) {
    WaitFor([&] { return !Running(); }, Timeout);
    return FStatus;
}

std::optional<int> TProcess::Stop(std::chrono::milliseconds Grace) {
    if (!Running()) return FStatus;
    ::kill(FPid, SIGTERM);
    if (Wait(Grace)) return FStatus;
    ::kill(-FPid, SIGKILL);
    ::kill(FPid, SIGKILL);
    int status;
    if (::waitpid(FPid, &status, 0) == FPid) FStatus = Decode(status);
    return std::nullopt;
}

std::string TProcess::Out() const { return Slurp(FOut); }
std::string TProcess::Err() const { return Slurp(FErr); }

TToolResult RunTool(const std::vector<std::string>& Argv, const TEnvChanges& Env, const fs::path& Dir,
                    std::chrono::milliseconds Timeout) {
    TProcess p(Argv, Env, Dir / "tool.out", Dir / "tool.err");
    TToolResult r;
    std::optional<int> status = p.Wait(Timeout);
    if (!status) p.Stop(1s);
    r.Status = status.value_or(-1);
    r.Out = p.Out();
    r.Err = p.Err();
    if (!status) r.Err += "\n(timed out)";
    return r;
}

// ---------------------------------------------------------------------------
// Screenshots

uint32_t TScreenImage::At(int32_t X, int32_t Y) const {
    if (X < 0 || Y < 0 || X >= Width || Y >= Height) return 0xFF000000u;
    return Pixels[static_cast<size_t>(Y) * static_cast<size_t>(Width) + static_cast<size_t>(X)];
}

bool ParseXwd(const std::string& Data, TScreenImage& Image, std::string& Error) {
    // The header is 25 big-endian 32-bit fields, then the window name.
    auto field = [&](size_t i) {
        const auto* b = reinterpret_cast<const unsigned char*>(Data.data()) + i * 4;
        return uint32_t{b[0]} << 24 | uint32_t{b[1]} << 16 | uint32_t{b[2]} << 8 | uint32_t{b[3]};
    };
    if (Data.size() < 100) return Error = "short header", false;
    const uint32_t headerSize = field(0), version = field(1), format = field(2), width = field(4),
                   height = field(5), byteOrder = field(7), bpp = field(11), bytesPerLine = field(12),
                   visualClass = field(13), redMask = field(14), greenMask = field(15), blueMask = field(16),
                   ncolors = field(19);
    if (version != 7 || format != 2) return Error = "not a version 7 ZPixmap dump", false;
    // TrueColor, or DirectColor: xwd reports the latter when windows of
    // several visuals are on the screen (SDL prefers DirectColor windows).
    if ((bpp != 24 && bpp != 32) || (visualClass != 4 && visualClass != 5))
        return Error = "not a 24- or 32-bit TrueColor or DirectColor image (" + std::to_string(bpp) +
                       " bpp, class " + std::to_string(visualClass) + ")",
               false;
    const uint32_t bytes = bpp / 8;
    const size_t start = size_t{headerSize} + size_t{ncolors} * 12;
    if (width > 16384 || height > 16384 || bytesPerLine < width * bytes ||
        Data.size() < start + size_t{bytesPerLine} * height)
        return Error = "truncated image", false;
    auto shiftOf = [](uint32_t mask) {
        int s = 0;
        while (mask && !(mask & 1)) mask >>= 1, ++s;
        return s;
    };
    const int rs = shiftOf(redMask), gs = shiftOf(greenMask), bs = shiftOf(blueMask);
    // Each channel through its ramp: the identity for TrueColor, the colour
    // table's for DirectColor.
    uint32_t ramp[3][256];
    for (uint32_t i = 0; i < 256; ++i) ramp[0][i] = ramp[1][i] = ramp[2][i] = i;
    if (visualClass == 5) {
        const auto* table = reinterpret_cast<const unsigned char*>(Data.data()) + headerSize;
        auto u16 = [](const unsigned char* b) { return uint32_t{b[0]} << 8 | uint32_t{b[1]}; };
        for (uint32_t i = 0; i < ncolors; ++i) {
            const unsigned char* c = table + size_t{i} * 12;
            const uint32_t pixel = uint32_t{c[0]} << 24 | uint32_t{c[1]} << 16 | uint32_t{c[2]} << 8 | c[3];
            ramp[0][((pixel & redMask) >> rs) & 0xFF] = u16(c + 4) >> 8;
            ramp[1][((pixel & greenMask) >> gs) & 0xFF] = u16(c + 6) >> 8;
            ramp[2][((pixel & blueMask) >> bs) & 0xFF] = u16(c + 8) >> 8;
        }
    }
    Image.Width = static_cast<int32_t>(width);
    Image.Height = static_cast<int32_t>(height);
    Image.Pixels.resize(size_t{width} * height);
    const auto* base = reinterpret_cast<const unsigned char*>(Data.data()) + start;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char* p = base + size_t{y} * bytesPerLine + size_t{x} * bytes;
            uint32_t v = 0;
            for (uint32_t i = 0; i < bytes; ++i)  // byte order 0: least significant first
                v |= uint32_t{p[byteOrder == 0 ? i : bytes - 1 - i]} << (8 * i);
            uint32_t r = ramp[0][((v & redMask) >> rs) & 0xFF], g = ramp[1][((v & greenMask) >> gs) & 0xFF],
                     b = ramp[2][((v & blueMask) >> bs) & 0xFF];
            Image.Pixels[size_t{y} * width + x] = r << 16 | g << 8 | b;
        }
    return true;
}

// ---------------------------------------------------------------------------
// TXServer

TXServer::TXServer(const fs::path& Dir, int Width, int Height) : FDir(Dir) {
    std::string xvfb = FindProgram("Xvfb");
    if (xvfb.empty()) {
        FError = "Xvfb not found";
        return;
    }
    // The server picks a free display number and writes it to the pipe once
    // it takes connections.
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        FError = "pipe failed";
        return;
    }
    // -noreset: the pointer would jump home each time the last client left.
    FServer = std::make_unique<TProcess>(
        std::vector<std::string>{xvfb, "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                 std::to_string(Width) + "x" + std::to_string(Height) + "x24", "-noreset", "-br",
                                 "-nolisten", "tcp"},
        TEnvChanges{}, Dir / "xvfb.out", Dir / "xvfb.err", fds[1]);
    ::close(fds[1]);
    std::string number;
    const auto end = Clock::now() + 20s;
    while (Clock::now() < end) {
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, 100) > 0) {
            char c;
            ssize_t n = ::read(fds[0], &c, 1);
            if (n <= 0) break;  // the server went away
            if (c == '\n') break;
            number += c;
        } else if (!FServer->Running()) {
            break;
        }
    }
    ::close(fds[0]);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        FError = "Xvfb did not start: " + FServer->Err();
        FServer->Stop();
        return;
    }
    FDisplay = std::stoi(number);
}

TXServer::~TXServer() {
    if (FServer) FServer->Stop();
}

TEnvChanges TXServer::Env() const {
    return TEnvChanges{{"DISPLAY", Display()},
                       {"WAYLAND_DISPLAY", std::nullopt},
                       {"QV_BACKEND", std::nullopt},
                       {"SDL_VIDEODRIVER", std::nullopt}};
}

bool TXServer::Xte(const std::vector<std::string>& Commands) {
    std::vector<std::string> argv{FindProgram("xte"), "-x", Display()};
    argv.insert(argv.end(), Commands.begin(), Commands.end());
    return RunTool(argv, Env(), FDir).Status == 0;
}

bool TXServer::Screenshot(TScreenImage& Image, std::string& Error) {
    fs::path file = FDir / "screen.xwd";
    TToolResult r = RunTool({FindProgram("xwd"), "-root", "-silent", "-display", Display(), "-out", file.string()},
                            Env(), FDir);
    if (r.Status != 0) return Error = "xwd failed: " + r.Err, false;
    return ParseXwd(Slurp(file), Image, Error);
}

std::optional<TWindowInfo> TXServer::Window(const std::string& Title) {
    TToolResult r = RunTool({FindProgram("xwininfo"), "-display", Display(), "-name", Title}, Env(), FDir);
    if (r.Status != 0) return std::nullopt;
    auto number = [&](const char* label) -> std::optional<int32_t> {
        std::smatch m;
        if (!std::regex_search(r.Out, m, std::regex(std::string(label) + ":\\s*(-?\\d+)"))) return std::nullopt;
        return std::stoi(m[1]);
    };
    auto x = number("Absolute upper-left X"), y = number("Absolute upper-left Y"), w = number("Width"),
         h = number("Height");
    if (!x || !y || !w || !h) return std::nullopt;
    TWindowInfo info{*x, *y, *w, *h, r.Out.find("Map State: IsViewable") != std::string::npos};
    return info;
}

std::string TXServer::CardinalProperty(const std::string& Title, const std::string& Property) {
    TToolResult r = RunTool(
        {FindProgram("xprop"), "-display", Display(), "-name", Title, "-f", Property, "32c", Property}, Env(), FDir);
    return r.Status == 0 ? r.Out : std::string();
}

}  // namespace e2e
