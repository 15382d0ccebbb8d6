#define VX_CAD_HOST
#include "tools/standin_cad/module_host.h"

#include "cadmodules/frame/cad_interface.h"
#include "cadmodules/frame/host_services.h"
#include "menu/strutil/sjis_text.h"
#include "menu/strutil/text_file.h"
#include "tools/standin_cad/lisp_text.h"
#include "tools/standin_cad/message_pump.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Module {
    std::string path;
    HMODULE library = nullptr;
    CadEntryPoint entry = nullptr;
    bool unlocked = false;
};

struct Definition {
    int drawing;
    std::string name;
    int code;
    Module* module;
};

struct Reactor {
    void* reactor;
    EditorNotify notify;
};

// The LISP call being dispatched.
struct Call {
    int code = 0;
    resbuf* args = nullptr;
    std::string result = "nil";
    bool active = false;
};

HostLog g_log = nullptr;
std::string g_ownFolder;
std::vector<std::string> g_supportFolders;
std::vector<Module*> g_modules;
std::vector<int> g_drawings{1}; // open drawings; the last is the current one
int g_lastDrawing = 1;
std::vector<Definition> g_definitions;
std::vector<Reactor> g_reactors;
Module* g_current = nullptr; // the module inside its entry point
Call g_call;
bool g_alertOpen = false; // acedAlert waits for DismissAlert

void Log(const char* kind, const std::string& bytes) {
    if (g_log != nullptr) {
        g_log(kind, bytes);
    }
}

bool SameName(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

Module* FindModule(const std::string& path) {
    for (Module* module : g_modules) {
        if (SameName(module->path, path)) {
            return module;
        }
    }
    return nullptr;
}

Module* ModuleOf(void* appId) {
    for (Module* module : g_modules) {
        if (module == appId) {
            return module;
        }
    }
    return nullptr;
}

// Calls a module's entry with the module as the current one.
void Send(Module* module, int message) {
    Module* outer = g_current;
    g_current = module;
    module->entry(message, module);
    g_current = outer;
}

// Sends a drawing message to a module as if drawing were the current one.
void SendForDrawing(Module* module, int message, int drawing) {
    std::vector<int> saved = g_drawings;
    g_drawings.push_back(drawing);
    Send(module, message);
    g_drawings = saved;
}

int CurrentDrawing() {
    return g_drawings.empty() ? 0 : g_drawings.back();
}

void RemoveDefinitions(int drawing, Module* module) {
    for (size_t i = 0; i < g_definitions.size();) {
        if ((drawing == 0 || g_definitions[i].drawing == drawing) &&
            (module == nullptr || g_definitions[i].module == module)) {
            g_definitions.erase(g_definitions.begin() + i);
        } else {
            ++i;
        }
    }
}

// The host's own heap for the records and texts it hands out, as the CAD
// program's run-time library has its own: a module that frees them, or
// hands the host memory of its own to free, is caught.
HANDLE Heap() {
    static HANDLE heap = HeapCreate(0, 0, 0);
    return heap;
}

bool IsHostBlock(const void* block) {
    return HeapValidate(Heap(), 0, block) != 0;
}

resbuf* NewRecord(int type) {
    resbuf* record = static_cast<resbuf*>(HeapAlloc(Heap(), HEAP_ZERO_MEMORY, sizeof(resbuf)));
    if (record != nullptr) {
        record->restype = static_cast<short>(type);
    }
    return record;
}

char* NewText(const char* text) {
    const size_t size = strlen(text) + 1;
    char* copy = static_cast<char*>(HeapAlloc(Heap(), 0, size));
    if (copy != nullptr) {
        memcpy(copy, text, size);
    }
    return copy;
}

// The call's arguments as a chain from the host's heap.
resbuf* MakeArgs(const std::vector<LispValue>& values) {
    resbuf* head = nullptr;
    resbuf** tail = &head;
    for (const LispValue& value : values) {
        resbuf* record = NewRecord(value.type);
        if (record == nullptr) {
            break;
        }
        if (value.type == RTSTR) {
            record->resval.rstring = NewText(value.text.c_str());
        } else if (value.type == RTSHORT) {
            record->resval.rint = static_cast<short>(value.integer);
        } else if (value.type == RTLONG) {
            record->resval.rlong = value.integer;
        } else if (value.type == RTREAL) {
            record->resval.rreal = value.real;
        }
        *tail = record;
        tail = &record->rbnext;
    }
    return head;
}

// Dispatches kInvkSubrMsg with a code and arguments; returns the result.
std::string Dispatch(Module* module, int code, resbuf* args) {
    Call outer = g_call; // a call can arrive while another waits on a window
    g_call = Call{};
    g_call.code = code;
    g_call.args = args;
    g_call.active = true;
    Send(module, kInvkSubrMsg);
    std::string result = g_call.result;
    g_call = outer;
    return result;
}

// folder + "\\" + name; a folder ending in a separator (not in a trail
// byte 0x5C, as of ソ) takes none.
std::string Join(const std::string& folder, const char* name) {
    const char* last = LastCharMb(folder.c_str());
    if (last == nullptr || *last == '\\' || *last == '/') {
        return folder + name;
    }
    return folder + "\\" + name;
}

// The folder of a path: the text before its last backslash, double-byte aware.
std::string FolderOf(const std::string& path) {
    size_t cut = 0;
    for (const char* p = path.c_str(); *p != '\0'; p += CharLengthMb(p)) {
        if (*p == '\\') {
            cut = static_cast<size_t>(p - path.c_str());
        }
    }
    return path.substr(0, cut);
}

int SetResult(const std::string& text) {
    if (!g_call.active) {
        return RTERROR;
    }
    g_call.result = text;
    return RTNORM;
}

} // namespace

