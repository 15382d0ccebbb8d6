// A LISP call's round trip through the stand-in CAD program hosting the
// utility module: WM_COPYDATA in, the call dispatched to the module, its
// RESULT record logged, the message answered. Prints figures only.
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
    for (int i = 0; i < kWarmUp + kCalls; ++i) {
        long long before = Now();
        SendMessageA(host, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
        long long after = Now();
        if (i >= kWarmUp) {
            roundTrips.push_back(Milliseconds(after - before));
        }
    }
    const size_t results = RecordsOf(log, "RESULT").size();
    EndStandIn(process, host);
    if (results != static_cast<size_t>(kWarmUp + kCalls)) {
        fprintf(stderr, "%u calls sent, %u results logged\n", kWarmUp + kCalls,
                static_cast<unsigned>(results));
        return 1;
    }
    printf("LISP call round trip (WM_COPYDATA in, RESULT logged), %d calls after %d warm-up: "
           "median %.3f ms, p99 %.3f ms (target: median under 2 ms)\n",
           kCalls, kWarmUp, Percentile(roundTrips, 0.5), Percentile(roundTrips, 0.99));
    return 0;
}
