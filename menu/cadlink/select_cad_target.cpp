#include "menu/cadlink/cad_link.h"

#include "menu/app/menu_config.h"
#include "menu/cadlink/cad_target_table.h"
#include "menu/strutil/sjis_text.h"

int SelectCadTarget() {
    g_app.cadCommand[0] = '\0';
    g_app.ddeService[0] = '\0';
    g_app.ddeTopic[0] = '\0';
    g_app.captionPrefix1[0] = '\0';
    g_app.captionPrefix2[0] = '\0';
    for (const CadTarget& target : kCadTargetTable) {
        ReadDirectoryValue(target.key, g_app.cadCommand, target.valueSize);
        if (g_app.cadCommand[0] == '\0') {
            continue;
        }
        CopyText(g_app.ddeService, sizeof g_app.ddeService, target.ddeService);
        CopyText(g_app.ddeTopic, sizeof g_app.ddeTopic, target.ddeTopic);
        CopyText(g_app.captionPrefix1, sizeof g_app.captionPrefix1, target.captionPrefix1);
        CopyText(g_app.captionPrefix2, sizeof g_app.captionPrefix2, target.captionPrefix2);
        g_app.canRestartFromCad = target.canRestartFromCad;
        return 1;
    }
    return 0;
}
