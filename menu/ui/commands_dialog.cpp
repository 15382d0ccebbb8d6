#include "menu/ui/commands_dialog.h"

#include "menu/app/app_state.h"
#include "menu/cadlink/cad_link.h"
#include "menu/model/menu_model.h"
#include "menu/res/resource_ids.h"
#include "menu/strutil/sjis_text.h"
#include "menu/ui/layout_store.h"
#include "menu/ui/menu_window_ops.h"
#include "menu/ui/monitors.h"
#include "menu/ui/reset_text.h"

namespace {

// The side chosen in the open dialog: 0 right, 1 left.
int g_sideChoice = 0;
// The open dialog (the innermost, should one be opened from another menu
// window while the first is open), or nullptr.
HWND g_dialog = nullptr;

void InitDialog(HWND dialog) {
    g_dialog = dialog;
    for (const PackageEntry& package : g_packageTable) {
        SendDlgItemMessageA(dialog, IDC_PACKAGE_LIST, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(package.displayName.c_str()));
    }
    char text[2 * kPathSize + 16];
    FormatText(text, sizeof text, "%s %s", g_app.pkgName, g_app.version);
    SetDlgItemTextA(dialog, IDC_PACKAGE_NAME, text);
    SetDlgItemTextA(dialog, IDC_PACKAGE_TYPE, g_app.pkgType);
    FormatText(text, sizeof text, "%s・システム情報", g_app.pkgName);
    SetWindowTextA(dialog, text);

    g_sideChoice = g_menuSide;
    CheckRadioButton(dialog, IDC_SIDE_RIGHT, IDC_SIDE_LEFT, IDC_SIDE_RIGHT + g_sideChoice);

    // Centred on the monitor of the window whose item opened it.
    RECT own{};
    GetWindowRect(dialog, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    HWND owner = GetWindow(dialog, GW_OWNER);
    const ScreenPoint at =
        CentredOn(MonitorOfWindow(owner ? owner : g_app.topWindow), width, height);
    MoveWindow(dialog, at.x, at.y, width, height, TRUE);
}

// Sends the initialisation commands of the chosen packages to the CAD
// program, by the same road as every other command for it.
void SendResetText(HWND dialog) {
    int selected[kMaxPackages];
    LRESULT count = SendDlgItemMessageA(dialog, IDC_PACKAGE_LIST, LB_GETSELITEMS, kMaxPackages,
                                        reinterpret_cast<LPARAM>(selected));
    if (count <= 0) {
        return;
    }
    char text[kResetTextSize];
    if (BuildResetText(g_packageTable, selected, static_cast<int>(count), text) > 0) {
        SendCadCommand(text, g_app.cadLink.conversation);
    }
}

INT_PTR CALLBACK CommandsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        InitDialog(dialog);
        return TRUE;
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
    case IDC_SIDE_RIGHT:
    case IDC_SIDE_LEFT:
        g_sideChoice = LOWORD(wParam) - IDC_SIDE_RIGHT;
        CheckRadioButton(dialog, IDC_SIDE_RIGHT, IDC_SIDE_LEFT, LOWORD(wParam));
        return FALSE;
    case IDC_RESET:
        SendResetText(dialog);
        return FALSE;
    case IDOK:
        g_menuSide = g_sideChoice;
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

// Slot 0 saved afresh with the new side, then every window placed again at
// that side from memory: the layout file may not be writable.
void ApplyMenuSide() {
    if (g_app.topWindow == nullptr || g_menuTable.empty()) {
        return;
    }
    SaveLayout(0); // afresh; the mark of the save at the end stays as it was
    PlaceWindowsAgain();
}

} // namespace

void ShowCommandsDialog(int kind, HWND owner) {
    int resource = kind == 1 ? IDD_COMMANDS : IDD_COMMANDS_SHORT;
    // The windows are placed again only once the dialog has gone: closing
    // all windows may destroy the window that owns it.
    HWND outer = g_dialog;
    const INT_PTR result =
        DialogBoxParamA(g_app.instance, MAKEINTRESOURCEA(resource), owner, CommandsDialogProc, 0);
    g_dialog = outer;
    if (result == IDOK) {
        ApplyMenuSide();
    }
}

void EndCommandsDialog() {
    if (g_dialog != nullptr) {
        EndDialog(g_dialog, IDCANCEL);
    }
}
