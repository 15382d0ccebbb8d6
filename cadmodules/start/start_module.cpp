// The menu start module vxmstart.
#include "cadmodules/frame/module_frame.h"
#include "cadmodules/start/menu_command_reactor.h"
#include "cadmodules/start/menu_link.h"

#include <new>

namespace {

const LispFunction kFunctions[] = {
    {"vxminit", MenuInitFunction},
    {"vxmend", MenuEndFunction},
    {"vxmstart", MenuStartFunction},
    {"vxmcopy", MenuCopyFunction},
};

MenuCommandReactor* g_reactor = nullptr;

void OnInit() {
    RegisterPollWindowClass();
    g_reactor = new (std::nothrow) MenuCommandReactor(true);
}

void OnUnload() {
    delete g_reactor;
    g_reactor = nullptr;
    EndPollWindows();
}

} // namespace

const CadModule g_cadModule = {kFunctions, sizeof kFunctions / sizeof kFunctions[0], OnInit,
                               OnUnload};
