// The installer action's data: the package folder and the office's settings
// split from one text, double-byte aware; folders the launcher cannot use.
#include <gtest/gtest.h>

#include <string>

#include "installer/setup_action_data.h"

namespace {

TEST(SetupActionData, SplitsFolderAndSettingsKeepingDoubleByteCharacters) {
    SetupActionData data;
    // "ポ" is 0x83 0x7C: its second byte is a '|'. The last field may hold '|'.
    ASSERT_TRUE(ParseSetupActionData("C:\\VX ポ\\||||D:\\CAD ポ|テンプレート.dwt|A|B", &data));
    EXPECT_STREQ(data.packageDir, "C:\\VX ポ");
    EXPECT_STREQ(data.values[0], "");
    EXPECT_STREQ(data.values[3], "D:\\CAD ポ");
    EXPECT_STREQ(data.values[4], "テンプレート.dwt");
    EXPECT_STREQ(data.values[5], "A|B");
    // "ソ" ends in 0x5C, which is no folder separator there.
    ASSERT_TRUE(ParseSetupActionData("C:\\ソ||||||", &data));
    EXPECT_STREQ(data.packageDir, "C:\\ソ");
}

TEST(SetupActionData, RefusesMissingFieldsEmptyFolderAndOverlongValues) {
    SetupActionData data;
    EXPECT_FALSE(ParseSetupActionData("C:\\VX|||||", &data));
    EXPECT_FALSE(ParseSetupActionData("\\||||||", &data));
    std::string text = "C:\\VX|||||" + std::string(kSetupValueSize, 'a') + "|";
    EXPECT_FALSE(ParseSetupActionData(text.c_str(), &data));
    text = "C:\\VX|||||" + std::string(kSetupValueSize - 1, 'a') + "|";
    EXPECT_TRUE(ParseSetupActionData(text.c_str(), &data));
}

TEST(SetupActionData, FolderWithADotOrTooLongForTheMenuPathsIsUnusable) {
    EXPECT_TRUE(PackageDirUsable("C:\\Users\\taro\\AppData\\Local\\Programs\\VX"));
    EXPECT_FALSE(PackageDirUsable("C:\\Users\\taro.yamada\\AppData\\Local\\Programs\\VX"));
    // dir + "\VXMENU\VXMENU32.INI" (20 bytes) must fit 260 bytes with its NUL.
    EXPECT_TRUE(PackageDirUsable(("C:\\" + std::string(236, 'a')).c_str()));
    EXPECT_FALSE(PackageDirUsable(("C:\\" + std::string(237, 'a')).c_str()));
}

} // namespace
