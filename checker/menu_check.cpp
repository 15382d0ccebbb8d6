#include "checker/menu_check.h"

#include "checker/library_probe.h"
#include "menu/model/menu_build.h"
#include "menu/model/menu_loader.h"
#include "menu/strutil/text_file.h"

#include <windows.h>

#include <map>
#include <new>

namespace {

// A menu file checked alone is registered by a configuration made up here;
// its name cannot be a file's ('?' is not allowed in paths).
const char kSingleConfig[] = "?VXMCHECK.INI";

struct SingleConfigFile {
    TextFile file; // first, so that the record's address is the file's
    MemoryText memory;
};

struct CheckContext {
    const CheckRequest* request;
    CheckOutput output;
    CheckCounts counts;
    std::string singleConfig;                      // bytes of the made-up configuration
    SingleConfigFile* singleOpen;                  // the made-up configuration while open
    std::map<std::string, std::string> libraryWhy; // library path -> why it did not load
};

TextFile* OpenText(void* context, const char* path) {
    CheckContext& check = *static_cast<CheckContext*>(context);
    if (strcmp(path, kSingleConfig) != 0) {
        return WindowsMenuLoadHooks().openText(nullptr, path);
    }
    SingleConfigFile* single = new (std::nothrow) SingleConfigFile;
    if (single == nullptr) {
        return nullptr;
    }
    single->memory =
        MemoryText{check.singleConfig.data(), static_cast<int>(check.singleConfig.size()), 0, 0};
    InitTextFile(&single->file, MemoryTextSource(&single->memory));
    check.singleOpen = single;
    return &single->file;
}

void CloseText(void* context, TextFile* file) {
    CheckContext& check = *static_cast<CheckContext*>(context);
    if (check.singleOpen != nullptr && file == &check.singleOpen->file) {
        delete check.singleOpen;
        check.singleOpen = nullptr;
        return;
    }
    WindowsMenuLoadHooks().closeText(nullptr, file);
}

// The floating menu's own library load; why it failed is kept for the report.
void* LoadLibraryChecked(void* context, const char* path) {
    CheckContext& check = *static_cast<CheckContext*>(context);
    void* library = WindowsMenuLoadHooks().loadLibrary(nullptr, path);
    if (library == nullptr) {
        check.libraryWhy[path] = LibraryLoadReason(path, GetLastError());
    }
    return library;
}

// The floating menu's hooks, but for the made-up configuration and the
// library load's reason (the Windows hooks pay no heed to the context).
MenuLoadHooks CheckHooks(CheckContext* check) {
    MenuLoadHooks hooks = WindowsMenuLoadHooks();
    hooks.context = check;
    hooks.openText = OpenText;
    hooks.closeText = CloseText;
    hooks.loadLibrary = LoadLibraryChecked;
    return hooks;
}

// The companion library of the package whose menu file is being read.
HMODULE LibraryOfMenuFile(const char* menuFile) {
    for (int i = 0; i < PackageCount(); ++i) {
        if (PackageAt(i)->menuFile == menuFile) {
            return static_cast<HMODULE>(PackageAt(i)->library);
        }
    }
    return nullptr;
}

std::string ReasonOf(const CheckContext& check, const MenuFinding& finding) {
    const char* name = finding.text != nullptr ? finding.text : "";
    switch (finding.kind) {
    case MenuFindingKind::kLibraryNotLoaded: {
        auto found = check.libraryWhy.find(name);
        return found != check.libraryWhy.end() ? found->second : std::string();
    }
    case MenuFindingKind::kBitmapMissing:
        return BitmapMissingReason(LibraryOfMenuFile(finding.file), name);
    case MenuFindingKind::kFunctionMissing:
        return FunctionMissingReason(LibraryOfMenuFile(finding.file), name);
    default:
        return std::string();
    }
}

void Report(void* context, const MenuFinding& finding) {
    CheckContext& check = *static_cast<CheckContext*>(context);
    const bool error = IsMenuError(finding.kind);
    (error ? check.counts.errors : check.counts.warnings) += 1;
    std::string file = finding.file != nullptr ? finding.file : "";
    int line = finding.line;
    if (file == kSingleConfig) {
        file = check.request->target; // what the made-up registration says about the file
        line = 1;
    }
    check.output.line(
        check.output.context,
        FindingLine(file, line, error, FindingText(finding, ReasonOf(check, finding))));
}

} // namespace

CheckOutcome RunMenuCheck(const CheckRequest& request, const CheckOutput& output) {
    CheckContext check{&request, output, CheckCounts{}, std::string(), nullptr, {}};
    const char* config = request.target.c_str();
    const char* section = request.menuName.c_str();
    if (!request.isConfig) {
        check.singleConfig = "[VXMENU]\r\nVXMENU=\"" + request.target + "\" \"-\"\r\n";
        config = kSingleConfig;
        section = "VXMENU";
    }
    MenuLoadHooks hooks = CheckHooks(&check);
    MenuFindingListener listener{&check, Report};
    CheckOutcome outcome;
    outcome.loaded = LoadMenuModel(config, section, hooks, &listener) == 0;
    outcome.counts = check.counts;
    if (!outcome.loaded && outcome.counts.errors == 0) {
        // A failure no finding names (never expected): the floating menu's message.
        outcome.counts.errors = 1;
        output.line(output.context,
                    FindingLine(request.target, 1, true, "メニューをロード出来ません。(I-15)"));
    }
    return outcome;
}
