// Small helpers shared by the Windows benchmark programs: the performance
// counter, percentiles and starting a process.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

inline long long Now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

// Counter ticks as milliseconds.
inline double Milliseconds(long long ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return ticks * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The value below which `fraction` of the values lie (0.5: the median).
inline double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(fraction * (values.size() - 1) + 0.5)];
}

// Starts a program from a full command line; its process handle, or nullptr.
inline HANDLE StartBenchProcess(const std::string& commandLine) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}
