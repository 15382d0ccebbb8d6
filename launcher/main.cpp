// VXCAD.EXE: what the user starts instead of the CAD program.
#include <windows.h>

#include "launcher/launcher_driver.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const char* arguments = commandLine != nullptr ? commandLine : "";
    while (*arguments == ' ' || *arguments == '\t') {
        ++arguments;
    }
    return RunLauncher(instance, arguments);
}
