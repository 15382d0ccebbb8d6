// Small helpers shared by the Windows benchmark programs: the performance
// counter, percentiles, writing a file, starting a process and the stand-in CAD program.
#pragma once

#include <windows.h>

#include "tools/standin_cad/command_log.h"

#include <algorithm>
#include <cstdio>
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

// Writes bytes as the whole file at path; false when it cannot.
inline bool WriteBenchFile(const std::string& path, const std::string& bytes) {
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
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

// The records of one kind in the stand-in's log.
inline std::vector<LogRecord> RecordsOf(const std::string& log, const char* kind) {
    std::vector<LogRecord> matching;
    for (LogRecord& record : ReadLogRecords(log.c_str())) {
        if (record.kind == kind) {
            matching.push_back(record);
        }
    }
    return matching;
}

// Waits up to 10 s until the log holds count records of kind.
inline bool WaitForRecords(const std::string& log, const char* kind, size_t count) {
    for (int i = 0; i < 1000; ++i) {
        if (RecordsOf(log, kind).size() >= count) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

// Starts the stand-in and waits until its windows and DDE server exist.
inline HANDLE StartStandIn(const std::string& commandLine, const std::string& log) {
    HANDLE process = StartBenchProcess(commandLine);
    if (process != nullptr && !WaitForRecords(log, "READY", 1)) {
        TerminateProcess(process, 1);
        CloseHandle(process);
        return nullptr;
    }
    return process;
}

// Asks the stand-in to close its window; ends it if it does not.
inline void EndStandIn(HANDLE process, HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
    }
    CloseHandle(process);
}
