// The launcher's CAD registry work in this process, against a registry
// seeded by regedit: the installation check, finding or making the package
// profile from the base profile and the script, the messages, and Active
// Assistance. Each test has its own CAD release key.
#include <gtest/gtest.h>

#include "launcher/cad_profile.h"
#include "launcher/launcher_settings.h"
#include "launcher/profile_script.h"
#include "tests/wine/support/win_test_support.h"

#include <sddl.h>

namespace {

const char* const kBase = "<<名前のないプロファイル>>";

class LauncherRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        dir = MakeTestDir(name);
        release = "R16.0-" + name;
        cadKey = "Software\\Autodesk\\AutoCAD\\" + release;
        profiles = cadKey + "\\ACAD-201:411\\Profiles";
        setupPath = dir + "\\VXCAD.ini";
        g_settings = LauncherSettings{};
        g_settings.setupPath = setupPath;
        g_settings.acadVersion = release;
        g_settings.acadType = "ACAD-201:411";
        g_settings.baseProfile = kBase;
        g_settings.seriesText = "AutoCAD 2004 Serise";
        WriteSetup("");
    }
    void TearDown() override {
        DeleteRegistryTree(HKEY_CURRENT_USER, cadKey);
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, cadKey);
    }

    void WriteSetup(const std::string& more) {
        WriteTextFile(setupPath, "[REGISTRY]\r\nPFNAME=VXプロ\r\nPKGDIR=C:\\PKG\r\n" + more);
    }
    // Seeds the product key and the given keys: "$" stands for the user's
    // HKEY_CURRENT_USER\...\<release>\ACAD-201:411, "#" for its base profile
    // (no trail byte is '$' or '#').
    void Seed(const std::string& keys) {
        std::string text = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\" + cadKey +
                           "\\ACAD-201:411]\r\n\"ProductName\"=\"AutoCAD 2004\"\r\n\r\n";
        std::string prefix = "HKEY_CURRENT_USER\\" + cadKey + "\\ACAD-201:411";
        for (char c : keys) {
            text += c == '$'   ? prefix
                    : c == '#' ? prefix + "\\Profiles\\" + kBase
                               : std::string(1, c);
        }
        ASSERT_TRUE(SeedRegistry(dir, text));
    }
    int Prepare(std::vector<ShownMessage>* shown, size_t boxes) {
        std::vector<std::string> captions(boxes, "AutoCAD 2004 Serise" + std::string(kCaption));
        MessageBoxAnswerer answerer(captions);
        int result = PrepareCadProfile(setupPath.c_str());
        *shown = answerer.Finish();
        return result;
    }
    std::string Own(const std::string& rest) { return profiles + "\\VXプロ\\" + rest; }

    static constexpr const char* kCaption = "の初期設定が済んでいません";
    std::string dir, release, cadKey, profiles, setupPath;
};

