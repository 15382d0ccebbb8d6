#include "menu/app/app_state.h"
#include "menu/app/external_program_line.h"
#include "menu/app/process_start.h"
#include "menu/app/startup.h"
#include "menu/app/startup_messages.h"
#include "menu/cadlink/cad_link.h"
#include "menu/strutil/line_reader.h"
#include "menu/strutil/sjis_text.h"
#include "menu/strutil/text_file.h"

#include <cstring>

namespace {

// Starts one external program and opens its conversation; 0 after its message.
int StartAndLink(ExternalProgram& slot) {
    DWORD idle = 0;
    if (!LaunchProgram(slot.path, "", &idle)) {
        ShowStartupMessage(kMsgExternalStartFailed, slot.path);
        return 0;
    }
    if (idle != 0) {
        ShowStartupMessage(kMsgExternalNotIdle, slot.path);
        return 0;
    }
    // Without a DDE instance (a CAD target without DDE) no link can be made.
    if (g_app.ddeInstance) {
        slot.hszService = CreateDdeString(slot.service);
        slot.hszTopic = CreateDdeString(slot.topic);
    }
    if (!ConnectDde(slot.hszService, slot.hszTopic, &slot.conversation)) {
        ShowStartupMessage(kMsgExternalDdeFailed, slot.path);
        return 0;
    }
    return 1;
}

// Reads the EXAPDIR lines after "[DIRECTORY]"; 0 after the first failure's message.
int StartFromFile(TextFile* file) {
    char line[kPathSize];
    bool inDirectory = false;
    while (!inDirectory && ReadTextLine(line, sizeof line, file)) {
        inDirectory = StartsWith(line, "[DIRECTORY]");
    }
    while (g_app.externalCount < kMaxExternalPrograms && ReadTextLine(line, sizeof line, file)) {
        ExternalProgramFields fields;
        ExternalLine kind = ParseExternalProgramLine(line, &fields);
        if (kind == ExternalLine::NotExternal) {
            continue;
        }
        if (kind == ExternalLine::Incomplete) {
            ShowStartupMessage(kMsgBadExternal);
            return 0;
        }
        ExternalProgram& slot = g_app.externalPrograms[g_app.externalCount];
        if (kind == ExternalLine::Defined) {
            CopyText(slot.path, sizeof slot.path, fields.path);
            CopyText(slot.service, sizeof slot.service, fields.service);
            CopyText(slot.topic, sizeof slot.topic, fields.topic);
            CopyText(slot.key, sizeof slot.key, fields.key);
            CopyText(slot.exitCommand, sizeof slot.exitCommand, fields.exitCommand);
            // The slot counts from here on, so a failure below frees its handles.
            g_app.externalCount += 1;
            if (!StartAndLink(slot)) {
                return 0;
            }
        } else {
            g_app.externalCount += 1; // an empty value keeps its slot, empty
        }
    }
    return 1;
}

} // namespace

int StartExternalPrograms() {
    g_app.externalCount = 0;
    memset(g_app.externalPrograms, 0, sizeof g_app.externalPrograms);
    TextFile* file = OpenTextFile(g_app.iniPath, kTextFileRead);
    if (file == nullptr) {
        return 1;
    }
    int result = StartFromFile(file);
    CloseTextFile(file);
    return result;
}
