// Start-up through the launcher, under Wine: from starting VXCAD.EXE to the
// floating menu's top window shown, against starting VXMENU32.EXE directly
// on the configuration VXCAD.EXE wrote (both start the stand-in CAD program;
// the package's profile exists already). Also the time to the splash window
// and the start of a trivial window program, to tell where the time goes.
// Prints figures; never fails on them.
//   win_launcher_bench VXCAD.EXE VXMENU32.EXE ACAD.EXE DEMO-PACKAGE-FOLDER
#include <windows.h>

#include <shlwapi.h>

#include "tools/bench/bench_support.h"
#include "tools/standin_cad/control.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kStarts = 8;
const char* const kRelease = "R16.0-bench";

// HKEY_LOCAL_MACHINE in its 32-bit view, where the 32-bit CAD program is.
REGSAM View(HKEY root) {
    return root == HKEY_LOCAL_MACHINE ? KEY_WOW64_32KEY : 0;
}

bool SetText(HKEY root, const std::string& path, const char* name, const char* value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | View(root), nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), strlen(value) + 1);
    RegCloseKey(key);
    return true;
}

HWND VisibleWindow(const char* className, const char* caption) {
    HWND window = FindWindowA(className, caption);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

// Waits up to 30 s for condition; false when it did not come.
template <typename Condition> bool WaitFor(Condition condition) {
    for (int i = 0; i < 30000; ++i) {
        if (condition()) {
            return true;
        }
        Sleep(1);
    }
    return false;
}

// Closes the stand-in CAD program; the floating menu follows it.
void CloseCadAndMenu() {
    if (HWND cad = FindWindowA("VXStandInCad", nullptr)) {
        const char verb[] = "close";
        COPYDATASTRUCT data{kStandInControl, sizeof verb, const_cast<char*>(verb)};
        DWORD_PTR result = 0;
        SendMessageTimeoutA(cad, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                            5000, &result);
    }
    WaitFor([] {
        return FindWindowA("VXStandInCad", nullptr) == nullptr &&
               FindWindowA("VXMENU_TOP", "VXMENU") == nullptr;
    });
}

struct Run {
    double splashMs = -1; // to the splash window shown (launcher runs only)
    double topMs = -1;    // to the floating menu's top window shown
};

// Starts commandLine and times it to the splash window (when asked) and to
// the menu's top window; then closes the CAD program and the menu.
Run TimeStart(const std::string& commandLine, bool splash) {
    Run run;
    long long start = Now();
    HANDLE process = StartBenchProcess(commandLine);
    if (process == nullptr) {
        return run;
    }
    bool shown = WaitFor([&] {
        if (splash && run.splashMs < 0 && VisibleWindow("VXCAD", "VXCAD")) {
            run.splashMs = Milliseconds(Now() - start);
        }
        return VisibleWindow("VXMENU_TOP", "VXMENU") != nullptr;
    });
    if (shown) {
        run.topMs = Milliseconds(Now() - start);
    }
    CloseCadAndMenu();
    // The launcher would close its splash window after five seconds: it has
    // done its part, end it now.
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
    return run;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        fprintf(stderr, "usage: win_launcher_bench VXCAD.EXE VXMENU32.EXE ACAD.EXE DEMO-FOLDER\n");
        return 2;
    }
    const std::string demo = argv[4];
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string dir = std::string(temp) + "vxbench-launcher";
    const std::string pkg = dir + "\\VX Bench", cad = dir + "\\CAD";
    for (const std::string& folder : {dir, pkg, pkg + "\\VXMENU", pkg + "\\MENUS", cad}) {
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    const std::string launcher = pkg + "\\VXCAD.EXE", menu = pkg + "\\VXMENU\\VXMENU32.EXE";
    if (!CopyFileA(argv[1], launcher.c_str(), FALSE) || !CopyFileA(argv[2], menu.c_str(), FALSE) ||
        !CopyFileA(argv[3], (cad + "\\ACAD.EXE").c_str(), FALSE)) {
        printf("the programs cannot be installed in %s\n", dir.c_str());
        return 1;
    }
    WriteBenchFile(cad + "\\ACAD.ini", "[STANDIN]\r\ncaption=AutoCAD 2004 - [bench.dwg]\r\n");
    WriteBenchFile(pkg + "\\MENUS\\DEMO.INI", "VXMENU=\"" + demo + "\\VXDEMO.MNU\" \"demo\" x\r\n" +
                                                  "VXMENU=\"" + demo +
                                                  "\\VXDRAW.MNU\" \"draw\" x\r\n");
    WriteBenchFile(pkg + "\\VXCAD.ini",
                   "[VXMENU]\r\nVXMENUFLG=1\r\nPKGNAME=bench\r\n[REGISTRY]\r\nPKGDIR=" + pkg +
                       "\r\nPFNAME=VXBench\r\nACADVER=" + kRelease +
                       "\r\n[DIRECTORY]\r\nACAD16DIR=" + cad + "\r\n[SYSTEM]\r\nDEMO=\"" + pkg +
                       "\\MENUS\" DEMO.INI 1\r\n" +
                       "[REG-General]\r\nACAD=<REGISTRY:PKGDIR>\\SUPPORT;+\r\n");
    const std::string product = std::string("Software\\Autodesk\\AutoCAD\\") + kRelease;
    const std::string base = product + "\\ACAD-201:411\\Profiles\\<<名前のないプロファイル>>";
    if (!SetText(HKEY_LOCAL_MACHINE, product + "\\ACAD-201:411", "ProductName", "AutoCAD 2004") ||
        !SetText(HKEY_CURRENT_USER, base + "\\General", "ACAD", "C:\\CAD\\Support") ||
        !SetText(HKEY_CURRENT_USER, base + "\\General\\Recent", "File1", "C:\\a.dwg")) {
        printf("the registry cannot be seeded\n");
        return 1;
    }
    CloseCadAndMenu();

    // The first start makes the profile and writes the configuration.
    Run first = TimeStart("\"" + launcher + "\"", true);
    if (first.topMs < 0) {
        printf("the chain did not reach the floating menu\n");
        return 1;
    }
    printf("first start (makes the profile): %.1f ms to the menu\n", first.topMs);

    std::vector<double> viaLauncher, toSplash, direct, trivial;
    for (int i = 0; i < kStarts; ++i) {
        Run run = TimeStart("\"" + launcher + "\"", true);
        if (run.topMs >= 0 && run.splashMs >= 0) {
            viaLauncher.push_back(run.topMs);
            toSplash.push_back(run.splashMs);
        }
        run = TimeStart("\"" + menu + "\"", false);
        if (run.topMs >= 0) {
            direct.push_back(run.topMs);
        }
        std::string caption = "trivial " + std::to_string(i);
        long long start = Now();
        HANDLE process =
            StartBenchProcess("\"" + cad + "\\ACAD.EXE\" \"-caption=" + caption + "\"");
        if (process != nullptr &&
            WaitFor([&] { return VisibleWindow("VXStandInCad", caption.c_str()); })) {
            trivial.push_back(Milliseconds(Now() - start));
        }
        CloseCadAndMenu();
        if (process != nullptr) {
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
    double launched = Percentile(viaLauncher, 0.5), menuAlone = Percentile(direct, 0.5);
    double splash = Percentile(toSplash, 0.5), program = Percentile(trivial, 0.5);
    printf("start-up to the floating menu's top window (median of %d, profile made):\n", kStarts);
    printf("  VXMENU32.EXE started directly      %8.1f ms\n", menuAlone);
    printf("  VXCAD.EXE                          %8.1f ms  = %.2f x   (target <= 1.5 x)\n",
           launched, launched / menuAlone);
    printf("where the launcher's time goes (medians of the same runs):\n");
    printf(
        "  VXCAD.EXE to its splash window     %8.1f ms  its process and window, the setup file,\n"
        "                                                 the registry, SYSTEM.DAT, VXMENU32.INI\n",
        splash);
    printf("  a trivial window program           %8.1f ms  the same process and window alone\n",
           program);
    printf("  the splash window to the menu      %8.1f ms  painting, starting VXMENU32.EXE, the\n"
           "                                                 menu's own start with the CAD "
           "program's\n",
           launched - splash);

    SHDeleteKeyA(HKEY_CURRENT_USER, product.c_str());
    HKEY machine = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\AutoCAD", 0,
                      KEY_ALL_ACCESS | View(HKEY_LOCAL_MACHINE), &machine) == ERROR_SUCCESS) {
        SHDeleteKeyA(machine, kRelease);
        RegCloseKey(machine);
    }
    return 0;
}
