// The menu checker's portable parts: report lines and texts, the command
// line, and the preview sheet's arrangement and BMP encoding.
#include <gtest/gtest.h>

#include "checker/check_command_line.h"
#include "checker/finding_text.h"
#include "checker/preview_layout.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

MenuFinding Finding(MenuFindingKind kind, const char* text = nullptr, const char* text2 = nullptr,
                    int number = 0, int number2 = 0, int number3 = 0) {
    return MenuFinding{kind, "A.MNU", 3, text, text2, number, number2, number3};
}

TEST(CheckerReport, LinesTakeTheCompilersForm) {
    EXPECT_EQ(FindingLine("C:\\P\\A.MNU", 12, true, "T"), "C:\\P\\A.MNU:12: error: T");
    EXPECT_EQ(FindingLine("A.MNU", 0, false, "T"), "A.MNU:1: warning: T");
}

TEST(CheckerReport, TextsAreFilledInOrderAndEndInTheirCode) {
    EXPECT_EQ(FindingText(Finding(MenuFindingKind::kBitmapMissing, "PIC"), "理由"),
              "ビットマップ[PIC]を付属ライブラリから読み込めません（理由）。"
              "項目はビットマップなしで表示されます。(MC-32)");
    EXPECT_EQ(FindingText(Finding(MenuFindingKind::kBitmapMissing, "PIC"), ""),
              "ビットマップ[PIC]を付属ライブラリから読み込めません。"
              "項目はビットマップなしで表示されます。(MC-32)");
    EXPECT_EQ(FindingText(
                  Finding(MenuFindingKind::kLeadByteBadTrail, nullptr, nullptr, 7, 0x81, 0x0A), ""),
              "7 バイト目の 0x81 は全角文字の 1 バイト目のため、次のバイト 0x0A と一組で"
              "読まれます。(MC-28)");
    EXPECT_EQ(FindingText(Finding(MenuFindingKind::kPlacementUnclear, "CT", "BR"), ""),
              "配置「<CT>」は BR（下・右）の意味になります。(MC-30)");
    EXPECT_EQ(FindingText(Finding(MenuFindingKind::kKeyLooksLikeVxmenu, "VXMENU\t"), "")
                  .rfind("キー「VXMENU<TAB>」は", 0),
              0u);
    // A joined line that reaches the file's end but begins below line 1.
    EXPECT_EQ(
        FindingText(Finding(MenuFindingKind::kLineEndsNotCrLf, "CR", nullptr, 2, 1), ""),
        "行末が CR LF ではなく CR だけのため、この行からの 2 行がフローティングメニューには 1 "
        "行に見えます。(MC-43)");
    EXPECT_EQ(PlacementWords("MC"), "中央・中央");
    EXPECT_EQ(PlacementWords("TL"), "上・左");
    // Every kind has a text that ends in a code of its own.
    std::vector<std::string> codes;
    for (int k = 0; k <= static_cast<int>(MenuFindingKind::kLabelEndHidden); ++k) {
        const std::string text = FindingText(Finding(static_cast<MenuFindingKind>(k)), "");
        const size_t open = text.rfind("(MC-");
        ASSERT_NE(open, std::string::npos) << k;
        const std::string code = text.substr(open);
        EXPECT_EQ(std::count(codes.begin(), codes.end(), code), 0) << code;
        codes.push_back(code);
    }
}

TEST(CheckerCommandLine, TargetsAndSwitches) {
    CheckRequest request;
    std::string problem;
    ASSERT_TRUE(ParseCheckArguments({"C:\\VX\\vxmenu32.ini", "/MENU:ABC", "/preview:s.PNG"},
                                    &request, &problem));
    EXPECT_TRUE(request.isConfig);
    EXPECT_EQ(request.menuName, "ABC");
    EXPECT_EQ(request.previewPath, "s.PNG");
    EXPECT_EQ(request.previewFormat, PreviewFormat::kPng);

    ASSERT_TRUE(ParseCheckArguments({"/PREVIEW:a.bmp", "A.MNU"}, &request, &problem));
    EXPECT_FALSE(request.isConfig);
    EXPECT_EQ(request.menuName, "VXMENU");
    EXPECT_EQ(request.previewFormat, PreviewFormat::kBmp);

    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"A.INI", "B.INI"},
        {"A.MNU", "/MENU:X"},
        {"A.INI", "/Menu:X"}, // the floating menu's spellings only
        {"A.INI", "/MENU:"},
        {"A.INI", "/PREVIEW:a.gif"},
    };
    for (const auto& words : wrong) {
        problem.clear();
        EXPECT_FALSE(ParseCheckArguments(words, &request, &problem)) << words.size();
        EXPECT_FALSE(problem.empty());
    }
}

TEST(PreviewSheet, CellsFlowInRowsWithinTheWidth) {
    // Cells 2 + 100 wide; a row of 300 holds two (16 + 102 + 16 + 102 + 16).
    std::vector<SheetCell> cells = {{100, 50, 40}, {100, 80, 40}, {100, 20, 150}};
    SheetLayout sheet = ArrangeSheet(cells, 10, 300);
    ASSERT_EQ(sheet.places.size(), 3u);
    EXPECT_EQ(sheet.places[0].menuX, 17);
    EXPECT_EQ(sheet.places[0].menuY, 16 + 10 + 4 + 1);
    EXPECT_EQ(sheet.places[1].labelX, 16 + 102 + 16);
    EXPECT_EQ(sheet.places[1].labelY, 16);
    // The third starts a row below the taller of the first two.
    EXPECT_EQ(sheet.places[2].labelX, 16);
    EXPECT_EQ(sheet.places[2].labelY, 16 + (10 + 4 + 80 + 2) + 16);
    EXPECT_EQ(sheet.width, 16 + 102 + 16 + 102 + 16);
    EXPECT_EQ(sheet.height, sheet.places[2].labelY + (10 + 4 + 20 + 2) + 16);
}

TEST(PreviewSheet, BmpIsBottomUpWithPaddedRows) {
    // 2 x 2 pixels, top row blue-ish, bottom row red-ish (B, G, R, unused).
    const uint8_t pixels[] = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0};
    std::string bmp = EncodeBmp(2, 2, pixels);
    ASSERT_EQ(bmp.size(), 54u + 2 * 8);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<uint8_t>(bmp[2]), 54 + 16);
    EXPECT_EQ(static_cast<uint8_t>(bmp[18]), 2); // width
    EXPECT_EQ(static_cast<uint8_t>(bmp[22]), 2); // height, positive: bottom-up
    EXPECT_EQ(static_cast<uint8_t>(bmp[28]), 24);
    EXPECT_EQ(bmp.substr(54, 8), std::string("\x07\x08\x09\x0a\x0b\x0c\0\0", 8));
    EXPECT_EQ(bmp.substr(62, 8), std::string("\x01\x02\x03\x04\x05\x06\0\0", 8));
}

} // namespace
