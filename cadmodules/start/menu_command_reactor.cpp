#include "cadmodules/start/menu_command_reactor.h"

#include "cadmodules/start/menu_link.h"
#include "cadmodules/start/menu_link_text.h"

void MenuCommandReactor::commandWillStart(const char* name) {
    if (!IsMenuClosingCommand(name)) {
        return;
    }
    if (g_menuLink.menuWindow != nullptr && IsWindow(g_menuLink.menuWindow)) {
        closedForCommand_ = true;
    }
    CloseMenu();
}

void MenuCommandReactor::commandEnded(const char* name) {
    RestartAfter(name);
}

void MenuCommandReactor::commandCancelled(const char* name) {
    RestartAfter(name);
}

void MenuCommandReactor::commandFailed(const char* name) {
    RestartAfter(name);
}

void MenuCommandReactor::RestartAfter(const char* name) {
    if (IsMenuClosingCommand(name) && closedForCommand_) {
        closedForCommand_ = false;
        StartMenu();
    }
}
