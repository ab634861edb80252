// The program's log: one line per event worth keeping (unresolved references
// in form files, message boxes shown on the headless desktop, ...). Lines go
// to standard error unless a sink is installed (tests capture them).
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vcl {

using TLogSink = std::function<void(std::string_view line)>;

void LogLine(std::string_view line);
// Installs a sink and returns the previous one; an empty sink restores stderr.
TLogSink SetLogSink(TLogSink sink);

// Captures log lines while in scope.
class TLogCapture {
public:
    TLogCapture();
    ~TLogCapture();
    TLogCapture(const TLogCapture&) = delete;
    TLogCapture& operator=(const TLogCapture&) = delete;
    const std::string& Text() const { return FText; }

private:
    std::string FText;
    TLogSink FPrevious;
};

}  // namespace vcl
