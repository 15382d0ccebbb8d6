#include "menu/app/app_state.h"
#include "menu/app/startup.h"
#include "menu/cadlink/cad_link.h"

void CloseLinks() {
    for (ExternalProgram& program : g_app.externalPrograms) {
        if (program.conversation) {
            SendCadCommand(program.exitCommand, program.conversation);
        }
    }
    if (g_app.cadLink.conversation) {
        DisconnectDde(&g_app.cadLink);
    }
    for (ExternalProgram& program : g_app.externalPrograms) {
        if (program.conversation) {
            DisconnectDde(&program);
        }
    }
}
