#include "framework/Log.h"

#include <cstdio>

namespace vcl {

namespace {
TLogSink& Sink() {
    static TLogSink sink;
    return sink;
}
}  // namespace

void LogLine(std::string_view line) {
    if (Sink()) {
        Sink()(line);
        return;
    }
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

TLogSink SetLogSink(TLogSink sink) {
    TLogSink prev = std::move(Sink());
    Sink() = std::move(sink);
    return prev;
}

TLogCapture::TLogCapture() {
    FPrevious = SetLogSink([this](std::string_view line) {
        FText.append(line);
        FText.push_back('\n');
    });
}

TLogCapture::~TLogCapture() { SetLogSink(std::move(FPrevious)); }

}  // namespace vcl