TEST_F(LauncherRegistryTest, MakesTheProfileFromTheBaseChangedByTheScript) {
    Seed("[#]\r\n\"Top\"=\"not copied\"\r\n[#\\General]\r\n\"Paths\"=\"A;B\"\r\n"
         "\"Count\"=dword:00000002\r\n\"Keep\"=dword:00000007\r\n\"Layout\"=hex:01,02\r\n"
         "\"Exp\"=hex(2):41,00\r\n[#\\General\\Sub]\r\n\"T\"=\"t\"\r\n\"N\"=dword:00000003\r\n"
         "[#\\General\\Sub\\Deep]\r\n\"D\"=\"d\"\r\n");
    // Values the regedit text cannot hold: a long name and text, and a text
    // stored without its terminating zero.
    HKEY general = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (profiles + "\\" + kBase + "\\General").c_str(), 0,
                            KEY_ALL_ACCESS, &general),
              ERROR_SUCCESS);
    const std::string longName(1500, 'N'), longText(5000, 'T');
    RegSetValueExA(general, longName.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(longText.c_str()), longText.size() + 1);
    RegSetValueExA(general, "NoZero", 0, REG_SZ, reinterpret_cast<const BYTE*>("xyz"), 3);
    RegCloseKey(general);
    WriteSetup("[PATHS]\r\nSUP=<REGISTRY:PKGDIR>\\SUP\r\n"
               "[REG-General]\r\nPaths=<PATHS:SUP>;+\r\nCount=0x00000005\r\nKeep=5\r\n"
               "Layout=changed\r\nExp=changed\r\n"
               "Extra=on <PATHS:SUP>\r\nNum=0x0000000A\r\nNone=\r\n"
               "[REG-Sub]\r\nT=changed\r\n[REG-Missing]\r\nX=1\r\n");

    std::vector<ShownMessage> shown;
    EXPECT_EQ(Prepare(&shown, 0), 1);
    EXPECT_EQ(g_settings.seriesText, "AutoCAD 2004"); // the product's name from now on

    std::string general2 = Own("General");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, general2, "Paths"), "C:\\PKG\\SUP;A;B");
    EXPECT_EQ(RegistryNumber(HKEY_CURRENT_USER, general2, "Count"), 5u);
    EXPECT_EQ(RegistryNumber(HKEY_CURRENT_USER, general2, "Keep"), 7u);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, general2, "Extra"), "on C:\\PKG\\SUP");
    EXPECT_EQ(RegistryNumber(HKEY_CURRENT_USER, general2, "Num"), 10u);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, general2, longName.c_str()), longText);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, general2, "NoZero"), "xyz");
    for (const char* name : {"Layout", "Exp", "None"}) {
        EXPECT_EQ(RegistryType(HKEY_CURRENT_USER, general2, name), 0u) << name;
    }
    EXPECT_EQ(RegistryType(HKEY_CURRENT_USER, profiles + "\\VXプロ", kUnfinishedProfileMark), 0u);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, Own("General\\Sub"), "T"), "t");
    EXPECT_EQ(RegistryNumber(HKEY_CURRENT_USER, Own("General\\Sub"), "N"), 3u);
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, Own("General\\Sub\\Deep")));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, Own("Missing")));
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, profiles + "\\VXプロ", "Top"), "<absent>");
    // The base profile is only read.
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, profiles + "\\" + kBase + "\\General", "Paths"),
              "A;B");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, profiles + "\\" + kBase + "\\General", "Extra"),
              "<absent>");
}

TEST_F(LauncherRegistryTest, ExistingProfileInAnyCaseIsKeptAndAMissingBaseIsStillNamed) {
    Seed("[$\\Profiles\\vxプロ\\General]\r\n\"Paths\"=\"mine\"\r\n");
    WriteSetup("[REG-General]\r\nPaths=changed\r\n");
    std::vector<ShownMessage> shown;
    EXPECT_EQ(Prepare(&shown, 1), 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "参照先ﾌﾟﾛﾌｧｲﾙ <<名前のないプロファイル>> が見つかりません\n\n"
                             "AutoCAD 2004 Seriseを単体で起動すると\n自動的に初期設定が行われます");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, profiles + "\\vxプロ\\General", "Paths"), "mine");

    // Full-width letters in another case name the same key by the registry's rules.
    Seed("[$\\Profiles\\ＶＸ名\\General]\r\n\"Paths\"=\"wide\"\r\n");
    WriteTextFile(setupPath, "[REGISTRY]\r\nPFNAME=ｖｘ名\r\n");
    g_settings.seriesText = "AutoCAD 2004 Serise"; // the captions' label again
    EXPECT_EQ(Prepare(&shown, 1), 1);
    EXPECT_EQ(shown.size(), 1u); // the base is still missing
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, profiles + "\\ＶＸ名\\General", "Paths"), "wide");
}

TEST_F(LauncherRegistryTest, NoProfileAndNoBaseWithTheAcadOnlyHint) {
    Seed("[$\\Profiles\\Other]\r\n");
    g_settings.acadOnly = 1;
    std::vector<ShownMessage> shown;
    EXPECT_EQ(Prepare(&shown, 1), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "参照先ﾌﾟﾛﾌｧｲﾙ <<名前のないプロファイル>> が見つかりません\n\n"
                             "AutoCAD 2004 Serise内の AutoCAD 単体を起動すると\n"
                             "自動的に初期設定が行われます");
}

TEST_F(LauncherRegistryTest, ProductOrProfilesKeyMissing) {
    std::vector<ShownMessage> shown;
    EXPECT_EQ(Prepare(&shown, 1), 0); // nothing seeded
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "AutoCAD 2004 Seriseが正常にインストールされていません");

    Seed(""); // the product, but no profiles
    EXPECT_EQ(Prepare(&shown, 1), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "AutoCAD 2004 Seriseを単体で起動すると\n自動的に初期設定が行われます");
}

