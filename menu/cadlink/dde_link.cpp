#include "menu/cadlink/cad_link.h"

#include "menu/ui/menu_session.h"

#include <cstring>

namespace {

void Disconnect(HSZ* service, HSZ* topic, HCONV* conversation) {
    if (*service) {
        DdeFreeStringHandle(g_app.ddeInstance, *service);
        *service = nullptr;
    }
    if (*topic) {
        DdeFreeStringHandle(g_app.ddeInstance, *topic);
        *topic = nullptr;
    }
    if (*conversation) {
        DdeDisconnect(*conversation);
        *conversation = nullptr;
    }
}

} // namespace

HSZ CreateDdeString(const char* name) {
    return DdeCreateStringHandleA(g_app.ddeInstance, name, CP_WINANSI);
}

int ConnectDde(HSZ service, HSZ topic, HCONV* conversation) {
    if (service == nullptr || topic == nullptr) {
        return 0;
    }
    *conversation = DdeConnect(g_app.ddeInstance, service, topic, nullptr);
    return *conversation != nullptr;
}

void DisconnectDde(CadLink* link) {
    Disconnect(&link->hszService, &link->hszTopic, &link->conversation);
}

void DisconnectDde(ExternalProgram* program) {
    Disconnect(&program->hszService, &program->hszTopic, &program->conversation);
}

HDDEDATA CALLBACK DdeCallback(UINT type, UINT, HCONV conversation, HSZ, HSZ, HDDEDATA, ULONG_PTR,
                              ULONG_PTR) {
    switch (type) {
    case XTYP_ADVSTART:
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(1);
    case XTYP_DISCONNECT:
        if (conversation != nullptr && conversation == g_app.cadLink.conversation) {
            // The CAD program has ended: so does the menu.
            g_app.cadLink.conversation = nullptr;
            EndFloatingMenu(); // nothing once the top window has gone
            return nullptr;
        }
        for (int i = 0; i < g_app.externalCount; ++i) {
            ExternalProgram& program = g_app.externalPrograms[i];
            if (program.conversation != nullptr && program.conversation == conversation) {
                // A free slot that no key matches; its names go back to DDEML.
                program.conversation = nullptr;
                DisconnectDde(&program);
                memset(&program, 0, sizeof program);
            }
        }
        return nullptr;
    default:
        return nullptr;
    }
}
