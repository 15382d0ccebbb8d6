// The Windows Installer package, installed silently through the installer's
// own API: per user (files, shortcut, installed-programs entry), upgraded by
// a package one version higher that keeps what users changed and wrote, a
// downgrade refused, removal leaving the users' files; per machine into a
// given folder with the office's settings.
#include <gtest/gtest.h>

#include "tests/wine/support/win_test_support.h"

// The installation contexts of Windows Installer 3.0 (the build targets XP).
#define _WIN32_MSI 300
#include <msi.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace {

const wchar_t kUpgradeCode[] = L"{6C1D3B52-8E0A-4F7B-9D21-5A7C2E4F1B93}";

std::wstring Wide(const std::string& text) {
    wchar_t buffer[2048];
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, 2048);
    return n > 0 ? buffer : L"";
}

std::string Narrow(const wchar_t* text) {
    char buffer[2048];
    int n = WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return n > 0 ? buffer : "";
}

// The error messages the installer gave during one call.
std::vector<std::string> g_errors;

int WINAPI CollectErrors(void*, UINT type, LPCWSTR message) {
    if ((type & 0xFF000000) == INSTALLMESSAGE_ERROR && message != nullptr) {
        g_errors.push_back(Narrow(message));
    }
    return 0;
}

// Installs a package with these public properties, silently unless a user
// interface level is given; its result.
UINT Install(const char* package, const std::string& properties = "",
             INSTALLUILEVEL level = INSTALLUILEVEL_NONE) {
    g_errors.clear();
    MsiSetInternalUI(level, nullptr);
    MsiSetExternalUIW(CollectErrors, INSTALLLOGMODE_ERROR, nullptr);
    return MsiInstallProductW(Wide(package).c_str(), Wide(properties).c_str());
}

// The product code of the installed VX, or "" when none is.
std::wstring InstalledProduct() {
    wchar_t code[39];
    return MsiEnumRelatedProductsW(kUpgradeCode, 0, 0, code) == ERROR_SUCCESS ? code : L"";
}

UINT Remove(const std::wstring& product) {
    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    return MsiConfigureProductW(product.c_str(), INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT);
}

void RemoveEveryVX() {
    for (std::wstring product = InstalledProduct(); !product.empty();
         product = InstalledProduct()) {
        if (Remove(product) != ERROR_SUCCESS) {
            break;
        }
    }
}

// A property of the product installed in this context ("" if there is none).
std::string ProductInfo(const std::wstring& product, MSIINSTALLCONTEXT context,
                        const wchar_t* property) {
    wchar_t value[MAX_PATH] = L"";
    DWORD size = MAX_PATH;
    if (MsiGetProductInfoExW(product.c_str(), nullptr, context, property, value, &size) !=
        ERROR_SUCCESS) {
        return "";
    }
    return Narrow(value);
}

std::string Folder(int csidl) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct Shortcut {
    std::string target;
    std::string workingDir;
    std::string icon;
};

// Reads a shortcut file through the shell's own interface.
bool ReadShortcut(const std::string& path, Shortcut* shortcut) {
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    bool read = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(Wide(path).c_str(), STGM_READ))) {
        wchar_t text[MAX_PATH];
        int index = 0;
        read = SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0));
        shortcut->target = Narrow(text);
        read = read && SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH));
        shortcut->workingDir = Narrow(text);
        read = read && SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &index));
        shortcut->icon = Narrow(text);
    }
    if (file != nullptr) {
        file->Release();
    }
    if (link != nullptr) {
        link->Release();
    }
    CoUninitialize();
    return read;
}

const char kShortcutName[] = "\\VX ランチャー.lnk";
// What the programs and the users write into the package folder.
const char* const kUserFiles[] = {"VXMENU\\VXMENU32.INI", "VXMENU\\VXMENU32.dsp", "SYSTEM.DAT",
                                  "ARCH\\ARCH.INI"};
const char* const kPackageFiles[] = {
    "VXCAD.EXE",           "VXMENU\\VXMENU32.EXE", "VXMENU\\vxmstart.arx",   "VXMENU\\VXUTY.arx",
    "TOOLS\\VXMCHECK.EXE", "DOCS\\admin-guide.md", "DOCS\\VXCAD-default.ini"};

