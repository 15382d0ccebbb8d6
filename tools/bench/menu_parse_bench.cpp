// Parsing the menu stress set from memory (the whole model built, then
// freed) against the bare line reader over the same bytes. Prints both and
// their ratio; the parse should take at most twice the reading. Then the
// heap a load takes at its highest for 20,000 nested lines against a flat
// file of the same size (the nesting should cost little more).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "menu/model/menu_build.h"
#include "tests/native/menu_memory_hooks.h"
#include "tools/bench/menu_stress_set.h"
#include "tools/bench/ratio_reporter.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

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

// The C heap in use (glibc), its highest value sampled at each block the
// line reader asks for while a load runs.
size_t HeapInUse() {
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}
size_t g_heapPeak = 0;
void SampleHeap() {
    g_heapPeak = std::max(g_heapPeak, HeapInUse());
}

// The heap a load of a menu file of `lines` lines like `line` takes at its
// highest, in bytes (0 when it did not load).
size_t LoadPeak(const std::string& line, int lines) {
    MemoryMenuSystem system;
    system.files["C:\\deep\\VXMENU32.INI"] =
        "[VXMENU]\r\nVXMENU=\"C:\\deep\\DEEP.MNU\" \"D\" X\r\n";
    std::string& menu = system.files["C:\\deep\\DEEP.MNU"] = "[Title]\r\n";
    for (int i = 0; i < lines; ++i) {
        menu += line + "\r\n";
    }
    system.libraries["C:\\deep\\DEEP.dll"];
    system.beforeRead = SampleHeap;
    MenuLoadHooks hooks = system.Hooks();
    const size_t before = HeapInUse();
    g_heapPeak = before;
    const int result = LoadMenuModel("C:\\deep\\VXMENU32.INI", "VXMENU", hooks);
    FreeMenuModel(hooks);
    return result == 0 ? g_heapPeak - before : 0;
}

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
    const int lines = 20000;
    const double deep = LoadPeak("[->a]", lines) / 1e6;
    const double flat = LoadPeak("[--a]", lines) / 1e6;
    printf("%d lines of [->a] (%d KB): load takes at most %.1f MB of heap; a flat file of the same "
           "size %.1f MB (nesting costs %.0f bytes a level)\n",
           lines, lines * 7 / 1000, deep, flat, (deep - flat) * 1e6 / lines);
    return 0;
}
