// Throughput of conversion both ways and of binary reading, over the whole
// shared corpus loaded once. Rates count input bytes; Google Benchmark's
// "M/s" there is MiB/s.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/FormFiles.h"

namespace {

namespace fs = std::filesystem;
using namespace vcl::formfile;

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Corpus {
    std::vector<std::string> Texts;     // every text form that converts
    std::vector<std::string> Binaries;  // their binaries and the real binary forms
    size_t TextBytes = 0, BinaryBytes = 0;

    Corpus() {
        const fs::path dir(QV_CORPUS_DIR);
        std::vector<fs::path> files;
        for (const char* sub : {"dfm", "dfm-binary"}) {
            std::error_code ec;
            for (const auto& e : fs::directory_iterator(dir / sub, ec)) files.push_back(e.path());
        }
        std::sort(files.begin(), files.end());
        for (const auto& f : files) {
            const auto ext = f.extension().string();
            if (ext != ".dfm" && ext != ".DFM" && ext != ".lfm") continue;
            std::string data = ReadFile(f);
            try {
                if (IsBinaryForm(data)) {
                    BinaryToText(data, f.string());
                    Binaries.push_back(std::move(data));
                } else {
                    Binaries.push_back(TextToBinary(data, f.string()));
                    Texts.push_back(std::move(data));
                }
            } catch (const vcl::Exception&) {
                // the two damaged forms
            }
        }
        for (const auto& t : Texts) TextBytes += t.size();
        for (const auto& b : Binaries) BinaryBytes += b.size();
    }
};

const Corpus& TheCorpus() {
    static const Corpus corpus;
    return corpus;
}

// Without the shared corpus beside the project there is nothing to measure.
bool NoCorpus(benchmark::State& state) {
    if (!TheCorpus().Binaries.empty()) return false;
    state.SkipWithError("no corpus at " QV_CORPUS_DIR);
    return true;
}

void BM_TextToBinary(benchmark::State& state) {
    if (NoCorpus(state)) return;
    const Corpus& c = TheCorpus();
    for (auto _ : state)
        for (const auto& t : c.Texts) benchmark::DoNotOptimize(TextToBinary(t, "bench"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * c.TextBytes));
    state.counters["files"] = static_cast<double>(c.Texts.size());
}
BENCHMARK(BM_TextToBinary)->Unit(benchmark::kMillisecond);

// Reads every value through the typed calls, as a component reader does.
void ReadValue(BinaryReader& r, TValueType t);

void ReadProperties(BinaryReader& r) {
    while (!r.EndOfList()) {
        benchmark::DoNotOptimize(r.ReadStr());
        ReadValue(r, r.ReadValue());
    }
    r.ReadListEnd();
}

void ReadValue(BinaryReader& r, TValueType t) {
    switch (t) {
        case TValueType::vaList:
            while (!r.EndOfList()) ReadValue(r, r.ReadValue());
            r.ReadListEnd();
            break;
        case TValueType::vaInt8:
        case TValueType::vaInt16:
        case TValueType::vaInt32:
        case TValueType::vaInt64: benchmark::DoNotOptimize(r.ReadIntegerBody(t)); break;
        case TValueType::vaExtended: benchmark::DoNotOptimize(r.ReadExtendedBody()); break;
        case TValueType::vaString:
        case TValueType::vaLString:
        case TValueType::vaUTF8String:
        case TValueType::vaWString:
        case TValueType::vaUString: benchmark::DoNotOptimize(r.ReadStringBody(t)); break;
        case TValueType::vaIdent: benchmark::DoNotOptimize(r.ReadStr()); break;
        case TValueType::vaBinary: benchmark::DoNotOptimize(r.ReadBinaryBody()); break;
        case TValueType::vaSet: benchmark::DoNotOptimize(r.ReadSetBody()); break;
        case TValueType::vaCollection:
            while (!r.EndOfList()) {
                TValueType item = r.ReadValue();
                if (item != TValueType::vaList) {
                    r.ReadIntegerBody(item);
                    item = r.ReadValue();
                }
                ReadProperties(r);
            }
            r.ReadListEnd();
            break;
        case TValueType::vaSingle: benchmark::DoNotOptimize(r.ReadSingleBody()); break;
        case TValueType::vaCurrency: benchmark::DoNotOptimize(r.ReadCurrencyBody()); break;
        case TValueType::vaDate: benchmark::DoNotOptimize(r.ReadDateBody()); break;
        case TValueType::vaQWord: benchmark::DoNotOptimize(r.ReadQWordBody()); break;
        case TValueType::vaNull:
        case TValueType::vaFalse:
        case TValueType::vaTrue:
        case TValueType::vaNil: break;
    }
}

void ReadObject(BinaryReader& r) {
    benchmark::DoNotOptimize(r.ReadObjectHeader());
    ReadProperties(r);
    while (!r.EndOfList()) ReadObject(r);
    r.ReadListEnd();
}

void BM_BinaryRead(benchmark::State& state) {
    if (NoCorpus(state)) return;
    const Corpus& c = TheCorpus();
    for (auto _ : state) {
        for (const auto& b : c.Binaries) {
            const std::string_view stream = StripResourceHeader(b, "bench");
            BinaryReader r(stream, "bench");
            r.ReadSignature();
            ReadObject(r);
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * c.BinaryBytes));
    state.counters["files"] = static_cast<double>(c.Binaries.size());
}
BENCHMARK(BM_BinaryRead)->Unit(benchmark::kMillisecond);

void BM_BinaryToText(benchmark::State& state) {
    if (NoCorpus(state)) return;
    const Corpus& c = TheCorpus();
    for (auto _ : state)
        for (const auto& b : c.Binaries) benchmark::DoNotOptimize(BinaryToText(b, "bench"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * c.BinaryBytes));
}
BENCHMARK(BM_BinaryToText)->Unit(benchmark::kMillisecond);

}  // namespace
