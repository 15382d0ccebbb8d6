#include "cadmodules/frame/module_frame.h"

#include "cadmodules/frame/cad_adapter.h"
#include "cadmodules/frame/cad_interface.h"

int DefineLispFunctions(const CadModule& module) {
    for (int code = 1; code <= module.count; ++code) {
        if (acedDefun(module.functions[code - 1].name, code) != RTNORM) {
            return RTERROR;
        }
    }
    return RTNORM;
}

void RemoveLispFunctions(const CadModule& module) {
    for (int code = 1; code <= module.count; ++code) {
        acedUndef(module.functions[code - 1].name, code);
    }
}

void DispatchLispCall(const CadModule& module) {
    acedRetVoid();
    const int code = acedGetFunCode();
    if (code >= 1 && code <= module.count) {
        module.functions[code - 1].handler();
    }
}

extern "C" __declspec(dllexport) int acrxEntryPoint(int message, void* appId) {
    switch (message) {
    case kInitAppMsg:
        RegisterApplication(appId);
        if (g_cadModule.onInit != nullptr) {
            g_cadModule.onInit();
        }
        break;
    case kUnloadAppMsg:
        if (g_cadModule.onUnload != nullptr) {
            g_cadModule.onUnload();
        }
        break;
    case kLoadDwgMsg:
        DefineLispFunctions(g_cadModule);
        break;
    case kUnloadDwgMsg:
        RemoveLispFunctions(g_cadModule);
        break;
    case kInvkSubrMsg:
        DispatchLispCall(g_cadModule);
        break;
    default:
        break;
    }
    return kRetOK;
}

// The API version the host checks when it loads the module.
extern "C" __declspec(dllexport) int acrxGetApiVersion() {
    return VX_CAD_API_VERSION;
}
