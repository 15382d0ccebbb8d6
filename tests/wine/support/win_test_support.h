// Helpers for the tests that run the floating menu and the stand-in CAD
// program under Wine: folders, files, processes, message boxes, the log.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tools/standin_cad/command_log.h"

// Paths of the programs under test (Windows paths, set by the build).
std::string MenuExePath();
std::string LauncherExePath();
std::string StandInExePath();
std::string SamplesDir();
// The demo menu packages as built (menu files beside their companion
// libraries), and one of those libraries.
std::string DemoPackageDir();
std::string DemoLibraryPath();
// The in-CAD modules as built (vxmstart.arx, VXUTY.arx).
std::string StartModulePath();
std::string UtilityModulePath();
// The deliverables laid out as installed (VXCAD.EXE, VXMENU\..., TOOLS\...).
std::string DistDir();

// Removes a folder with everything in it.
void RemoveTree(const std::string& dir);

// A new empty folder below the temporary folder, named after the test.
std::string MakeTestDir(const std::string& name);

void WriteTextFile(const std::string& path, const std::string& bytes);
std::string ReadTextFile(const std::string& path);
bool CopyFileTo(const std::string& from, const std::string& to);

// Profile value as the programs read it ("<absent>" when the key is missing).
std::string ReadIniValue(const std::string& path, const char* section, const char* key);

// The registry of the test prefix: seeded by "reg import" from a REGEDIT4
// text (Shift-JIS), read and removed through the plain API. HKEY_LOCAL_MACHINE
// is its 32-bit view, as a 32-bit CAD program installs on 64-bit Windows.
bool SeedRegistry(const std::string& dir, const std::string& regText);
std::string RegistryText(HKEY root, const std::string& path, const char* name); // "<absent>"
DWORD RegistryNumber(HKEY root, const std::string& path, const char* name); // 0xFFFFFFFF: absent
DWORD RegistryType(HKEY root, const std::string& path, const char* name);   // 0: absent
bool RegistryKeyExists(HKEY root, const std::string& path);
void DeleteRegistryTree(HKEY root, const std::string& path);

struct Program {
    HANDLE process = nullptr;
    DWORD id = 0;
};

// Starts a program with a full command line (in currentDir when given);
// process is null on failure.
Program StartProgram(const std::string& commandLine, const std::string& currentDir = "");

// Waits for the program to end; true with its exit code when it did.
bool WaitForExit(Program& program, DWORD timeoutMs, DWORD* exitCode = nullptr);

// Ends the program if it still runs and closes its handle.
void EndProgram(Program& program);

// Ends every process whose program file has one of these names (any case).
void EndProgramsNamed(const std::vector<std::string>& names);

// Ends every stand-in CAD program (ACAD.EXE) and floating menu still running,
// and waits until no stand-in window is left.
void EndStandIns();

// Polls until condition holds or timeoutMs passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

struct ShownMessage {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};

// Waits for a message box with this caption; reads its text.
bool WaitForMessageBox(const char* caption, DWORD timeoutMs, ShownMessage* shown);

// Presses a button (IDOK, IDCANCEL, ...) of a dialog or message box.
void PressButton(HWND dialog, int id);

// Waits for a message box, presses OK and returns it (caption/text empty if none came).
ShownMessage AnswerMessageBox(const char* caption, DWORD timeoutMs = 10000);

// Log records of one kind (e.g. "DDE", "COPYDATA", "START").
std::vector<LogRecord> LogRecordsOf(const std::string& logPath, const char* kind);

// Waits until the log holds at least count records of kind.
bool WaitForLogRecords(const std::string& logPath, const char* kind, size_t count,
                       DWORD timeoutMs = 10000);

// A window's handle as the programs write it: lower-case hexadecimal.
std::string HexHandle(HWND window);

// Sends a control verb to a stand-in's main window and waits for its answer.
bool SendStandInControl(HWND window, const char* verb, DWORD timeoutMs = 5000);

// Starts a stand-in with this caption hosting the modules, acedFindFile
// searching the support folders ("DIR;DIR"), and waits until it is ready;
// its main window, or nullptr.
HWND StartModuleHost(Program* cad, const char* caption, const std::vector<std::string>& modules,
                     const std::string& support, const std::string& logPath,
                     const std::string& options = "");

// Sends a LISP call to a stand-in hosting modules (WM_COPYDATA, dwData 1),
// which queues it and runs it after this send has returned.
bool SendLisp(HWND window, const std::string& call);

// Sends a LISP call and waits for the RESULT record it logs (a call that
// starts the floating menu waits until the menu is ready), dismissing each
// of the call's alerts ("alert-ok") once it is logged; the RESULT's body,
// or "<no result>".
std::string CallLisp(HWND window, const std::string& logPath, const std::string& call,
                     size_t alerts = 0);

// The main window of the stand-in with this caption (waits for it).
HWND WaitForStandInWindow(const char* caption, DWORD timeoutMs = 10000);

// Copies the stand-in to dir\name (for example "EXTOOL.EXE") with its
// settings file beside it (section [STANDIN], one "key=value" per entry), so
// that it runs with these settings even from an empty command line.
std::string PrepareStandInCopy(const std::string& dir, const std::string& name,
                               const std::vector<std::string>& settings);

// Answers message boxes from a second thread while the test's own thread is
// blocked in a call that shows them: for each caption in turn it waits for a
// box with that caption, reads it and presses OK. The thread is test
// machinery only; the code under test stays single-threaded.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(std::vector<std::string> captions, DWORD timeoutMs = 10000);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Waits for the thread; the boxes answered, in order (it stops at the
    // first caption that did not come in time).
    std::vector<ShownMessage> Finish();

private:
    static DWORD WINAPI Run(void* self);
    std::vector<std::string> captions_;
    DWORD timeoutMs_;
    std::vector<ShownMessage> answered_;
    HANDLE thread_ = nullptr;
};
