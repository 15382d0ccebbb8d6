// The reset text of the registered-commands dialog and its 2560-byte limit.
#include <gtest/gtest.h>

#include "menu/ui/reset_text.h"

#include <string>
#include <vector>

namespace {

std::vector<PackageEntry> Packages(const std::vector<std::string>& commands) {
    std::vector<PackageEntry> packages(commands.size());
    for (size_t i = 0; i < commands.size(); ++i) {
        packages[i].initCommand = commands[i];
    }
    return packages;
}

std::string Reset(const std::vector<PackageEntry>& packages, const std::vector<int>& selected) {
    char text[kResetTextSize];
    size_t length =
        BuildResetText(packages, selected.data(), static_cast<int>(selected.size()), text);
    EXPECT_EQ(length, std::string(text).size());
    return text;
}

TEST(ResetText, ChosenCommandsInListOrderEachWithALineFeed) {
    auto packages = Packages({"\x1b\x1b(a-init)", "", "(c-init)"});
    EXPECT_EQ(Reset(packages, {}), "");
    EXPECT_EQ(Reset(packages, {0, 1, 2}), "\x1b\x1b(a-init)\n\n(c-init)\n");
    EXPECT_EQ(Reset(packages, {2, 7, -1}), "(c-init)\n");
}

TEST(ResetText, ACommandThatWouldReachTheLimitIsSkippedAndShorterOnesFollow) {
    auto packages =
        Packages({std::string(1500, 'a'), std::string(1500, 'b'), std::string(100, 'c')});
    std::string text = Reset(packages, {0, 1, 2});
    EXPECT_EQ(text.size(), 1602u);
    EXPECT_EQ(text, std::string(1500, 'a') + "\n" + std::string(100, 'c') + "\n");
    // 2558 bytes and the line feed stay below 2560; one byte more reaches it.
    EXPECT_EQ(Reset(Packages({std::string(2558, 'x')}), {0}).size(), 2559u);
    EXPECT_EQ(Reset(Packages({std::string(2559, 'x'), "y"}), {0, 1}), "y\n");
}

} // namespace
