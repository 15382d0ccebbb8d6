// The floating menu program's process-wide state.
#pragma once

#include <windows.h>
#include <ddeml.h>

#include "menu/app/app_limits.h"

// A DDE link: service and topic string handles and the conversation; 0 when absent.
struct CadLink {
    HSZ hszService;
    HSZ hszTopic;
    HCONV conversation;
};

// An external program of an EXAPDIR line. A slot whose fields are all empty
// or zero is free.
struct ExternalProgram {
    char key[kNameSize];
    char exitCommand[kNameSize];
    char path[kPathSize];
    char service[kNameSize];
    char topic[kNameSize];
    HSZ hszService;
    HSZ hszTopic;
    HCONV conversation;
};

struct AppState {
    HINSTANCE instance;
    char iniPath[kPathSize];
    char menuName[kPathSize];
    char cadWindowText[kNameSize];
    char pkgName[kPathSize];
    char version[kPathSize];
    char pkgType[kPathSize];
    long ddeConnectWaitMs;
    long acadFindWaitMs;
    char cadCommand[kCommandSize];
    char ddeService[kNameSize];
    char ddeTopic[kNameSize];
    char captionPrefix1[kNameSize];
    char captionPrefix2[kNameSize];
    int canRestartFromCad;
    DWORD ddeInstance;
    CadLink cadLink;
    ExternalProgram externalPrograms[kMaxExternalPrograms];
    int externalCount;
    HWND cadWindow;
    HWND topWindow;
    HFONT menuFont;
    int menuFontHeight;
    HWND hiddenWindows[kMaxHiddenWindows];
    int hiddenCount;
};

extern AppState g_app;
