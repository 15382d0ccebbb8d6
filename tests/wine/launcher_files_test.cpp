// The files the launcher writes for the floating menu, in this process: the
// lines it takes from the system list and the menu sources, and the files
// it replaces only once the new text is written whole.
#include <gtest/gtest.h>

#include "launcher/launcher_settings.h"
#include "launcher/menu_files.h"
#include "tests/wine/support/win_test_support.h"

#include <string>
#include <utility>
#include <vector>

namespace {

class LauncherFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = MakeTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        WriteTextFile(dir + "\\VXCAD.ini",
                      "[SYSTEM]\r\nA=\"" + dir + "\" A.INI 1\r\nB=\"" + dir + "\" B.INI 1\r\n");
    }
    std::string dir;
};

TEST_F(LauncherFilesTest, SystemListAndMenuSourcesEndTheirLinesAtLfToo) {
    WriteTextFile(dir + "\\A.INI", "VXMENU=a1\nx\r\nVXMENU=a\r2\r\n;VXMENU=no\nVXMENU=a3");
    WriteTextFile(dir + "\\B.INI", "VXMENU=b\n");
    WriteTextFile(dir + "\\SYSTEM.DAT", "A\nB");
    SetupFile setup((dir + "\\VXCAD.ini").c_str());
    std::vector<std::string> lines;
    ASSERT_EQ(CollectMenuLines(setup, "", dir + "\\SYSTEM.DAT", &lines), 1);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"VXMENU=a1", "VXMENU=a\r2", "VXMENU=a3", "VXMENU=b"}));
}

TEST_F(LauncherFilesTest, AFileIsReplacedOnlyWhenTheNewOneIsWrittenWhole) {
    SetupFile setup((dir + "\\VXCAD.ini").c_str());
    LauncherSettings settings;
    settings.directoryLine = "ACAD16DIR=new";
    const std::pair<std::string, std::string> files[] = {
        {dir + "\\SYSTEM.DAT", "A\r\nB\r\n"},
        {dir + "\\VXMENU32.INI", "[DIRECTORY]\r\nACAD16DIR=new\r\n"}};
    for (const auto& file : files) {
        const std::string& path = file.first;
        auto write = [&] {
            return path == files[0].first ? WriteSystemList(setup, "", path)
                                          : WriteMenuConfig(path, settings, {});
        };
        WriteTextFile(path, "old");
        // The new text goes beside, into NAME.new: a folder of that name makes it fail.
        ASSERT_TRUE(CreateDirectoryA((path + ".new").c_str(), nullptr));
        EXPECT_EQ(write(), 0) << path;
        EXPECT_EQ(ReadTextFile(path), "old");
        RemoveDirectoryA((path + ".new").c_str());
        EXPECT_EQ(write(), 1) << path;
        EXPECT_EQ(ReadTextFile(path).substr(0, file.second.size()), file.second);
        EXPECT_EQ(GetFileAttributesA((path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

} // namespace
