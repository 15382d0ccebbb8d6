// Latency of SendCadCommand against the stand-in CAD program, by DDE execute
// (ACADDIR) and by WM_COPYDATA (ACAD16DIR): from the call to the stand-in's
// receipt (its STAMP record, a QueryPerformanceCounter value taken when the
// command arrives) and from the call to the return. Prints figures only.
//
//   win_send_latency_bench [path of ACAD.EXE]   (default: ..\cad\ACAD.EXE)
#include "menu/app/app_state.h"
#include "menu/cadlink/cad_link.h"
#include "menu/strutil/sjis_text.h"
#include "tools/bench/bench_support.h"
#include "tools/standin_cad/command_log.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kWarmUp = 20;
constexpr int kCommands = 1000;

struct Timings {
    std::vector<double> receiptMs; // call -> the stand-in's receipt
    std::vector<double> returnMs;  // call -> SendCadCommand returns
};

// Links as start-up does: target from the configuration file, DDE instance
// and conversation where the target has them, then the window search.
bool Link(const std::string& ini, const char* key) {
    FILE* file = fopen(ini.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    fprintf(file, "[DIRECTORY]\r\n%s=bench\r\n", key);
    fclose(file);
    g_app = AppState{};
    CopyText(g_app.iniPath, sizeof g_app.iniPath, ini.c_str());
    if (!SelectCadTarget()) {
        return false;
    }
    if (g_app.ddeService[0] != '\0') {
        if (DdeInitializeA(&g_app.ddeInstance, DdeCallback, APPCMD_CLIENTONLY, 0) != 0) {
            return false;
        }
        g_app.cadLink.hszService = CreateDdeString(g_app.ddeService);
        g_app.cadLink.hszTopic = CreateDdeString(g_app.ddeTopic);
        if (!ConnectDde(g_app.cadLink.hszService, g_app.cadLink.hszTopic,
                        &g_app.cadLink.conversation)) {
            return false;
        }
    }
    return FindCadWindow() != 0;
}

void Unlink() {
    DisconnectDde(&g_app.cadLink);
    if (g_app.ddeInstance) {
        DdeUninitialize(g_app.ddeInstance);
    }
    g_app = AppState{};
}

// Sends the commands and pairs each call with the stand-in's stamp of it.
bool Measure(const std::string& log, Timings* timings) {
    std::vector<long long> calls;
    std::vector<long long> returns;
    for (int i = 0; i < kWarmUp + kCommands; ++i) {
        char command[64];
        FormatText(command, sizeof command, "\x1b\x1b_LINE\n%d,0\n%d,100\n\n", i, i);
        long long before = Now();
        SendCadCommand(command, g_app.cadLink.conversation);
        long long after = Now();
        calls.push_back(before);
        returns.push_back(after);
    }
    std::vector<LogRecord> stamps = RecordsOf(log, "STAMP");
    if (stamps.size() != calls.size()) {
        fprintf(stderr, "%u commands sent, %u received\n", static_cast<unsigned>(calls.size()),
                static_cast<unsigned>(stamps.size()));
        return false;
    }
    for (size_t i = kWarmUp; i < calls.size(); ++i) {
        long long received = strtoll(stamps[i].bytes.c_str(), nullptr, 10);
        timings->receiptMs.push_back(Milliseconds(received - calls[i]));
        timings->returnMs.push_back(Milliseconds(returns[i] - calls[i]));
    }
    return true;
}

void Report(const char* transport, const Timings& timings) {
    printf("%-12s call->receipt  median %7.3f ms  p99 %7.3f ms   call->return  median %7.3f ms  "
           "p99 %7.3f ms   (%u commands)\n",
           transport, Percentile(timings.receiptMs, 0.5), Percentile(timings.receiptMs, 0.99),
           Percentile(timings.returnMs, 0.5), Percentile(timings.returnMs, 0.99),
           static_cast<unsigned>(timings.receiptMs.size()));
}

// One transport: start the stand-in, link, measure, end it.
bool Run(const char* transport, const char* key, const std::string& standIn, const std::string& dir,
         const std::string& options) {
    const std::string log = dir + "\\" + key + ".log";
    DeleteFileA(log.c_str());
    HANDLE process = StartStandIn("\"" + standIn + "\" " + options + " -stamp=1 -log=" + log, log);
    if (process == nullptr) {
        fprintf(stderr, "%s: the stand-in did not start (%s)\n", transport, standIn.c_str());
        return false;
    }
    Timings timings;
    bool ok = Link(dir + "\\VXMENU32.INI", key) && Measure(log, &timings);
    if (ok) {
        Report(transport, timings);
    } else {
        fprintf(stderr, "%s: no link to the stand-in\n", transport);
    }
    HWND window = g_app.cadWindow;
    Unlink();
    EndStandIn(process, window);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string standIn = module;
    standIn = standIn.substr(0, standIn.find_last_of('\\')) + "\\..\\cad\\ACAD.EXE";
    if (argc > 1) {
        standIn = argv[1];
    }
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string dir = std::string(temp) + "vxbench_send";
    CreateDirectoryA(dir.c_str(), nullptr);

    printf("SendCadCommand latency, %d commands each after %d warm-up (target: median under "
           "2 ms)\n",
           kCommands, kWarmUp);
    bool dde = Run("DDE execute", "ACADDIR", standIn, dir,
                   "\"-caption=AutoCAD - [bench.dwg]\" -ddeservice=AutoCAD.r13.DDE "
                   "-ddetopic=SYSTEM");
    bool copyData =
        Run("WM_COPYDATA", "ACAD16DIR", standIn, dir, "\"-caption=AutoCAD 2004 - [bench.dwg]\"");
    return dde && copyData ? 0 : 1;
}
