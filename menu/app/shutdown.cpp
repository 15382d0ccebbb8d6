#include "menu/app/app_state.h"
#include "menu/app/startup.h"
#include "menu/cadlink/cad_link.h"

void EndDdeLinks() {
    // Also a link whose partner ended the conversation: its names go back.
    DisconnectDde(&g_app.cadLink);
    for (ExternalProgram& program : g_app.externalPrograms) {
        DisconnectDde(&program);
    }
    if (g_app.ddeInstance) {
        DdeUninitialize(g_app.ddeInstance);
        g_app.ddeInstance = 0;
    }
}

void CloseLinks() {
    for (ExternalProgram& program : g_app.externalPrograms) {
        if (program.conversation) {
            SendCadCommand(program.exitCommand, program.conversation);
        }
    }
    EndDdeLinks();
}
