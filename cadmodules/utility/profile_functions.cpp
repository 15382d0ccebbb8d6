// %writeprivateprofilestring, %getprivateprofilestring and the debug output.
#include "cadmodules/utility/utility_functions.h"

#include "cadmodules/frame/cad_interface.h"
#include "cadmodules/utility/string_args.h"

namespace {

int g_debugOutput = 0; // 1: %OutputDebugString writes; off after each load

} // namespace

int WriteProfileStringFunction() {
    const char* args[4];
    if (TakeStringArgs(4, args)) {
        WritePrivateProfileStringA(args[0], args[1], args[2], args[3]);
        acedRetT();
    }
    return RTNORM;
}

int GetProfileStringFunction() {
    const char* args[3];
    if (TakeStringArgs(3, args)) {
        char value[2048];
        GetPrivateProfileStringA(args[0], args[1], "", value, sizeof value, args[2]);
        acedRetStr(value);
    }
    return RTNORM;
}

int DebugStringFunction() {
    const char* args[1];
    if (TakeStringArgs(1, args)) {
        if (g_debugOutput) {
            OutputDebugStringA(args[0]);
        }
        acedRetT();
    }
    return RTNORM;
}

int DebugOutputOnFunction() {
    g_debugOutput = 1;
    return RTNORM;
}

int DebugOutputOffFunction() {
    g_debugOutput = 0;
    return RTNORM;
}
