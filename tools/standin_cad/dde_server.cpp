#include "tools/standin_cad/dde_server.h"

#include <windows.h>
#include <dde.h>
#include <ddeml.h>

#include <string>
#include <vector>

namespace {

DWORD g_instance = 0;
HSZ g_service = nullptr;
HSZ g_topic = nullptr;
std::string g_serviceName;
DdeLogger g_log = nullptr;
std::vector<HCONV> g_conversations;

HDDEDATA CALLBACK ServerCallback(UINT type, UINT, HCONV conversation, HSZ hsz1, HSZ hsz2,
                                 HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    switch (type) {
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(DdeCmpStringHandles(hsz1, g_topic) == 0 &&
                                          DdeCmpStringHandles(hsz2, g_service) == 0);
    case XTYP_CONNECT_CONFIRM:
        g_conversations.push_back(conversation);
        g_log("CONNECT", g_serviceName);
        return nullptr;
    case XTYP_DISCONNECT:
        // Logged once: a conversation this side ended is no longer listed.
        for (size_t i = 0; i < g_conversations.size(); ++i) {
            if (g_conversations[i] == conversation) {
                g_conversations.erase(g_conversations.begin() + i);
                g_log("DISCONNECT", g_serviceName);
                break;
            }
        }
        return nullptr;
    case XTYP_EXECUTE: {
        DWORD size = DdeGetData(data, nullptr, 0, 0);
        std::string bytes(size, '\0');
        if (size > 0) {
            DdeGetData(data, reinterpret_cast<BYTE*>(&bytes[0]), size, 0);
        }
        g_log("DDE", bytes);
        return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    default:
        return nullptr;
    }
}

// Ends one conversation from the server's side. Where DdeDisconnect leaves a
// server conversation open (Wine implements it for clients only), the DDE
// protocol's terminate message is posted to the client directly.
void EndConversation(HCONV conversation) {
    CONVINFO info{};
    info.cb = sizeof info;
    const bool known = DdeQueryConvInfo(conversation, QID_SYNC, &info) != 0;
    DdeDisconnect(conversation);
    CONVINFO after{};
    after.cb = sizeof after;
    if (known && DdeQueryConvInfo(conversation, QID_SYNC, &after) != 0 &&
        (after.wStatus & ST_CONNECTED) != 0) {
        PostMessageA(info.hwndPartner, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(info.hwnd), 0);
    }
}

} // namespace

int StartDdeServer(const char* service, const char* topic, DdeLogger log) {
    g_serviceName = service;
    g_log = log;
    if (DdeInitializeA(&g_instance, ServerCallback,
                       APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_REQUESTS | CBF_FAIL_POKES |
                           CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS,
                       0) != DMLERR_NO_ERROR) {
        return 0;
    }
    g_service = DdeCreateStringHandleA(g_instance, service, CP_WINANSI);
    g_topic = DdeCreateStringHandleA(g_instance, topic, CP_WINANSI);
    return DdeNameService(g_instance, g_service, nullptr, DNS_REGISTER) != nullptr;
}

void EndDdeConversations() {
    std::vector<HCONV> open = g_conversations;
    g_conversations.clear();
    for (HCONV conversation : open) {
        EndConversation(conversation);
        g_log("DISCONNECT", g_serviceName); // the partner's end: no callback for our own
    }
}

void StopDdeServer() {
    if (g_instance == 0) {
        return;
    }
    EndDdeConversations();
    DdeNameService(g_instance, g_service, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(g_instance, g_service);
    DdeFreeStringHandle(g_instance, g_topic);
    DdeUninitialize(g_instance);
    g_instance = 0;
}