void ExpectInstalledFiles(const std::string& dir) {
    for (const char* file : kPackageFiles) {
        EXPECT_TRUE(Exists(dir + "\\" + file)) << file;
    }
    EXPECT_EQ(ReadTextFile(dir + "\\VXMENU\\VXMENU32.EXE"),
              ReadTextFile(DistDir() + "\\VXMENU\\VXMENU32.EXE"));
    EXPECT_EQ(ReadIniValue(dir + "\\VXCAD.ini", "REGISTRY", "PKGDIR"), dir);
}

void ExpectShortcut(const std::string& programsDir, const std::string& dir) {
    Shortcut shortcut;
    ASSERT_TRUE(ReadShortcut(programsDir + kShortcutName, &shortcut));
    EXPECT_EQ(lstrcmpiA(shortcut.target.c_str(), (dir + "\\VXCAD.EXE").c_str()), 0)
        << shortcut.target;
    std::string workingDir = shortcut.workingDir;
    if (!workingDir.empty() && workingDir.back() == '\\') {
        workingDir.pop_back();
    }
    EXPECT_EQ(lstrcmpiA(workingDir.c_str(), dir.c_str()), 0) << shortcut.workingDir;
    EXPECT_TRUE(Exists(shortcut.icon)) << shortcut.icon;
}

TEST(Installer, PerUserUpgradeKeepsWhatUsersWroteAndRemovalLeavesIt) {
    RemoveEveryVX();
    const std::string dir = Folder(CSIDL_LOCAL_APPDATA) + "\\Programs\\VX";
    RemoveTree(dir);

    ASSERT_EQ(Install(VX_PACKAGE), static_cast<UINT>(ERROR_SUCCESS));
    const std::wstring first = InstalledProduct();
    ASSERT_FALSE(first.empty());
    const MSIINSTALLCONTEXT user = MSIINSTALLCONTEXT_USERUNMANAGED;
    EXPECT_EQ(ProductInfo(first, user, L"VersionString"), VX_VERSION);
    EXPECT_EQ(ProductInfo(first, user, L"InstalledProductName"), "VX");
    EXPECT_EQ(ProductInfo(first, user, L"Publisher"), "VX Project");
    EXPECT_TRUE(Exists(ProductInfo(first, user, L"ProductIcon")));
    EXPECT_EQ(ProductInfo(first, user, L"InstallLocation"), dir + "\\");
    ExpectInstalledFiles(dir);
    ExpectShortcut(Folder(CSIDL_PROGRAMS), dir);

    // What an administrator, the programs and a CAD package leave there; a
    // program made stale, which the upgrade must replace.
    const std::string setup = dir + "\\VXCAD.ini";
    ASSERT_TRUE(WritePrivateProfileStringA("REGISTRY", "PFNAME", "事務所", setup.c_str()));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, setup.c_str());
    const std::string edited = ReadTextFile(setup);
    CreateDirectoryA((dir + "\\ARCH").c_str(), nullptr);
    for (const char* file : kUserFiles) {
        WriteTextFile(dir + "\\" + file, std::string(file) + "\r\n");
    }
    WriteTextFile(dir + "\\VXMENU\\VXMENU32.EXE", "stale");

    ASSERT_EQ(Install(VX_UPGRADE_PACKAGE), static_cast<UINT>(ERROR_SUCCESS));
    const std::wstring second = InstalledProduct();
    EXPECT_NE(second, first);
    EXPECT_EQ(MsiQueryProductStateW(first.c_str()), INSTALLSTATE_UNKNOWN);
    EXPECT_EQ(ProductInfo(second, user, L"VersionString"), VX_UPGRADE_VERSION);
    ExpectInstalledFiles(dir);
    EXPECT_EQ(ReadTextFile(setup), edited);
    for (const char* file : kUserFiles) {
        EXPECT_EQ(ReadTextFile(dir + "\\" + file), std::string(file) + "\r\n") << file;
    }

    // The refusal is shown (Wine's installer gives it to no external handler).
    MessageBoxAnswerer answerer({"Install Failed"});
    EXPECT_NE(Install(VX_PACKAGE, "", INSTALLUILEVEL_BASIC), static_cast<UINT>(ERROR_SUCCESS));
    std::vector<ShownMessage> shown = answerer.Finish();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "より新しいバージョンの VX がインストールされています。"
                             "このバージョンはインストールできません。");
    EXPECT_EQ(InstalledProduct(), second);

    ASSERT_EQ(Remove(second), static_cast<UINT>(ERROR_SUCCESS));
    EXPECT_TRUE(InstalledProduct().empty());
    for (const char* file : kPackageFiles) {
        EXPECT_FALSE(Exists(dir + "\\" + file)) << file;
    }
    EXPECT_FALSE(Exists(Folder(CSIDL_PROGRAMS) + kShortcutName));
    EXPECT_EQ(ReadTextFile(setup), edited);
    for (const char* file : kUserFiles) {
        EXPECT_TRUE(Exists(dir + "\\" + file)) << file;
    }
    RemoveTree(dir);
}

