// Shift-JIS text helpers: trimming, the tokenizer, searching and copying
// never split a double-byte character.
#include <gtest/gtest.h>

#include "menu/strutil/char_classes.h"
#include "menu/strutil/derived_path.h"
#include "menu/strutil/sjis_text.h"

#include <cstdint>
#include <string>
#include <type_traits>

namespace {

std::string Trimmed(std::string text) {
    TrimBlanks(&text[0]);
    return text.c_str();
}

TEST(LeadByte, FollowsTheCodePage932Ranges) {
    for (int c = 0; c < 256; ++c) {
        bool expected = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        EXPECT_EQ(IsLeadByte932(static_cast<unsigned char>(c)), expected) << c;
    }
}

TEST(TrimBlanks, RemovesSpacesTabsAndFullWidthSpacesAtBothEnds) {
    EXPECT_EQ(Trimmed("  \t abc \t "), "abc");
    EXPECT_EQ(Trimmed("　 中　間 　"), "中　間"); // the inner full-width space stays
    EXPECT_EQ(Trimmed(" \t　 "), "");
    EXPECT_EQ(Trimmed(""), "");
}

TEST(TrimBlanks, KeepsATrailByte0x40ThatEndsADoubleByteCharacter) {
    // 0x81 0x81 ("＝") followed by '@' (0x40): the last two bytes look like a
    // full-width space but are a trail byte and an ASCII mark.
    EXPECT_EQ(Trimmed("a\x81\x81@ "), "a\x81\x81@");
    // "ー" is 0x81 0x5B; "@" after it must stay as well.
    EXPECT_EQ(Trimmed("ー@"), "ー@");
}

TEST(Tokenizer, KeepsADoubleByteCharacterWithTrailByte0x5CWhole) {
    // "表" is 0x95 0x5C: its trail byte equals '\' but no '.' may be found in it.
    std::string path = "C:\\表.dir\\menu.mnu";
    char* token = TokenizeMb(&path[0], ".");
    ASSERT_NE(token, nullptr);
    EXPECT_STREQ(token, "C:\\表");
    EXPECT_STREQ(TokenizeMb(nullptr, "."), "dir\\menu");
    EXPECT_STREQ(TokenizeMb(nullptr, "."), "mnu");
    EXPECT_EQ(TokenizeMb(nullptr, "."), nullptr);
    EXPECT_EQ(TokenizeMb(nullptr, "."), nullptr); // stays at the end
}

TEST(Tokenizer, SkipsRunsOfDelimitersAndTreatsKatakanaAsSingleBytes) {
    std::string text = ",,ｱｲ,,ｳ, ,";
    char* position = &text[0];
    EXPECT_STREQ(TokenizeMbAt(&position, ","), "ｱｲ");
    EXPECT_STREQ(TokenizeMbAt(&position, ","), "ｳ");
    EXPECT_STREQ(TokenizeMbAt(&position, ","), " ");
    EXPECT_EQ(TokenizeMbAt(&position, ","), nullptr);
}

TEST(Tokenizer, EmptyDelimiterSetReturnsTheRest) {
    std::string text = "a b,c";
    EXPECT_STREQ(TokenizeMb(&text[0], ""), "a b,c");
    EXPECT_EQ(TokenizeMb(nullptr, ""), nullptr);
}

TEST(Tokenizer, LeadByteAtTheVeryEndDoesNotRunPastTheText) {
    std::string text = "ab\x82";
    char* position = &text[0];
    EXPECT_STREQ(TokenizeMbAt(&position, "."), "ab\x82");
    EXPECT_EQ(TokenizeMbAt(&position, "."), nullptr);
}

TEST(FindCharMb, IgnoresTrailBytesAndRefusesOverLongTexts) {
    const char* text = "ソフト[x]"; // "ソ" is 0x83 0x5C
    EXPECT_EQ(FindCharMb(text, '\\'), nullptr);
    const char* bracket = FindCharMb(text, '[');
    ASSERT_NE(bracket, nullptr);
    EXPECT_EQ(bracket - text, 6);
    EXPECT_EQ(FindCharMb("", 'a'), nullptr);
    std::string longText(kMaxUtilText + 1, 'a');
    EXPECT_EQ(FindCharMb(longText.c_str(), 'a'), nullptr);
}

TEST(ReplaceFirstChar, ReplacesOnlyTheFirstByte) {
    std::string text = "a.b.c";
    ReplaceFirstChar(&text[0], '.', '\0');
    EXPECT_STREQ(text.c_str(), "a");
    EXPECT_EQ(text[3], '.');
}

TEST(CopyText, CutsBeforeADoubleByteCharacterThatWouldNotFit) {
    char buffer[4];
    EXPECT_EQ(CopyText(buffer, sizeof buffer, "ab漢字"), 2u); // "漢" would need bytes 3 and 4
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(CopyText(buffer, sizeof buffer, "abc漢"), 3u);
    EXPECT_EQ(CopyText(buffer, sizeof buffer, "漢字"), 2u);
    EXPECT_STREQ(buffer, "漢");
    EXPECT_EQ(CopyText(buffer, sizeof buffer, "漢"), 2u);
}

TEST(FormatText, NeverEndsOnHalfACharacter) {
    char buffer[5];
    FormatText(buffer, sizeof buffer, "[%s]", "漢字");
    EXPECT_STREQ(buffer, "[漢"); // "字" did not fit whole
}

TEST(FindTextMb, MatchesWholeCharactersOnly) {
    // "ア" is 0x83 0x41: its trail byte is no "A".
    EXPECT_EQ(FindTextMb("ア", "A"), nullptr);
    const char* text = "アA";
    EXPECT_EQ(FindTextMb(text, "A"), text + 2);
    EXPECT_EQ(FindTextMb(text, ""), text);
    EXPECT_EQ(FindTextMb("AB", "ABC"), nullptr);
}

TEST(LastCharMb, GivesTheLeadByteOfAFinalDoubleByteCharacter) {
    const char* text = "a表"; // 表 is 0x95 0x5C
    EXPECT_EQ(LastCharMb(text), text + 1);
    EXPECT_EQ(*LastCharMb("a\\"), '\\');
    EXPECT_EQ(LastCharMb(""), nullptr);
}

// At the width of a long under Windows (32 bits) on every host: numbers out
// of range are clamped, never wrapped.
TEST(ParseDecimal, ReadsLeadingDigitsLikeAtolAndClampsAtThirtyTwoBits) {
    static_assert(std::is_same<decltype(ParseDecimal("")), int32_t>::value, "a 32-bit result");
    EXPECT_EQ(ParseDecimal("500"), 500);
    EXPECT_EQ(ParseDecimal("abc"), 0);
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal(" 12ms"), 12);
    EXPECT_EQ(ParseDecimal("-3"), -3);
    EXPECT_EQ(ParseDecimal("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseDecimal("-2147483648"), INT32_MIN);
    for (const char* tooLarge :
         {"2147483648", "4294967296", "99999999999", "99999999999999999999"}) {
        EXPECT_EQ(ParseDecimal(tooLarge), INT32_MAX) << tooLarge;
        EXPECT_EQ(ParseDecimal((std::string("-") + tooLarge).c_str()), INT32_MIN) << tooLarge;
    }
}

TEST(DerivePath, CutsAtTheFirstDotOfTheFileNameOnly) {
    char out[260];
    ASSERT_TRUE(DerivePath(out, sizeof out, "C:\\VX\\VXMENU32.EXE", ".ini"));
    EXPECT_STREQ(out, "C:\\VX\\VXMENU32.ini");
    // Dots in folder names stay; the cut falls in the file name.
    ASSERT_TRUE(DerivePath(out, sizeof out, "C:\\VX v1.5\\VXMENU\\VXMENU32.EXE", ".ini"));
    EXPECT_STREQ(out, "C:\\VX v1.5\\VXMENU\\VXMENU32.ini");
    ASSERT_TRUE(DerivePath(out, sizeof out, "C:\\pkg1.2\\menu.a.mnu", ".dll"));
    EXPECT_STREQ(out, "C:\\pkg1.2\\menu.dll");
    ASSERT_TRUE(DerivePath(out, sizeof out, ".\\menu.mnu", ".dll"));
    EXPECT_STREQ(out, ".\\menu.dll");
    ASSERT_TRUE(DerivePath(out, sizeof out, "C:VX.INI", ".dsp"));
    EXPECT_STREQ(out, "C:VX.dsp");
    // 表 ends in the byte 0x5C: it is a character of the name, not a separator.
    ASSERT_TRUE(DerivePath(out, sizeof out, "C:\\a.b\\\x95\x5C.mnu", ".dll"));
    EXPECT_STREQ(out, "C:\\a.b\\\x95\x5C.dll");
    EXPECT_FALSE(DerivePath(out, sizeof out, "C:\\VX\\...", ".ini"));
    EXPECT_STREQ(out, "");
    // A path that would not fit is refused, never cut into another name.
    std::string longPath(300, 'p');
    EXPECT_FALSE(DerivePath(out, sizeof out, longPath.c_str(), ".ini"));
    std::string fits(255, 'p');
    ASSERT_TRUE(DerivePath(out, sizeof out, (fits + ".EXE").c_str(), ".ini"));
    EXPECT_EQ(strlen(out), 259u);
}

TEST(CharClasses, EveryByteHasExactlyOneClass) {
    InitCharClasses();
    EXPECT_EQ(CharClassOf('_'), kClassLetter);
    EXPECT_EQ(CharClassOf('z'), kClassLetter);
    EXPECT_EQ(CharClassOf('7'), kClassDigit);
    EXPECT_EQ(CharClassOf('['), kClassMark);
    EXPECT_EQ(CharClassOf('~'), kClassMark);
    EXPECT_EQ(CharClassOf(' '), kClassSpace);
    EXPECT_EQ(CharClassOf('\t'), kClassTab);
    EXPECT_EQ(CharClassOf('\n'), kClassLineFeed);
    EXPECT_EQ(CharClassOf(0x7F), kClassOther);
    EXPECT_EQ(CharClassOf(0xB1), kClassOther);
    int marks = 0;
    for (int c = 0; c < 256; ++c) {
        uint32_t cls = CharClassOf(static_cast<unsigned char>(c));
        EXPECT_TRUE(cls != 0 && (cls & (cls - 1)) == 0) << c;
        marks += cls == kClassMark;
    }
    EXPECT_EQ(marks, 31);
    EXPECT_EQ(CharClassesOf("a1 "), kClassLetter | kClassDigit | kClassSpace);
    EXPECT_EQ(CharClassesOf(""), 0u);
}

} // namespace