void InitModuleHost(HostLog log, const std::string& programPath, const std::string& support) {
    g_log = log;
    g_ownFolder = FolderOf(programPath);
    SetSupportFolders(support);
}

void SetSupportFolders(const std::string& support) {
    g_supportFolders.clear();
    size_t start = 0;
    while (start <= support.size()) {
        size_t end = support.find(';', start);
        if (end == std::string::npos) {
            end = support.size();
        }
        if (end > start) {
            g_supportFolders.push_back(support.substr(start, end - start));
        }
        start = end + 1;
    }
}

int LoadCadModule(const std::string& path) {
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryA(path.c_str());
    SetErrorMode(oldMode);
    if (library == nullptr) {
        Log("ARXERROR", path + ": cannot be loaded");
        return 0;
    }
    CadEntryPoint entry = reinterpret_cast<CadEntryPoint>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "acrxEntryPoint")));
    CadApiVersion version = reinterpret_cast<CadApiVersion>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "acrxGetApiVersion")));
    if (entry == nullptr || version == nullptr || version() != VX_CAD_API_VERSION) {
        FreeLibrary(library);
        Log("ARXERROR", path + ": not a module of this CAD program");
        return 0;
    }
    Module* module = new Module{path, library, entry, false};
    g_modules.push_back(module);
    Send(module, kInitAppMsg);
    for (int drawing : std::vector<int>(g_drawings)) {
        SendForDrawing(module, kLoadDwgMsg, drawing);
    }
    Log("ARX", path);
    return 1;
}

int UnloadCadModule(std::string path, bool force) {
    Module* module = FindModule(path);
    if (module == nullptr || (!module->unlocked && !force)) {
        Log("ARXERROR", path + (module ? ": locked" : ": not loaded"));
        return 0;
    }
    std::vector<int> drawings = g_drawings;
    for (auto it = drawings.rbegin(); it != drawings.rend(); ++it) {
        SendForDrawing(module, kUnloadDwgMsg, *it);
    }
    Send(module, kUnloadAppMsg);
    RemoveDefinitions(0, module);
    FreeLibrary(module->library);
    for (size_t i = 0; i < g_modules.size(); ++i) {
        if (g_modules[i] == module) {
            g_modules.erase(g_modules.begin() + i);
            break;
        }
    }
    delete module;
    Log("ARXUNLOAD", path);
    return 1;
}

void UnloadAllCadModules() {
    while (!g_modules.empty()) {
        UnloadCadModule(g_modules.back()->path, true);
    }
}

