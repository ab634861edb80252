// Test helpers for driving real programs under a private X server: child
// processes with their output in files, an Xvfb on a display number of its
// own choosing, the real pointer and keyboard (xte), screenshots (xwd), the
// window list (xwininfo) and window properties (xprop).
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// Polls Condition every 50 ms until it holds or Timeout has passed.
bool WaitFor(const std::function<bool()>& Condition, std::chrono::milliseconds Timeout);

// The full path of a program found on PATH, or empty.
std::string FindProgram(const std::string& Name);

// Environment changes for a child: a value sets, nullopt removes.
using TEnvChanges = std::map<std::string, std::optional<std::string>>;

// A child process; standard output and error go to files. The destructor
// stops it (SIGTERM, then SIGKILL) if it still runs.
class TProcess {
public:
    TProcess(const std::vector<std::string>& Argv, const TEnvChanges& Env, const std::filesystem::path& Out,
             const std::filesystem::path& Err, int KeepFd = -1);
    ~TProcess();
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;

    pid_t Pid() const { return FPid; }
    bool Running();
    // Waits for the exit; the exit code, 128 + signal when killed, or
    // nullopt when it did not end in time.
    std::optional<int> Wait(std::chrono::milliseconds Timeout);
    // SIGTERM, a bounded wait, then SIGKILL. Returns as Wait does.
    std::optional<int> Stop(std::chrono::milliseconds Grace = 10s);
    std::string Out() const;
    std::string Err() const;

private:
    pid_t FPid = -1;
    std::optional<int> FStatus;
    std::filesystem::path FOut, FErr;
};

// Runs a program to its end (bounded) and returns its exit code and output.
struct TToolResult {
    int Status = -1;
    std::string Out, Err;
};
TToolResult RunTool(const std::vector<std::string>& Argv, const TEnvChanges& Env, const std::filesystem::path& Dir,
                    std::chrono::milliseconds Timeout = 20s);

// A screenshot: 0x00RRGGBB pixels.
struct TScreenImage {
    int32_t Width = 0, Height = 0;
    std::vector<uint32_t> Pixels;
    uint32_t At(int32_t X, int32_t Y) const;  // 0xFF000000 outside
};
// Parses an X window dump (xwd) of a TrueColor or DirectColor screen, 24 or 32
// bits a pixel; false with a reason in Error otherwise.
bool ParseXwd(const std::string& Data, TScreenImage& Image, std::string& Error);

// Geometry of a top-level window, as xwininfo reports it.
struct TWindowInfo {
    int32_t X = 0, Y = 0, Width = 0, Height = 0;
    bool Viewable = false;
};

// An Xvfb server of its own on a free display number, with a black root,
// and the tools that act on it.
class TXServer {
public:
    // Starts the server and waits (bounded) until it takes connections.
    // Started() tells whether it did; Error() why not.
    explicit TXServer(const std::filesystem::path& Dir, int Width = 1024, int Height = 768);
    ~TXServer();
    bool Started() const { return FDisplay >= 0; }
    const std::string& Error() const { return FError; }
    std::string Display() const { return ":" + std::to_string(FDisplay); }
    // Shuts the server down, as when a session ends; true once it is gone.
    bool Stop() { return FServer && FServer->Stop().has_value(); }
    // DISPLAY set to this server; other ways of choosing a backend removed.
    TEnvChanges Env() const;

    // xte commands, e.g. "mousemove 10 20", "mouseclick 1", "key Return".
    bool Xte(const std::vector<std::string>& Commands);
    bool Screenshot(TScreenImage& Image, std::string& Error);
    // The window named Title, if there is one.
    std::optional<TWindowInfo> Window(const std::string& Title);
    // A property of that window as 32-bit numbers, as xprop prints them
    // ("NAME(CARDINAL) = 1, 2, ..."); empty when it cannot be read.
    std::string CardinalProperty(const std::string& Title, const std::string& Property);

private:
    std::filesystem::path FDir;
    int FDisplay = -1;
    std::string FError;
    std::unique_ptr<TProcess> FServer;
};

}  // namespace e2e
