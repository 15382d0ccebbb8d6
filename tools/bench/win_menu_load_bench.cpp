// The whole load of the menu stress set under Windows (Wine): ten menu files
// and ten companion libraries (copies of the demo library with its bitmaps)
// in a temporary folder, loaded by LoadMenus and freed by FreeMenus.
// Prints the first load and the median of the following ones (target: under
// 50 ms). Usage: win_menu_load_bench [demo package folder]
#include "menu/model/menu_loader.h"
#include "tools/bench/bench_support.h"
#include "tools/bench/menu_stress_set.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The demo packages' folder as built: argument 1, else beside this program
// in the build tree (tools\bench -> samples\VXDEMO).
std::string DemoPackageFolder(int argc, char** argv) {
    if (argc > 1) {
        return argv[1];
    }
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) {
        return "";
    }
    std::string relative = path;
    relative = relative.substr(0, relative.find_last_of('\\')) + "\\..\\..\\samples\\VXDEMO";
    char full[MAX_PATH];
    length = GetFullPathNameA(relative.c_str(), sizeof full, full, nullptr);
    return length == 0 || length >= sizeof full ? "" : full;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv) {
    std::string library = DemoPackageFolder(argc, argv) + "\\VXDEMO.DLL";
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "vxmenu_stress";
    CreateDirectoryA(folder.c_str(), nullptr);
    if (folder.find('.') != std::string::npos) {
        printf("the temporary folder %s holds a '.': the libraries would not be found\n",
               folder.c_str());
        return 1;
    }

    MenuStressSet set = MakeMenuStressSet(folder);
    std::string ini = folder + "\\VXMENU32.INI";
    bool ready = WriteBenchFile(ini, set.config);
    for (const auto& file : set.menuFiles) {
        std::string dll = file.first.substr(0, file.first.size() - 4) + ".DLL";
        ready = ready && WriteBenchFile(file.first, file.second) &&
                CopyFileA(library.c_str(), dll.c_str(), FALSE);
    }
    if (!ready) {
        printf("cannot lay out the stress set in %s (library %s)\n", folder.c_str(),
               library.c_str());
        return 1;
    }

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> loads;
    std::vector<double> frees;
    int items = 0;
    int bitmaps = 0;
    for (int run = 0; run < 21; ++run) {
        LARGE_INTEGER start, loaded, freed;
        QueryPerformanceCounter(&start);
        int result = LoadMenus(ini.c_str(), "VXMENU");
        QueryPerformanceCounter(&loaded);
        if (result != 0) {
            printf("the stress set did not load\n");
            return 1;
        }
        if (run == 0) {
            for (const MenuRecord& menu : g_menuTable) {
                items += menu.itemCount;
                for (const MenuItem& item : menu.items) {
                    bitmaps += item.bitmap != nullptr;
                }
            }
        }
        FreeMenus();
        QueryPerformanceCounter(&freed);
        loads.push_back(Milliseconds(start, loaded, frequency));
        frees.push_back(Milliseconds(loaded, freed, frequency));
    }
    // For comparison: the ten companion libraries alone, loaded and released.
    std::vector<double> libraries;
    for (int run = 0; run < 20; ++run) {
        LARGE_INTEGER start, loaded;
        HMODULE modules[kStressPackages];
        QueryPerformanceCounter(&start);
        for (int p = 0; p < kStressPackages; ++p) {
            std::string dll = folder + "\\STRESS" + std::to_string(p) + ".DLL";
            modules[p] = LoadLibraryA(dll.c_str());
        }
        QueryPerformanceCounter(&loaded);
        for (HMODULE module : modules) {
            if (module != nullptr) {
                FreeLibrary(module);
            }
        }
        libraries.push_back(Milliseconds(start, loaded, frequency));
    }
    std::sort(libraries.begin(), libraries.end());

    double first = loads.front();
    loads.erase(loads.begin());
    frees.erase(frees.begin());
    std::sort(loads.begin(), loads.end());
    std::sort(frees.begin(), frees.end());
    printf("menu stress set: %d packages, %d items (%d expected), %d items with a bitmap\n",
           kStressPackages, items, set.items, bitmaps);
    printf("whole load (files, libraries, bitmaps): first %.2f ms, median %.2f ms, "
           "min %.2f ms, max %.2f ms (target under 50 ms)\n",
           first, loads[loads.size() / 2], loads.front(), loads.back());
    printf("of which loading the %d libraries alone: median %.2f ms\n", kStressPackages,
           libraries[libraries.size() / 2]);
    printf("free all: median %.2f ms\n", frees[frees.size() / 2]);
    return 0;
}
