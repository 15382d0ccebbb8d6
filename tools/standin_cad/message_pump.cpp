#include "tools/standin_cad/message_pump.h"

bool DispatchQueuedMessages(const bool* keepGoing) {
    MSG message;
    while ((keepGoing == nullptr || *keepGoing) &&
           PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

void WaitForMessage(DWORD timeoutMs) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs, QS_ALLINPUT);
}