TEST_F(LauncherRegistryTest, WhatCannotBeReadIsPassedOverAndAnUnfinishedCopyIsMadeAgain) {
    std::string locked = profiles + "\\" + kBase + "\\Locked";
    Seed("[#\\General]\r\n\"A\"=\"a\"\r\n[#\\Locked]\r\n\"B\"=\"b\"\r\n");
    HKEY general = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (profiles + "\\" + kBase + "\\General").c_str(), 0,
                            KEY_ALL_ACCESS, &general),
              ERROR_SUCCESS);
    RegSetValueExA(general, "Short", 0, REG_DWORD, reinterpret_cast<const BYTE*>("\1\2\3"), 3);
    RegCloseKey(general);
    // The base's subkey Locked refuses to be read.
    auto setDacl = [&](const char* sddl) {
        PSECURITY_DESCRIPTOR sd = nullptr;
        HKEY key = nullptr;
        ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd,
                                                                         nullptr));
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, locked.c_str(), 0, WRITE_DAC, &key),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
        RegCloseKey(key);
        LocalFree(sd);
    };
    setDacl("D:P(D;;0x1;;;WD)(A;;KA;;;WD)");
    std::vector<ShownMessage> shown;
    int result = Prepare(&shown, 0);
    setDacl("D:P(A;;KA;;;WD)");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(shown.size(), 0u);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, Own("General"), "A"), "a");
    EXPECT_EQ(RegistryType(HKEY_CURRENT_USER, Own("General"), "Short"), 0u);
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, Own("Locked")));

    // A copy cut short keeps its mark: the next start makes the profile again.
    Seed("[$\\Profiles\\VXプロ]\r\n\"" + std::string(kUnfinishedProfileMark) +
         "\"=dword:00000001\r\n[$\\Profiles\\VXプロ\\Stale]\r\n");
    EXPECT_EQ(Prepare(&shown, 0), 1);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, Own("Locked"), "B"), "b");
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, Own("Stale")));
    EXPECT_EQ(RegistryType(HKEY_CURRENT_USER, profiles + "\\VXプロ", kUnfinishedProfileMark), 0u);
}

TEST_F(LauncherRegistryTest, ActiveAssistanceIsSwitchedOffAfterTheNoteIsWritten) {
    std::string own = cadKey + "\\ACAD-201:411\\Applications\\Active Assistance";
    Seed("[$\\Applications\\Active Assistance]\r\n\"Startup\"=dword:00000001\r\n");

    // The note cannot be written: Startup stays on and the result is 0.
    EXPECT_EQ(SwitchOffAssistance((dir + "\\missing\\VXCAD.ini").c_str(), 2), 0);
    EXPECT_EQ(RegistryNumber(HKEY_CURRENT_USER, own, "Startup"), 1u);

    EXPECT_EQ(SwitchOffAssistance(setupPath.c_str(), 2), 1);
    EXPECT_EQ(RegistryNumber(HKEY_CURRENT_USER, own, "Startup"), 0u);
    EXPECT_EQ(ReadIniValue(setupPath, "VX_SETVAR", "ActiveAssistance"), "1");

    // Off already: noted as 0, the registry left alone.
    EXPECT_EQ(SwitchOffAssistance(setupPath.c_str(), 2), 1);
    EXPECT_EQ(ReadIniValue(setupPath, "VX_SETVAR", "ActiveAssistance"), "0");
    // Off already and the note cannot be written: nothing failed.
    EXPECT_EQ(SwitchOffAssistance((dir + "\\missing\\VXCAD.ini").c_str(), 2), 1);

    // Variant 1's key of its own is missing here.
    DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Autodesk\\Active Assistance");
    EXPECT_EQ(SwitchOffAssistance(setupPath.c_str(), 1), 0);
    ASSERT_TRUE(SeedRegistry(dir, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Autodesk\\"
                                  "Active Assistance]\r\n\"Startup\"=dword:00000001\r\n"));
    EXPECT_EQ(SwitchOffAssistance(setupPath.c_str(), 1), 1);
    EXPECT_EQ(RegistryNumber(HKEY_CURRENT_USER, "Software\\Autodesk\\Active Assistance", "Startup"),
              0u);
    DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Autodesk\\Active Assistance");
}

} // namespace
