// %txtread's reading of a 100,000-line file (pieces with the line-end rule)
// against a plain line-by-line read of the same file with fgets. Prints both
// and their ratio, whose target is at most 2, and for comparison the reading
// with each line copied into a list (the module copies each into a record).
#include <benchmark/benchmark.h>

#include "cadmodules/utility/line_pieces.h"
#include "tools/bench/ratio_reporter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kLines = 100000;
constexpr int kPieceSize = 1023;

const std::string& TextFilePath() {
    static const std::string path = [] {
        // A file of this run's own: parallel runs must not share one.
        char name[] = "/tmp/vx_txtread_benchXXXXXX";
        int descriptor = mkstemp(name);
        FILE* file = descriptor < 0 ? nullptr : fdopen(descriptor, "wb");
        if (file == nullptr) {
            perror("txtread_bench: the text file cannot be written");
            exit(1);
        }
        for (int i = 0; i < kLines; ++i) {
            fprintf(file, "(setq item%06d \"図面の線分 %d\") ; line %d\n", i, i * 7, i);
        }
        fclose(file);
        return std::string(name);
    }();
    return path;
}

char* ReadFromFile(char* dst, int size, void* context) {
    return fgets(dst, size, static_cast<FILE*>(context));
}

void BM_PlainLineRead(benchmark::State& state) {
    char line[kPieceSize];
    for (auto _ : state) {
        FILE* file = fopen(TextFilePath().c_str(), "r");
        size_t bytes = 0;
        while (fgets(line, sizeof line, file) != nullptr) {
            bytes += strlen(line);
        }
        fclose(file);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_PlainLineRead)->Unit(benchmark::kMillisecond);

void BM_TextRead(benchmark::State& state) {
    char piece[kPieceSize];
    for (auto _ : state) {
        FILE* file = fopen(TextFilePath().c_str(), "r");
        LinePieces pieces = MakeLinePieces(ReadFromFile, file);
        size_t bytes = 0;
        while (ReadLinePiece(piece, sizeof piece, &pieces) != nullptr) {
            bytes += strlen(piece);
        }
        fclose(file);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_TextRead)->Unit(benchmark::kMillisecond);

void BM_TextReadIntoList(benchmark::State& state) {
    char piece[kPieceSize];
    for (auto _ : state) {
        FILE* file = fopen(TextFilePath().c_str(), "r");
        LinePieces pieces = MakeLinePieces(ReadFromFile, file);
        std::vector<std::string> list;
        while (ReadLinePiece(piece, sizeof piece, &pieces) != nullptr) {
            list.emplace_back(piece);
        }
        fclose(file);
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_TextReadIntoList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    remove(TextFilePath().c_str());
    double plain = reporter.times["BM_PlainLineRead"];
    double text = reporter.times["BM_TextRead"];
    double list = reporter.times["BM_TextReadIntoList"];
    if (plain > 0 && text > 0 && list > 0) {
        printf("\n%%txtread on %d lines (CPU time): %.2f ms, plain line read %.2f ms, ratio %.2f "
               "(limit 2); with a list of copies %.2f ms, ratio %.2f\n",
               kLines, text, plain, text / plain, list, list / plain);
    }
    return 0;
}
