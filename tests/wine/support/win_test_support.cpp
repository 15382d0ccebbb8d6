#include "tests/wine/support/win_test_support.h"

#include "tools/standin_cad/control.h"

#include <shlwapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

std::string MenuExePath() {
    return VX_MENU_EXE;
}

std::string LauncherExePath() {
    return VX_LAUNCHER_EXE;
}

std::string StandInExePath() {
    return VX_STANDIN_EXE;
}

std::string SamplesDir() {
    return VX_SAMPLES_DIR;
}

std::string DemoPackageDir() {
    return VX_DEMO_PACKAGE_DIR;
}

std::string DemoLibraryPath() {
    return DemoPackageDir() + "\\VXDEMO.DLL";
}

std::string StartModulePath() {
    return VX_START_MODULE;
}

std::string UtilityModulePath() {
    return VX_UTILITY_MODULE;
}

std::string DistDir() {
    return VX_DIST_DIR_PATH;
}

void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            std::string path = dir + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(dir.c_str());
}

std::string MakeTestDir(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string root = std::string(temp) + "vxtests";
    CreateDirectoryA(root.c_str(), nullptr);
    std::string dir = root + "\\" + name;
    // Parameterised tests are named "Test/Case": one folder, not two.
    std::replace(dir.begin() + root.size() + 1, dir.end(), '/', '_');
    RemoveTree(dir);
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

void WriteTextFile(const std::string& path, const std::string& bytes) {
    FILE* file = fopen(path.c_str(), "wb");
    if (file != nullptr) {
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
    }
}

std::string ReadTextFile(const std::string& path) {
    std::string bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (file != nullptr) {
        char block[4096];
        size_t got;
        while ((got = fread(block, 1, sizeof block, file)) > 0) {
            bytes.append(block, got);
        }
        fclose(file);
    }
    return bytes;
}

bool CopyFileTo(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

std::string ReadIniValue(const std::string& path, const char* section, const char* key) {
    char value[1024];
    GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value, path.c_str());
    return value;
}

namespace {

// HKEY_LOCAL_MACHINE in its 32-bit view, where a 32-bit CAD program's
// installer writes on 64-bit Windows; the other roots as they are.
REGSAM View(HKEY root) {
    return root == HKEY_LOCAL_MACHINE ? KEY_WOW64_32KEY : 0;
}

} // namespace

bool SeedRegistry(const std::string& dir, const std::string& regText) {
    std::string file = dir + "\\seed.reg";
    WriteTextFile(file, regText);
    Program regedit = StartProgram("reg import \"" + file + "\" /reg:32");
    DWORD code = 1;
    bool done = WaitForExit(regedit, 30000, &code);
    EndProgram(regedit);
    return done && code == 0;
}

std::string RegistryText(HKEY root, const std::string& path, const char* name) {
    char value[8192];
    DWORD size = sizeof value;
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | View(root), &key) != ERROR_SUCCESS) {
        return "<absent>";
    }
    LONG result =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_SZ ? std::string(value, strnlen(value, size))
                                                     : "<absent>";
}

DWORD RegistryNumber(HKEY root, const std::string& path, const char* name) {
    DWORD value = 0xFFFFFFFF;
    DWORD size = sizeof value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | View(root), &key) == ERROR_SUCCESS) {
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
    }
    return value;
}

DWORD RegistryType(HKEY root, const std::string& path, const char* name) {
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | View(root), &key) == ERROR_SUCCESS) {
        if (RegQueryValueExA(key, name, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) {
            type = 0;
        }
        RegCloseKey(key);
    }
    return type;
}

bool RegistryKeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | View(root), &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void DeleteRegistryTree(HKEY root, const std::string& path) {
    size_t cut = path.rfind('\\'); // no trail byte in these paths is '\'
    HKEY parent = nullptr;
    if (cut == std::string::npos ||
        RegOpenKeyExA(root, path.substr(0, cut).c_str(), 0, KEY_ALL_ACCESS | View(root), &parent) !=
            ERROR_SUCCESS) {
        return;
    }
    SHDeleteKeyA(parent, path.substr(cut + 1).c_str());
    RegCloseKey(parent);
}

Program StartProgram(const std::string& commandLine, const std::string& currentDir) {
    Program program;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       currentDir.empty() ? nullptr : currentDir.c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        program.process = info.hProcess;
        program.id = info.dwProcessId;
    }
    return program;
}

bool WaitForExit(Program& program, DWORD timeoutMs, DWORD* exitCode) {
    if (program.process == nullptr ||
        WaitForSingleObject(program.process, timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    if (exitCode != nullptr) {
        GetExitCodeProcess(program.process, exitCode);
    }
    return true;
}

void EndProgram(Program& program) {
    if (program.process != nullptr) {
        if (WaitForSingleObject(program.process, 0) != WAIT_OBJECT_0) {
            TerminateProcess(program.process, 99);
            WaitForSingleObject(program.process, 5000);
        }
        CloseHandle(program.process);
        program.process = nullptr;
    }
}

void EndProgramsNamed(const std::vector<std::string>& names) {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        for (const std::string& name : names) {
            if (lstrcmpiA(entry.szExeFile, name.c_str()) == 0) {
                ids.push_back(entry.th32ProcessID);
            }
        }
    }
    CloseHandle(snapshot);
    for (DWORD id : ids) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (process != nullptr) {
            TerminateProcess(process, 99);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

void EndStandIns() {
    EndProgramsNamed({"ACAD.EXE", "VXMENU32.EXE"});
    // The windows of an ended process may outlive it for a moment; the next
    // test must not find them among its own.
    WaitUntil([] { return FindWindowA("VXStandInCad", nullptr) == nullptr; }, 15000);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        Sleep(20);
    }
}

bool WaitForMessageBox(const char* caption, DWORD timeoutMs, ShownMessage* shown) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindWindowA("#32770", caption)) != nullptr; }, timeoutMs)) {
        return false;
    }
    char text[2048] = {};
    // The text control may be filled just after the window appears.
    WaitUntil([&] { return GetDlgItemTextA(box, 0xFFFF, text, sizeof text) > 0; }, 2000);
    shown->window = box;
    shown->caption = caption;
    shown->text = text;
    return true;
}

void PressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

ShownMessage AnswerMessageBox(const char* caption, DWORD timeoutMs) {
    ShownMessage shown;
    if (WaitForMessageBox(caption, timeoutMs, &shown)) {
        PressButton(shown.window, IDOK);
        WaitUntil([&] { return !IsWindow(shown.window); }, 5000);
    }
    return shown;
}

std::vector<LogRecord> LogRecordsOf(const std::string& logPath, const char* kind) {
    std::vector<LogRecord> matching;
    for (LogRecord& record : ReadLogRecords(logPath.c_str())) {
        if (record.kind == kind) {
            matching.push_back(record);
        }
    }
    return matching;
}

bool WaitForLogRecords(const std::string& logPath, const char* kind, size_t count,
                       DWORD timeoutMs) {
    return WaitUntil([&] { return LogRecordsOf(logPath, kind).size() >= count; }, timeoutMs);
}

std::string HexHandle(HWND window) {
    char text[32];
    snprintf(text, sizeof text, "%x", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

namespace {

bool SendCopyData(HWND window, ULONG_PTR kind, const std::string& text, DWORD timeoutMs) {
    COPYDATASTRUCT data{kind, static_cast<DWORD>(text.size() + 1), const_cast<char*>(text.c_str())};
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, timeoutMs, &result) != 0 &&
           result != 0;
}

} // namespace

bool SendStandInControl(HWND window, const char* verb, DWORD timeoutMs) {
    return SendCopyData(window, kStandInControl, verb, timeoutMs);
}

HWND StartModuleHost(Program* cad, const char* caption, const std::vector<std::string>& modules,
                     const std::string& support, const std::string& logPath,
                     const std::string& options) {
    std::string command = "\"" + StandInExePath() + "\" \"-caption=" + caption + "\" " + options;
    for (const std::string& module : modules) {
        command += " \"-arx=" + module + "\"";
    }
    *cad = StartProgram(command + " \"-support=" + support + "\" -log=" + logPath);
    if (cad->process == nullptr || !WaitForLogRecords(logPath, "READY", 1)) {
        return nullptr;
    }
    return WaitForStandInWindow(caption);
}

bool SendLisp(HWND window, const std::string& call) {
    return SendCopyData(window, 1, call, 5000);
}

std::string CallLisp(HWND window, const std::string& logPath, const std::string& call,
                     size_t alerts) {
    const size_t before = LogRecordsOf(logPath, "RESULT").size();
    const size_t alertsBefore = LogRecordsOf(logPath, "ALERT").size();
    if (!SendLisp(window, call)) {
        return "<no result>";
    }
    for (size_t i = 1; i <= alerts; ++i) {
        if (!WaitForLogRecords(logPath, "ALERT", alertsBefore + i) ||
            !SendStandInControl(window, "alert-ok")) {
            return "<no result>";
        }
    }
    // A call that starts the floating menu waits until it is ready.
    if (!WaitForLogRecords(logPath, "RESULT", before + 1, 60000)) {
        return "<no result>";
    }
    return LogRecordsOf(logPath, "RESULT")[before].bytes;
}

HWND WaitForStandInWindow(const char* caption, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowA("VXStandInCad", caption)) != nullptr; },
              timeoutMs);
    return window;
}

std::string PrepareStandInCopy(const std::string& dir, const std::string& name,
                               const std::vector<std::string>& settings) {
    std::string path = dir + "\\" + name;
    CopyFileTo(StandInExePath(), path);
    std::string ini = "[STANDIN]\r\n";
    for (const std::string& entry : settings) {
        ini += entry + "\r\n";
    }
    WriteTextFile(dir + "\\" + name.substr(0, name.find('.')) + ".ini", ini);
    return path;
}

MessageBoxAnswerer::MessageBoxAnswerer(std::vector<std::string> captions, DWORD timeoutMs)
    : captions_(std::move(captions)), timeoutMs_(timeoutMs) {
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    Finish();
}

DWORD WINAPI MessageBoxAnswerer::Run(void* self) {
    MessageBoxAnswerer* answerer = static_cast<MessageBoxAnswerer*>(self);
    for (const std::string& caption : answerer->captions_) {
        ShownMessage shown = AnswerMessageBox(caption.c_str(), answerer->timeoutMs_);
        if (shown.window == nullptr) {
            break;
        }
        answerer->answered_.push_back(shown);
    }
    return 0;
}

std::vector<ShownMessage> MessageBoxAnswerer::Finish() {
    if (thread_ != nullptr) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    return answered_;
}