void OpenDrawing() {
    g_drawings.push_back(++g_lastDrawing);
    for (Module* module : std::vector<Module*>(g_modules)) {
        Send(module, kLoadDwgMsg);
    }
}

void CloseDrawing() {
    if (g_drawings.empty()) {
        return;
    }
    for (Module* module : std::vector<Module*>(g_modules)) {
        Send(module, kUnloadDwgMsg);
    }
    RemoveDefinitions(CurrentDrawing(), nullptr);
    g_drawings.pop_back();
}

void NotifyEditor(int event, const char* command) {
    for (const Reactor& reactor : std::vector<Reactor>(g_reactors)) {
        reactor.notify(reactor.reactor, event, command);
    }
}

void RunLispCall(const std::string& text) {
    Log("LISP", text);
    LispCall call;
    std::string error = ParseLispCall(text.c_str(), &call);
    const Definition* found = nullptr;
    if (error.empty()) {
        for (const Definition& definition : g_definitions) {
            if (definition.drawing == CurrentDrawing() && SameName(definition.name, call.name)) {
                found = &definition;
                break;
            }
        }
        if (found == nullptr) {
            std::string name = call.name;
            CharUpperBuffA(&name[0], static_cast<DWORD>(name.size()));
            error = "error: no function definition: " + name;
        }
    }
    if (!error.empty()) {
        Log("RESULT", error);
        return;
    }
    resbuf* args = MakeArgs(call.args);
    std::string result = Dispatch(found->module, found->code, args);
    acutRelRb(args);
    Log("RESULT", result);
}

void InvokeFunctionCode(int code, const std::string& path) {
    Module* module = FindModule(path);
    if (module == nullptr) {
        Log("ARXERROR", path + ": not loaded");
        return;
    }
    Log("RESULT", Dispatch(module, code, nullptr));
}

void ReleaseForeignText() {
    resbuf* record = NewRecord(RTSTR);
    char* text = static_cast<char*>(malloc(8));
    if (record != nullptr && text != nullptr) {
        strcpy(text, "foreign");
        record->resval.rstring = text;
        acutRelRb(record);
    }
    free(text);
}

void DismissAlert() {
    g_alertOpen = false;
}

void ReturnUnbalancedList() {
    resbuf* end = NewRecord(RTLE);
    if (end != nullptr) {
        acedRetList(end);
        acutRelRb(end);
    }
}

// The CAD program's functions, exported to the modules.

int acedDefun(const char* name, int code) {
    if (g_current == nullptr || name == nullptr || name[0] == '\0' || g_drawings.empty()) {
        return RTERROR;
    }
    // A name the drawing already has is defined anew.
    const Definition made{CurrentDrawing(), name, code, g_current};
    auto same = std::find_if(g_definitions.begin(), g_definitions.end(), [&](const Definition& d) {
        return d.drawing == made.drawing && SameName(d.name, made.name);
    });
    if (same != g_definitions.end()) {
        *same = made;
    } else {
        g_definitions.push_back(made);
    }
    Log("DEFUN", std::string(name) + " " + std::to_string(code));
    return RTNORM;
}

int acedUndef(const char* name, int code) {
    if (name == nullptr) {
        return RTERROR;
    }
    Log("UNDEF", std::string(name) + " " + std::to_string(code));
    for (size_t i = 0; i < g_definitions.size(); ++i) {
        const Definition& definition = g_definitions[i];
        if (definition.drawing == CurrentDrawing() && definition.module == g_current &&
            definition.code == code && SameName(definition.name, name)) {
            g_definitions.erase(g_definitions.begin() + i);
            return RTNORM;
        }
    }
    return RTERROR;
}

int acedGetFunCode() {
    return g_call.active ? g_call.code : RTERROR;
}

resbuf* acedGetArgs() {
    return g_call.active ? g_call.args : nullptr;
}

int acedRetVoid() {
    return SetResult("");
}

int acedRetT() {
    return SetResult("T");
}

int acedRetNil() {
    return SetResult("nil");
}

int acedRetStr(const char* text) {
    return SetResult(text != nullptr ? LispString(text) : "nil");
}

