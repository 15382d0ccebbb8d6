// The stand-in CAD program as a host of in-CAD modules: it loads them,
// sends them the entry messages for the application and its drawings,
// dispatches LISP calls to the functions they define, tells their editor
// reactors of commands, and offers them the CAD program's functions
// (cadmodules/frame/cad_interface.h). Everything runs on the main thread.
//
// Log records: ARX / ARXUNLOAD / ARXERROR (a module loaded, unloaded, or
// not), UNLOCK, MDIAWARE, REACTOR ("add PATH", "remove PATH"), DEFUN and
// UNDEF ("name code"), LISP (the call as received) and RESULT (its result
// in LISP notation, empty for void), PRINT (acutPrintf), ALERT (acedAlert,
// when it opens),
// ERROR (acutRelRb given a text or record the host did not allocate,
// acedRetList an unbalanced list).
#pragma once

#include <string>

using HostLog = void (*)(const char* kind, const std::string& bytes);

// The folders acedFindFile searches: the folder of the stand-in's program
// file, then the support folders ("DIR;DIR..."), then the current folder.
void InitModuleHost(HostLog log, const std::string& programPath, const std::string& support);
void SetSupportFolders(const std::string& support);

// Loads a module: checks its exports acrxEntryPoint and acrxGetApiVersion,
// sends kInitAppMsg, then kLoadDwgMsg for each open drawing. 1 on success.
int LoadCadModule(const std::string& path);

// Sends kUnloadDwgMsg for each open drawing and kUnloadAppMsg, then frees
// the module. A module that did not unlock itself stays (unless force).
// The path is a copy: the caller may pass the module record's own.
int UnloadCadModule(std::string path, bool force = false);
void UnloadAllCadModules();

// Opens a further drawing (kLoadDwgMsg to every module) or closes the
// current one (kUnloadDwgMsg); the last opened drawing is the current one.
void OpenDrawing();
void CloseDrawing();

// Tells every attached editor reactor of a command (kEditorCommand...).
void NotifyEditor(int event, const char* command);

// Runs one LISP call text "(name arg ...)" of the current drawing; logs
// LISP and RESULT.
void RunLispCall(const std::string& text);

// Dispatches a function code to the module loaded from path, without a
// definition behind it; logs RESULT.
void InvokeFunctionCode(int code, const std::string& path);

// Hands a text from the C runtime's heap to acutRelRb, as a module that
// used the wrong allocator would (it must be refused and logged).
void ReleaseForeignText();

// Ends the alert acedAlert is showing (its modal loop runs until then).
void DismissAlert();

// Hands acedRetList a lone RTLE, as a module that built its list wrong
// would (it must be refused and logged).
void ReturnUnbalancedList();
