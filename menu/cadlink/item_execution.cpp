#include "menu/cadlink/item_execution.h"

#include "menu/app/app_state.h"
#include "menu/app/menu_config.h"
#include "menu/app/process_start.h"
#include "menu/app/startup_messages.h"
#include "menu/cadlink/cad_link.h"
#include "menu/cadlink/exec_command.h"
#include "menu/cadlink/item_route.h"
#include "menu/strutil/sjis_text.h"
#include "menu/ui/commands_dialog.h"

namespace {

int StartExecProgram(const char* text) {
    char program[kPathSize];
    char arguments[kPathSize];
    SplitExecText(text, program, arguments);
    ExpandDirectoryMacro(program);
    char commandLine[2 * kPathSize + 4];
    BuildExecCommandLine(program, arguments, commandLine, sizeof commandLine);
    if (!LaunchProgram(nullptr, commandLine, nullptr)) {
        char message[sizeof commandLine + 80];
        FormatText(message, sizeof message, "外部プログラム[%s]が起動できません。(E-11)",
                   commandLine);
        MessageBoxA(nullptr, message, kMenuCaption, MB_OK);
        return 0;
    }
    SetActiveWindow(g_app.cadWindow);
    return 1;
}

} // namespace

void ExpandDirectoryMacro(char* program) {
    char prefix[kPathSize];
    char key[kPathSize];
    char tail[kPathSize];
    char work[kPathSize];
    CopyText(work, sizeof work, program);
    if (!SplitDirectoryMacro(work, prefix, key, tail)) {
        return;
    }
    char value[kCommandSize];
    ReadDirectoryValue(key, value, sizeof value);
    FormatText(program, kPathSize, "%s%s%s", prefix, value, tail);
}

int ExecuteMenuItem(int index, HWND owner, WPARAM keyFlags, const std::vector<MenuItem>& items) {
    if (index < 0 || index >= static_cast<int>(items.size())) {
        return 0;
    }
    const MenuItem& item = items[index];
    const char* keys[kMaxExternalPrograms];
    for (int i = 0; i < g_app.externalCount; ++i) {
        keys[i] = g_app.externalPrograms[i].key;
    }
    char text[1028];
    int slot = -1;
    switch (RouteMenuItem(item, (keyFlags & MK_CONTROL) != 0, keys, g_app.externalCount, &slot,
                          text, sizeof text)) {
    case ItemRoute::Dialog:
        // Modal; the menu may have ended meanwhile: the item is not used after it.
        ShowCommandsDialog(item.dialogKind, owner);
        return 1;
    case ItemRoute::Function:
        item.libraryFunction();
        return 0;
    case ItemRoute::Nothing:
        return 0;
    case ItemRoute::Exec:
        return StartExecProgram(text);
    case ItemRoute::External:
        SendCadCommand(text, g_app.externalPrograms[slot].conversation);
        return 1;
    case ItemRoute::Alternate:
    case ItemRoute::Cad:
        SetActiveWindow(g_app.cadWindow);
        SendCadCommand(text, g_app.cadLink.conversation);
        return 1;
    }
    return 0;
}
