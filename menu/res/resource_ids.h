// Resource and control identifiers of VXMENU32.EXE, shared by the resource
// script and the code (plain defines: the resource compiler reads them too).
#pragma once

#define IDI_VXMENU 101
#define IDD_COMMANDS 102       // registered-commands dialog with the reset button
#define IDD_COMMANDS_SHORT 103 // the same without it

#define IDC_PACKAGE_LIST 1000
#define IDC_PACKAGE_ICON 1001
#define IDC_RESET 1002
#define IDC_PACKAGE_NAME 1003
#define IDC_SIDE_RIGHT 1004
#define IDC_SIDE_LEFT 1005
#define IDC_PACKAGE_TYPE 1006
