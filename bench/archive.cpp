// Extraction throughput of stored, compressed, multimedia and encrypted
// entries, each as a ratio to zlib's inflate of the same content (compressed
// by zlib at level 9), measured in the same run. A ratio above 1 means
// extraction is faster than inflate. Goal lines follow for the encrypted
// case (what packed mode reads) and the multimedia case.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "archive/archive_writer.h"
#include "archive/debug_log.h"
#include "bench_goal.h"

namespace {

constexpr int kRepetitions = 5;

std::vector<uint8_t> makeText(size_t size) {
    static const char* words[] = {"layer", "texture", "scene",  "camera", "the",   "of",
                                  "music", "time",    "key",    "track",  "frame", "render",
                                  "and",   "load",    "effect", "start",  "stop",  "position"};
    std::mt19937 random(1);
    std::string text;
    while (text.size() < size) {
        int line = 3 + random() % 9;
        for (int w = 0; w < line; w++) {
            text += words[random() % std::size(words)];
            text += random() % 4 == 0 ? "(" + std::to_string(random() % 640) + ") " : " ";
        }
        text += "\n";
    }
    text.resize(size);
    return {text.begin(), text.end()};
}

void putLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// 16-bit stereo PCM: two tones with an envelope and a little noise.
std::vector<uint8_t> makeWave(size_t frames) {
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    uint32_t dataSize = static_cast<uint32_t>(frames * 4);
    putLe(out, 36 + dataSize, 4);
    for (char c : std::string("WAVEfmt ")) out.push_back(c);
    for (uint32_t v : {16u, 1u | (2u << 16), 44100u, 44100u * 4, 4u | (16u << 16)})
        putLe(out, v, 4);
    for (char c : std::string("data")) out.push_back(c);
    putLe(out, dataSize, 4);
    std::mt19937 random(2);
    std::normal_distribution<double> hiss(0, 60);
    for (size_t i = 0; i < frames; i++) {
        double t = i / 44100.0;
        double envelope = std::exp(-3 * std::fmod(t * 2, 1.0));
        for (int c = 0; c < 2; c++) {
            double v = 12000 * envelope * std::sin(2 * M_PI * (220 + 110 * c) * t) +
                       4000 * std::sin(2 * M_PI * 55 * t) + hiss(random);
            putLe(out, static_cast<uint16_t>(static_cast<int16_t>(v)), 2);
        }
    }
    return out;
}

struct Case {
    std::vector<uint8_t> content;
    std::vector<uint8_t> archive;
    std::vector<uint8_t> deflated;
};

Case makeCase(std::vector<uint8_t> content, bool store, const std::string& password) {
    Case c;
    PackOptions options;
    options.store = store;
    options.password = password;
    c.archive = writeArchive({{"member", content}}, options).archive;
    uLongf bound = compressBound(content.size());
    c.deflated.resize(bound);
    compress2(c.deflated.data(), &bound, content.data(), content.size(), 9);
    c.deflated.resize(bound);
    c.content = std::move(content);
    return c;
}

std::map<std::string, Case>& cases() {
    static std::map<std::string, Case> all = [] {
        std::map<std::string, Case> m;
        m["stored"] = makeCase(makeText(4 << 20), true, "");
        m["compressed"] = makeCase(makeText(4 << 20), false, "");
        m["multimedia"] = makeCase(makeWave(1 << 19), false, "");
        m["encrypted"] = makeCase(makeText(4 << 20), false, "quillo");
        return m;
    }();
    return all;
}

void extraction(benchmark::State& state, const std::string& name) {
    const Case& c = cases().at(name);
    DebugLog silent("/nonexistent-directory/debug_archive.txt");
    for (auto _ : state) {
        uint8_t* buffer = nullptr;
        uint32_t size = 0;
        const char* password = name == "encrypted" ? "quillo" : nullptr;
        if (!ArchiveReader::extractFromBytes(&buffer, &size, "member", c.archive, password,
                                             silent)) {
            state.SkipWithError("extraction failed");
        }
        benchmark::DoNotOptimize(buffer);
        std::free(buffer);
    }
    state.SetBytesProcessed(state.iterations() * c.content.size());
}

void inflateReference(benchmark::State& state, const std::string& name) {
    const Case& c = cases().at(name);
    std::vector<uint8_t> out(c.content.size());
    for (auto _ : state) {
        uLongf size = out.size();
        if (uncompress(out.data(), &size, c.deflated.data(), c.deflated.size()) != Z_OK) {
            state.SkipWithError("inflate failed");
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * c.content.size());
}

// Collects the CPU times (steadier than wall time on a shared machine) so
// the ratios can be printed after the usual table. Each benchmark runs
// several times and the fastest run counts: on a shared machine the
// others mostly measure the neighbours.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> aggregates;
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate) {
                aggregates.push_back(run);
                continue;
            }
            std::string name = run.run_name.function_name;
            double time = run.GetAdjustedCPUTime();
            auto known = times_.find(name);
            if (known == times_.end() || time < known->second) times_[name] = time;
        }
        ConsoleReporter::ReportRuns(aggregates);
    }
    void printRatios() const {
        std::printf(
            "\nextraction speed relative to zlib inflate of the same content (fastest of %d "
            "runs each):\n",
            kRepetitions);
        for (const auto& [name, c] : cases()) {
            auto ours = times_.find("extract/" + name);
            auto zlib = times_.find("inflate/" + name);
            if (ours == times_.end() || zlib == times_.end()) continue;
            std::printf("  %-11s %5.2fx   (packed %zu, zlib -9 %zu, content %zu bytes)\n",
                        name.c_str(), zlib->second / ours->second, c.archive.size(),
                        c.deflated.size(), c.content.size());
        }
    }
    // Encrypted is what packed mode reads; multimedia is how music is packed.
    void printGoals() const {
        printGoal("archive_encrypted_vs_zlib", "encrypted", 0.75, ">=0.75x");
        printGoal("archive_multimedia_vs_zlib", "multimedia", 0.5, ">=0.5x");
    }

  private:
    void printGoal(const char* goal, const std::string& name, double target,
                   const char* targetText) const {
        auto ours = times_.find("extract/" + name);
        auto zlib = times_.find("inflate/" + name);
        if (ours == times_.end() || zlib == times_.end()) return;
        double ratio = zlib->second / ours->second;
        reportGoal(goal, withUnit(ratio, "x"), targetText, ratio >= target);
    }

    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    for (const char* name : {"stored", "compressed", "multimedia", "encrypted"}) {
        std::string key = name;
        benchmark::RegisterBenchmark(("extract/" + key).c_str(), extraction, key)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(kRepetitions);
        benchmark::RegisterBenchmark(("inflate/" + key).c_str(), inflateReference, key)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(kRepetitions);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    reporter.printGoals();
    benchmark::Shutdown();
    return 0;
}
