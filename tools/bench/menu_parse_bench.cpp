// Parsing the menu stress set from memory (the whole model built, then
// freed) against the bare line reader over the same bytes. Prints both and
// their ratio; the parse should take at most twice the reading.
#include <benchmark/benchmark.h>

#include "menu/model/menu_build.h"
#include "tests/native/menu_memory_hooks.h"
#include "tools/bench/menu_stress_set.h"
#include "tools/bench/ratio_reporter.h"

#include <cstdio>
#include <map>

namespace {

const char kIni[] = "C:\\stress\\VXMENU32.INI";

MemoryMenuSystem& StressSystem() {
    static MemoryMenuSystem* system = [] {
        MemoryMenuSystem* s = new MemoryMenuSystem;
        MenuStressSet set = MakeMenuStressSet("C:\\stress");
        s->files[kIni] = set.config;
        for (const auto& file : set.menuFiles) {
            s->files[file.first] = file.second;
            MemoryLibrary& library =
                s->libraries[file.first.substr(0, file.first.size() - 4) + ".dll"];
            library.bitmaps["LINE16"] = {16, 16};
            library.bitmaps["CIRCLE24"] = {24, 24};
            library.bitmaps["WIDE"] = {48, 16};
            library.functions["DemoTrace"] = [] {};
        }
        return s;
    }();
    return *system;
}

void BM_ReadLines(benchmark::State& state) {
    MemoryMenuSystem& system = StressSystem();
    char line[kMenuLineSize];
    size_t bytes = 0;
    for (auto _ : state) {
        long lines = 0;
        bytes = 0;
        for (const auto& file : system.files) {
            MemoryText memory{file.second.data(), static_cast<int>(file.second.size()), 0, 0};
            TextFile text;
            InitTextFile(&text, MemoryTextSource(&memory));
            while (ReadTextLine(line, sizeof line, &text) != nullptr) {
                ++lines;
            }
            bytes += file.second.size();
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ReadLines)->Unit(benchmark::kMicrosecond);

void BM_ParseStressSet(benchmark::State& state) {
    MemoryMenuSystem& system = StressSystem();
    MenuLoadHooks hooks = system.Hooks();
    size_t items = 0;
    for (auto _ : state) {
        if (LoadMenuModel(kIni, "VXMENU", hooks) != 0) {
            state.SkipWithError("the stress set did not load");
            break;
        }
        items = 0;
        for (const MenuRecord& menu : g_menuTable) {
            items += menu.items.size();
        }
        FreeMenuModel(hooks);
    }
    state.counters["items"] = static_cast<double>(items);
}
BENCHMARK(BM_ParseStressSet)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double read = reporter.times["BM_ReadLines"];
    double parse = reporter.times["BM_ParseStressSet"];
    if (read > 0 && parse > 0) {
        printf("\nmenu stress set (CPU time): parse %.1f us, read lines %.1f us, ratio %.2f "
               "(target <= 2)\n",
               parse, read, parse / read);
    }
    return 0;
}
