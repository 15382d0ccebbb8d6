#include "menu/cadlink/cad_link.h"

#include "menu/app/startup_messages.h"
#include "menu/cadlink/cad_target_table.h"
#include "menu/strutil/sjis_text.h"

#include <cstring>

namespace {

// The system's text for a failed WM_COPYDATA, under "Error(SD-02)"; the
// error number when the system has no text for it.
void ShowSystemError(DWORD error) {
    char* text = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0x400, reinterpret_cast<char*>(&text), 0, nullptr);
    if (length > 0 && text != nullptr) {
        MessageBoxA(nullptr, text, "Error(SD-02)", MB_ICONINFORMATION);
    } else {
        char number[16];
        FormatText(number, sizeof number, "%lu", static_cast<unsigned long>(error));
        MessageBoxA(nullptr, number, "Error(SD-02)", MB_ICONINFORMATION);
    }
    if (text != nullptr) {
        LocalFree(text);
    }
}

} // namespace

void SendCadCommand(const char* text, HCONV conversation) {
    if (text == nullptr) {
        return;
    }
    const DWORD length = static_cast<DWORD>(strlen(text)) + 1; // the NUL goes too
    if (conversation != nullptr) {
        SetForegroundWindow(g_app.cadWindow);
        DWORD result = 0;
        DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(text)), length, conversation,
                             nullptr, 0, XTYP_EXECUTE, 1000, &result);
        return;
    }
    if (!UsesCopyData(g_app.captionPrefix1, g_app.captionPrefix2)) {
        return; // this target takes no command text
    }
    COPYDATASTRUCT data{1, length, const_cast<char*>(text)};
    SetForegroundWindow(g_app.cadWindow);
    SetLastError(0);
    LRESULT accepted =
        SendMessageA(g_app.cadWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    if (accepted != 0) {
        SetActiveWindow(g_app.cadWindow);
        return;
    }
    DWORD error = GetLastError();
    MessageBoxA(nullptr, "コマンドを発行できません。(SD-01)", kMenuCaption, MB_OK);
    ShowSystemError(error);
}
