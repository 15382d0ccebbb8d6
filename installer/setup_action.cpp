// The package's custom action (VXSETUP.DLL, kept in the package's Binary
// table): after the files are in place it makes the setup file VXCAD.ini
// from the installed default when none is there yet, puts the package
// folder into it when it names none, and writes the office's settings given
// as public properties. It never runs on removal, so VXCAD.ini stays.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <cstdio>

#include "installer/setup_action_data.h"

namespace {

constexpr char kBadData[] = "VX のインストール: 設定の受け渡しに失敗しました（[1]）。";
constexpr char kBadFolder[] =
    "VX のインストール先 [1] は使えません。VXCAD.EXE は自分のパスの最初の「.」までを起動設定"
    "ファイルの名前に使うため、フォルダー名に「.」を含むパスでは動きません。また、パスは 239 "
    "バイト以内にしてください。INSTALLDIR で別のフォルダーを指定してください。";
constexpr char kNoSetupFile[] = "VX の起動設定ファイル [1] を作れませんでした。";
constexpr char kNoSetting[] = "VX の起動設定ファイル [1] に [2] を書き込めませんでした。";

// Logs and shows (unless the installation is silent) one error; the
// installation then rolls back.
UINT Fail(MSIHANDLE install, const char* text, const char* first, const char* second = "") {
    MSIHANDLE record = MsiCreateRecord(2);
    MsiRecordSetStringA(record, 0, text);
    MsiRecordSetStringA(record, 1, first);
    MsiRecordSetStringA(record, 2, second);
    MsiProcessMessage(install, INSTALLMESSAGE(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR), record);
    MsiCloseHandle(record);
    return ERROR_INSTALL_FAILURE;
}

} // namespace

extern "C" __declspec(dllexport) UINT __stdcall WriteSetupFile(MSIHANDLE install) {
    static wchar_t wide[2048];
    static char text[4096];
    DWORD size = sizeof(wide) / sizeof(wide[0]);
    BOOL lossy = FALSE;
    if (MsiGetPropertyW(install, L"CustomActionData", wide, &size) != ERROR_SUCCESS ||
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, &lossy) == 0) {
        return Fail(install, kBadData, "CustomActionData");
    }
    static SetupActionData data;
    // A character outside the ANSI code page could not be read by the programs.
    if (lossy || !ParseSetupActionData(text, &data)) {
        return Fail(install, kBadData, text);
    }
    if (!PackageDirUsable(data.packageDir)) {
        return Fail(install, kBadFolder, data.packageDir);
    }
    char setupPath[MAX_PATH];
    char defaultPath[MAX_PATH];
    snprintf(setupPath, sizeof(setupPath), "%s\\VXCAD.ini", data.packageDir);
    snprintf(defaultPath, sizeof(defaultPath), "%s\\DOCS\\VXCAD-default.ini", data.packageDir);
    if (!CopyFileA(defaultPath, setupPath, TRUE) && GetLastError() != ERROR_FILE_EXISTS) {
        return Fail(install, kNoSetupFile, setupPath);
    }
    char current[2];
    GetPrivateProfileStringA("REGISTRY", "PKGDIR", "", current, sizeof(current), setupPath);
    if (current[0] == '\0' &&
        !WritePrivateProfileStringA("REGISTRY", "PKGDIR", data.packageDir, setupPath)) {
        return Fail(install, kNoSetting, setupPath, "PKGDIR");
    }
    for (int i = 0; i < kOfficeSettingCount; ++i) {
        const OfficeSetting& setting = kOfficeSettings[i];
        if (data.values[i][0] != '\0' &&
            !WritePrivateProfileStringA(setting.section, setting.key, data.values[i], setupPath)) {
            return Fail(install, kNoSetting, setupPath, setting.key);
        }
    }
    return ERROR_SUCCESS;
}