TEST(Installer, PerMachineIntoTheGivenFolderWithTheOfficesSettings) {
    RemoveEveryVX();
    const std::string dir = MakeTestDir("VX 事務所");
    // The launcher cuts its own path at the first '.': such a folder is refused.
    EXPECT_NE(Install(VX_PACKAGE, "ALLUSERS=1 INSTALLDIR=\"" + dir + "\\VX 1.0\""),
              static_cast<UINT>(ERROR_SUCCESS));
    EXPECT_TRUE(InstalledProduct().empty());
    ASSERT_EQ(g_errors.size(), 1u);
    EXPECT_NE(g_errors[0].find(dir + "\\VX 1.0 は使えません。"), std::string::npos) << g_errors[0];

    ASSERT_EQ(Install(VX_PACKAGE, "ALLUSERS=1 INSTALLDIR=\"" + dir +
                                      "\" ACAD16DIR=\"C:\\CAD 2004\" PFNAME=\"VX建築\""),
              static_cast<UINT>(ERROR_SUCCESS));
    const std::wstring product = InstalledProduct();
    EXPECT_EQ(ProductInfo(product, MSIINSTALLCONTEXT_MACHINE, L"VersionString"), VX_VERSION);
    ExpectInstalledFiles(dir);
    // Windows puts it into every user's start menu, Wine's installer into the
    // installing user's.
    std::string programs = Folder(CSIDL_COMMON_PROGRAMS);
    if (!Exists(programs + kShortcutName)) {
        programs = Folder(CSIDL_PROGRAMS);
    }
    ExpectShortcut(programs, dir);
    const std::string setup = dir + "\\VXCAD.ini";
    EXPECT_EQ(ReadIniValue(setup, "DIRECTORY", "ACAD16DIR"), "C:\\CAD 2004");
    EXPECT_EQ(ReadIniValue(setup, "REGISTRY", "PFNAME"), "VX建築");
    EXPECT_EQ(ReadIniValue(setup, "VXMENU", "VXMENUFLG"), "1");

    // The upgrade finds the folder of the installed version by itself and
    // keeps the office's settings.
    ASSERT_EQ(Install(VX_UPGRADE_PACKAGE, "ALLUSERS=1"), static_cast<UINT>(ERROR_SUCCESS));
    EXPECT_EQ(MsiQueryProductStateW(product.c_str()), INSTALLSTATE_UNKNOWN);
    const std::wstring upgraded = InstalledProduct();
    EXPECT_EQ(ProductInfo(upgraded, MSIINSTALLCONTEXT_MACHINE, L"VersionString"),
              VX_UPGRADE_VERSION);
    ExpectInstalledFiles(dir);
    EXPECT_EQ(ReadIniValue(setup, "REGISTRY", "PFNAME"), "VX建築");

    ASSERT_EQ(Remove(upgraded), static_cast<UINT>(ERROR_SUCCESS));
    EXPECT_FALSE(Exists(dir + "\\VXCAD.EXE"));
    EXPECT_FALSE(Exists(programs + kShortcutName));
    EXPECT_TRUE(Exists(setup));
}

} // namespace
