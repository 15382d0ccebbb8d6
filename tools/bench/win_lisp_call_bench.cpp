// A LISP call's round trip through the stand-in CAD program hosting the
// utility module: WM_COPYDATA in (queued, the message answered at once),
// the call dispatched to the module, its RESULT record logged and read
// back by the sender. Prints figures only.
//
//   win_lisp_call_bench [path of ACAD.EXE] [path of VXUTY.arx]
#include "tools/bench/bench_support.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kWarmUp = 20;
constexpr int kCalls = 1000;

} // namespace

int main(int argc, char** argv) {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string folder = module;
    folder = folder.substr(0, folder.find_last_of('\\'));
    std::string standIn = argc > 1 ? argv[1] : folder + "\\..\\cad\\ACAD.EXE";
    std::string utility =
        argc > 2 ? argv[2] : folder + "\\..\\..\\..\\..\\dist\\win64\\VXMENU\\VXUTY.arx";
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string log = std::string(temp) + "vxbench_lisp.log";
    DeleteFileA(log.c_str());

    const char caption[] = "AutoCAD 2004 - [lisp.dwg]";
    HANDLE process = StartStandIn("\"" + standIn + "\" \"-caption=" + caption +
                                      "\" \"-arx=" + utility + "\" -log=" + log,
                                  log);
    HWND host = process != nullptr ? FindWindowA("VXStandInCad", caption) : nullptr;
    if (host == nullptr || RecordsOf(log, "ARX").size() != 1) {
        fprintf(stderr, "the stand-in did not start with the module (%s, %s)\n", standIn.c_str(),
                utility.c_str());
        if (process != nullptr) {
            EndStandIn(process, host);
        }
        return 1;
    }

    const char call[] = "(%OutputDebugString \"bench\")";
    COPYDATASTRUCT data{1, sizeof call, const_cast<char*>(call)};
    std::vector<double> roundTrips;
    size_t offset = 0, results = 0;
    for (int i = 0; i < kWarmUp + kCalls; ++i) {
        long long before = Now();
        SendMessageA(host, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
        // The sender follows the log until the call's RESULT is there.
        bool answered = false;
        for (long long waited = 0; !answered && Milliseconds(waited) < 10000;
             waited = Now() - before) {
            for (const LogRecord& record : ReadLogRecordsFrom(log.c_str(), &offset)) {
                answered = answered || record.kind == "RESULT";
            }
            if (!answered) {
                Sleep(0); // leaves the core to the stand-in
            }
        }
        long long after = Now();
        if (!answered) {
            break;
        }
        ++results;
        if (i >= kWarmUp) {
            roundTrips.push_back(Milliseconds(after - before));
        }
    }
    EndStandIn(process, host);
    if (results != static_cast<size_t>(kWarmUp + kCalls)) {
        fprintf(stderr, "%u calls sent, %u results logged\n", kWarmUp + kCalls,
                static_cast<unsigned>(results));
        return 1;
    }
    printf("LISP call round trip (WM_COPYDATA in and queued, RESULT logged and read back), %d "
           "calls after %d warm-up: "
           "median %.3f ms, p99 %.3f ms (target: median under 2 ms)\n",
           kCalls, kWarmUp, Percentile(roundTrips, 0.5), Percentile(roundTrips, 0.99));
    return 0;
}