int acedRetList(const resbuf* list) {
    std::string text;
    if (!LispList(list, &text)) {
        Log("ERROR", "acedRetList: an unbalanced list");
        return RTERROR;
    }
    return SetResult(text);
}

int acedFindFile(const char* name, char* result) {
    if (name == nullptr || name[0] == '\0' || result == nullptr) {
        return RTERROR;
    }
    std::vector<std::string> candidates;
    if (name[0] == '\\' || name[0] == '/' || (name[0] != '\0' && name[1] == ':')) {
        candidates.push_back(name);
    } else {
        candidates.push_back(Join(g_ownFolder, name));
        for (const std::string& folder : g_supportFolders) {
            candidates.push_back(Join(folder, name));
        }
        char current[MAX_PATH];
        DWORD length = GetCurrentDirectoryA(sizeof current, current);
        if (length > 0 && length < sizeof current) {
            candidates.push_back(Join(current, name));
        }
    }
    for (const std::string& candidate : candidates) {
        if (candidate.size() < VX_CAD_PATH_SIZE && FileExists(candidate.c_str())) {
            memcpy(result, candidate.c_str(), candidate.size() + 1);
            return RTNORM;
        }
    }
    return RTERROR;
}

// Modal, as the CAD program's alert box: messages (timers included) go on
// being dispatched until the alert is dismissed.
int acedAlert(const char* text) {
    Log("ALERT", text != nullptr ? text : "");
    g_alertOpen = true;
    while (g_alertOpen) {
        if (!DispatchQueuedMessages(&g_alertOpen)) {
            g_alertOpen = false; // the program ends: so does the alert
        } else if (g_alertOpen) {
            WaitForMessage();
        }
    }
    return RTNORM;
}

int acutPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int needed = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (needed > 0) {
        text.resize(static_cast<size_t>(needed) + 1);
        vsnprintf(&text[0], text.size(), format, args);
        text.resize(static_cast<size_t>(needed));
    }
    va_end(args);
    Log("PRINT", text);
    return needed;
}

resbuf* acutNewRb(int type) {
    return NewRecord(type);
}

// Frees a chain of the host's records with their texts. Freeing a block of
// another heap would corrupt this one: such a block is refused and logged.
int acutRelRb(resbuf* chain) {
    while (chain != nullptr) {
        resbuf* next = chain->rbnext;
        char* text = chain->restype == RTSTR ? chain->resval.rstring : nullptr;
        if (text != nullptr && !IsHostBlock(text)) {
            Log("ERROR", "acutRelRb: a text the host did not allocate");
        } else if (text != nullptr) {
            HeapFree(Heap(), 0, text);
        }
        if (IsHostBlock(chain)) {
            HeapFree(Heap(), 0, chain);
        } else {
            Log("ERROR", "acutRelRb: a record the host did not allocate");
        }
        chain = next;
    }
    return RTNORM;
}

// The class-based services in the host's plain-C form.

int vxhostUnlockApplication(void* appId) {
    Module* module = ModuleOf(appId);
    if (module == nullptr) {
        return 0;
    }
    module->unlocked = true;
    Log("UNLOCK", module->path);
    return 1;
}

int vxhostRegisterAppMDIAware(void* appId) {
    Module* module = ModuleOf(appId);
    if (module == nullptr) {
        return 0;
    }
    Log("MDIAWARE", module->path);
    return 1;
}

int vxhostAddEditorReactor(void* reactor, EditorNotify notify) {
    if (reactor == nullptr || notify == nullptr) {
        return 0;
    }
    g_reactors.push_back(Reactor{reactor, notify});
    Log("REACTOR", std::string("add ") + (g_current ? g_current->path : ""));
    return 1;
}

int vxhostRemoveEditorReactor(void* reactor) {
    for (size_t i = 0; i < g_reactors.size(); ++i) {
        if (g_reactors[i].reactor == reactor) {
            g_reactors.erase(g_reactors.begin() + i);
            Log("REACTOR", std::string("remove ") + (g_current ? g_current->path : ""));
            return 1;
        }
    }
    return 0;
}
