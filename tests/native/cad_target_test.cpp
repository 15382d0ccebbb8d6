// The CAD target table, its command transport and the caption rules.
#include <gtest/gtest.h>

#include "menu/cadlink/cad_target_table.h"
#include "menu/cadlink/caption_match.h"

#include <cstring>
#include <string>

namespace {

CadTransport TransportOfRow(int row) {
    const CadTarget& t = kCadTargetTable[row];
    return CadTransportOf(t.ddeService, t.ddeTopic, t.captionPrefix1, t.captionPrefix2);
}

// The keys in the order they are tried, each with the transport its DDE
// names and caption prefixes give (a prefix without its trailing space, or a
// row out of place, changes it). The names themselves meet the stand-in CAD
// program in the Windows tests.
TEST(CadTargetTable, KeysInOrderWithTheirTransports) {
    const char* keys[] = {"ACADDIR", "ACAD14DIR", "ACAD15DIR", "ACAD16DIR", "ACLTDIR", "MGDSDIR"};
    const CadTransport transports[] = {CadTransport::DdeExecute, CadTransport::None,
                                       CadTransport::CopyData,   CadTransport::CopyData,
                                       CadTransport::DdeExecute, CadTransport::None};
    for (int row = 0; row < kCadTargetCount; ++row) {
        EXPECT_STREQ(kCadTargetTable[row].key, keys[row]);
        EXPECT_EQ(TransportOfRow(row), transports[row]) << keys[row];
    }
}

TEST(CadTransport, CopyDataOnlyForTheExactPrefixes) {
    EXPECT_EQ(CadTransportOf("", "", "AutoCAD ", "x"), CadTransport::CopyData);
    EXPECT_EQ(CadTransportOf("", "", "x", "Autodesk"), CadTransport::CopyData);
    EXPECT_EQ(CadTransportOf("", "", "AutoCAD", "autodesk"), CadTransport::None);
    EXPECT_EQ(CadTransportOf("", "T", "AutoCAD ", "Autodesk"), CadTransport::DdeExecute);
}

TEST(CaptionMatch, PrefixesAreCaseSensitive) {
    EXPECT_TRUE(IsCadCaption("AutoCAD 2004 - [Drawing1.dwg]", "AutoCAD ", "Autodesk"));
    EXPECT_TRUE(IsCadCaption("Autodesk Architectural Desktop", "AutoCAD ", "Autodesk"));
    EXPECT_FALSE(IsCadCaption("AUTOCAD 2004 - [Drawing1.dwg]", "AutoCAD ", "Autodesk"));
    EXPECT_FALSE(IsCadCaption("AutoCAD2004", "AutoCAD ", "Autodesk"));
    EXPECT_TRUE(IsCadCaption("AutoCAD LT 2002", "AutoCAD LT", "AutoCAD LT"));
}

TEST(CaptionMatch, ExclusionsAnywhereInAnyLetterCase) {
    EXPECT_FALSE(IsCadCaption("AutoCAD Text Window - Drawing1.dwg", "AutoCAD", "AutoCAD"));
    EXPECT_FALSE(IsCadCaption("AutoCAD 2004 TEXT WINDOW - a.dwg", "AutoCAD ", "Autodesk"));
    EXPECT_FALSE(IsCadCaption("AutoCAD 2004 - help system", "AutoCAD ", "Autodesk"));
    EXPECT_FALSE(IsCadCaption("AutoCAD ﾃｷｽﾄ ｳｨﾝﾄﾞｳ", "AutoCAD ", "Autodesk"));
    EXPECT_FALSE(IsCadCaption("AutoCAD 2002 ヘルプ", "AutoCAD ", "Autodesk"));
    EXPECT_FALSE(IsCadCaption("AutoCAD 2002 Today", "AutoCAD ", "Autodesk"));
}

TEST(CaptionMatch, EveryExclusionTextExcludesItself) {
    for (const char* text : kCaptionExclusionList) {
        std::string caption = std::string("AutoCAD ") + text + " [a.dwg]";
        EXPECT_TRUE(IsExcludedCaption(caption.c_str())) << text;
    }
}

TEST(CaptionMatch, DoubleByteCharactersAreComparedWhole) {
    // "ヘルプ" is 0x83 0x77 0x83 0x8B 0x83 0x76; a text whose bytes only
    // differ in letter case of a trail byte ("ラ" is 0x83 0x89 ...) must not
    // match, nor may a match start on a trail byte.
    EXPECT_FALSE(IsExcludedCaption("AutoCAD \x83\x57\x83\x8B\x83\x76"));
    // 0x83 0x48 is one character whose trail byte equals 'H': no "Help" here.
    EXPECT_FALSE(IsExcludedCaption("AutoCAD \x83\x48"
                                   "elp"));
    EXPECT_TRUE(IsExcludedCaption("AutoCAD \x83\x48"
                                  "Help"));
    // "ﾍ" in a caption is half-width katakana, not a lead byte: text after it is searched.
    EXPECT_TRUE(IsExcludedCaption("ﾍMessage"));
}

TEST(CaptionMatch, BoundaryCaptions) {
    EXPECT_FALSE(IsCadCaption("", "AutoCAD ", "Autodesk"));
    EXPECT_FALSE(IsCadCaption("AutoCAD", "AutoCAD ", "Autodesk")); // shorter than the prefix
    EXPECT_TRUE(IsCadCaption("AutoCAD ", "AutoCAD ", "Autodesk")); // the prefix alone
    // A caption cut inside a double-byte character (a lone lead byte at the end).
    EXPECT_TRUE(IsCadCaption("AutoCAD 2004 - [\x95", "AutoCAD ", "Autodesk"));
    EXPECT_FALSE(IsExcludedCaption("AutoCAD 2004 \x83"));
    // An exclusion at the very end, and one cut short by the end of the caption.
    EXPECT_TRUE(IsExcludedCaption("AutoCAD LT 2000i Help System"));
    EXPECT_FALSE(IsExcludedCaption("AutoCAD 2004 Hel"));
    // The longest caption GetWindowTextA hands out (255 bytes) is searched to its end.
    std::string longCaption = "AutoCAD 2004 - [" + std::string(220, 'x') + "]";
    longCaption += std::string(255 - longCaption.size() - 5, 'y') + "today";
    ASSERT_EQ(longCaption.size(), 255u);
    EXPECT_FALSE(IsCadCaption(longCaption.c_str(), "AutoCAD ", "Autodesk"));
}

TEST(CaptionMatch, OnlyAsciiLettersIgnoreCase) {
    // Full-width "ＨＥＬＰ" is not "Help"; half-width katakana keep their bytes.
    EXPECT_FALSE(IsExcludedCaption("AutoCAD 2004 ＨＥＬＰ"));
    EXPECT_TRUE(IsExcludedCaption("AutoCAD 2004 hElP"));
    EXPECT_TRUE(IsExcludedCaption("AutoCAD ﾒｯｾｰｼﾞ"));
    EXPECT_FALSE(IsExcludedCaption("AutoCAD ﾒｯｾｰｼ"));
    // The katakana exclusions match only their own double-byte characters.
    EXPECT_TRUE(IsExcludedCaption("図面 - コマンド ライン"));
    EXPECT_FALSE(IsExcludedCaption("図面 - コマンド  ライン"));
}

} // namespace
