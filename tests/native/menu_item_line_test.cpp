// Item lines of menu definition files: prefixes, label, hint, bitmap part
// and placement, command and alternate command, caret codes and the newline
// rule, and the double-byte rule for every delimiter.
#include <gtest/gtest.h>

#include "menu/model/command_text.h"
#include "menu/model/item_line.h"

#include <string>

namespace {

// Parses a copy of text; the returned line owns the bytes the item points into.
struct Parsed {
    std::string bytes;
    ItemLine item{};
    int isItem = 0;
};

Parsed Parse(const std::string& text) {
    Parsed parsed;
    parsed.bytes = text;
    parsed.isItem = ParseItemLine(&parsed.bytes[0], &parsed.item);
    return parsed;
}

// A command as the loader keeps it: parsed from an item line, then the
// newline rule applied.
std::string Stored(const char* text, int32_t* length = nullptr) {
    Parsed p = Parse(std::string("[x]") + text);
    StoredCommand stored =
        NewlineRule(p.item.command, p.item.commandLength, p.item.commandEndsDoubleByte != 0);
    if (length != nullptr) {
        *length = stored.lengthField;
    }
    return std::string(p.item.command, stored.keep) + (stored.lineFeed ? "\n" : "");
}

std::string Translated(std::string text) {
    size_t n = TranslateCaretCodes(&text[0]);
    EXPECT_EQ(n, strlen(text.c_str()));
    return text.c_str();
}

std::string PlacementText(BitmapPlacement p) {
    return std::string{p.vertical, p.horizontal};
}

TEST(MenuItemLine, LineWithoutOpeningBracketIsNoItem) {
    EXPECT_EQ(Parse("; a comment ] with a close").isItem, 0);
    EXPECT_EQ(Parse("").isItem, 0);
    // Text before the first '[' is ignored.
    Parsed p = Parse("note [Label]CMD");
    ASSERT_EQ(p.isItem, 1);
    EXPECT_STREQ(p.item.label, "Label");
    EXPECT_STREQ(p.item.command, "CMD");
}

TEST(MenuItemLine, LabelHintAndCommand) {
    Parsed p = Parse("[A#Draws a line]LINE");
    EXPECT_STREQ(p.item.label, "A");
    EXPECT_STREQ(p.item.hint, "Draws a line");
    EXPECT_STREQ(p.item.command, "LINE");
    EXPECT_EQ(p.item.functionName, nullptr);
    EXPECT_EQ(p.item.hasPlacement, 0);
}

TEST(MenuItemLine, WithoutClosingBracketTheItemPartRunsToTheEnd) {
    Parsed p = Parse("[Label#hint;not a command");
    EXPECT_STREQ(p.item.label, "Label");
    EXPECT_STREQ(p.item.hint, "hint;not a command");
    EXPECT_STREQ(p.item.command, "");
    EXPECT_STREQ(p.item.alternate, "");
}

TEST(MenuItemLine, AlternateIsEverythingAfterTheFirstSemicolon) {
    Parsed p = Parse("[Copy]COPY;MULTIPLE;AGAIN");
    EXPECT_STREQ(p.item.command, "COPY");
    EXPECT_STREQ(p.item.alternate, "MULTIPLE;AGAIN");
    Parsed empty = Parse("[x];ALT");
    EXPECT_STREQ(empty.item.command, "");
    EXPECT_STREQ(empty.item.alternate, "ALT");
}

TEST(MenuItemLine, Prefixes) {
    Parsed p = Parse("[<-<-->/3*2~=!Label]");
    EXPECT_EQ(p.item.endLevels, 2);
    EXPECT_EQ(p.item.opensSubmenu, 1);
    EXPECT_EQ(p.item.columns, 3);
    EXPECT_EQ(p.item.span, 2);
    EXPECT_EQ(p.item.isStatic, 1);
    EXPECT_EQ(p.item.centred, 1);
    EXPECT_EQ(p.item.emphasised, 1);
    EXPECT_STREQ(p.item.label, "Label");

    // A lone '<' or '-' begins the label.
    Parsed q = Parse("[<x-]");
    EXPECT_EQ(q.item.endLevels, 0);
    EXPECT_STREQ(q.item.label, "<x-");
    EXPECT_STREQ(Parse("[-x]").item.label, "-x");
}

TEST(MenuItemLine, StaticGapAndSecondTildeBeginsTheLabel) {
    Parsed gap = Parse("[~]");
    EXPECT_EQ(gap.item.isStatic, 1);
    EXPECT_STREQ(gap.item.label, "");
    Parsed text = Parse("[~~Text]");
    EXPECT_EQ(text.item.isStatic, 1);
    EXPECT_STREQ(text.item.label, "~Text");
}

TEST(MenuItemLine, CountPrefixValues) {
    EXPECT_EQ(Parse("[/9x]").item.columns, 9);
    EXPECT_EQ(Parse("[/ax]").item.columns, 10);
    EXPECT_EQ(Parse("[/Zx]").item.columns, 35);
    EXPECT_EQ(Parse("[*bx]").item.span, 11);
    // The value character is consumed even when it is no digit or letter.
    EXPECT_STREQ(Parse("[/!x]").item.label, "x");
    EXPECT_EQ(Parse("[/!x]").item.emphasised, 0);
}

TEST(MenuItemLine, CountPrefixesNeverZero) {
    // 0, a non-alphanumeric value character, or none at all: 1 (the layout divides by both).
    EXPECT_EQ(Parse("[/0x]").item.columns, 1);
    EXPECT_EQ(Parse("[*0x]").item.span, 1);
    EXPECT_EQ(Parse("[/-x]").item.columns, 1);
    Parsed endsWithSlash = Parse("[/]CMD");
    EXPECT_EQ(endsWithSlash.item.columns, 1);
    EXPECT_STREQ(endsWithSlash.item.label, "");
    EXPECT_STREQ(endsWithSlash.item.command, "CMD");
    EXPECT_EQ(Parse("[*").item.span, 1);
    // A double-byte value character is consumed whole and counts as 0 -> 1.
    Parsed dbcs = Parse("[/\x95\x5cLabel]");
    EXPECT_EQ(dbcs.item.columns, 1);
    EXPECT_STREQ(dbcs.item.label, "Label");
}

TEST(MenuItemLine, BitmapPartAndPlacement) {
    Parsed p = Parse("[=Centre^<TC>PIC1^]");
    EXPECT_EQ(p.item.centred, 1);
    EXPECT_STREQ(p.item.label, "Centre");
    EXPECT_STREQ(p.item.bitmapName, "PIC1");
    ASSERT_EQ(p.item.hasPlacement, 1);
    EXPECT_EQ(PlacementText(p.item.placement), "TC");

    Parsed after = Parse("[Text#Hint^PIC2<ml>^ignored]CMD");
    EXPECT_STREQ(after.item.label, "Text");
    EXPECT_STREQ(after.item.hint, "Hint");
    EXPECT_STREQ(after.item.bitmapName, "PIC2");
    EXPECT_EQ(PlacementText(after.item.placement), "ML");
    EXPECT_STREQ(after.item.command, "CMD");

    Parsed plain = Parse("[^PIC3  \t^]");
    EXPECT_STREQ(plain.item.label, "");
    EXPECT_STREQ(plain.item.bitmapName, "PIC3");
    EXPECT_EQ(plain.item.hasPlacement, 0);

    // Only the placement: no bitmap, but the placement still counts.
    Parsed only = Parse("[x^<L>^]");
    EXPECT_STREQ(only.item.bitmapName, "");
    EXPECT_EQ(only.item.hasPlacement, 1);
    EXPECT_EQ(PlacementText(only.item.placement), "BL");

    // A placement without '>' runs to the end of the bitmap part.
    Parsed open = Parse("[x^<T^]");
    EXPECT_STREQ(open.item.bitmapName, "");
    EXPECT_EQ(PlacementText(open.item.placement), "BR");
}

TEST(MenuItemLine, PlacementTexts) {
    EXPECT_EQ(PlacementText(PlacementOf("TL")), "TL");
    EXPECT_EQ(PlacementText(PlacementOf("mc")), "MC");
    EXPECT_EQ(PlacementText(PlacementOf("XY")), "BR");
    EXPECT_EQ(PlacementText(PlacementOf("tRest")), "TR");
    EXPECT_EQ(PlacementText(PlacementOf("C")), "BC");
    EXPECT_EQ(PlacementText(PlacementOf("l")), "BL");
    EXPECT_EQ(PlacementText(PlacementOf("M")), "MC");
    EXPECT_EQ(PlacementText(PlacementOf("T")), "BR");
    EXPECT_EQ(PlacementText(PlacementOf("")), "BR");
    // A double-byte character is one character: "表" alone is one-character text.
    EXPECT_EQ(PlacementText(PlacementOf("\x95\x5c")), "BR");
    EXPECT_EQ(PlacementText(PlacementOf("\x95\x5cL")), "BL");
}

TEST(MenuItemLine, DialogKindAndLibraryFunction) {
    EXPECT_EQ(Parse("[About]VXMENU_ABOUT").item.dialogKind, 1);
    EXPECT_EQ(Parse("[About]vxmenu_About2").item.dialogKind, 2);
    EXPECT_EQ(Parse("[About]VXMENU_ABOUT;ALT").item.dialogKind, 1);
    EXPECT_EQ(Parse("[About]VXMENU_ABOUT3").item.dialogKind, 0);
    EXPECT_STREQ(Parse("[About]vxmenu_about").item.command, "vxmenu_about");

    Parsed dll = Parse("[Call]DLL:DemoTrace;ALT");
    ASSERT_NE(dll.item.functionName, nullptr);
    EXPECT_STREQ(dll.item.functionName, "DemoTrace");
    EXPECT_STREQ(dll.item.command, "");
    EXPECT_STREQ(dll.item.alternate, "ALT");
    // The prefix is case-sensitive.
    Parsed lower = Parse("[Call]dll:DemoTrace");
    EXPECT_EQ(lower.item.functionName, nullptr);
    EXPECT_STREQ(lower.item.command, "dll:DemoTrace");
}

TEST(MenuItemLine, DoubleByteTrailBytesAreNeverDelimiters) {
    // "ー" 81 5B ends in '[', "タ" 83 5E in '^', "ゾ" 83 5D in ']', "ソ" 83 5C in '\'.
    EXPECT_EQ(Parse("\x81\x5b no item").isItem, 0);
    Parsed p = Parse("\x81\x5b[\x83\x5e\x83\x5d#\x83\x5e^B\x83\x5e^]\x83\x5d^C;\x83\x5e");
    ASSERT_EQ(p.isItem, 1);
    EXPECT_STREQ(p.item.label, "\x83\x5e\x83\x5d");
    EXPECT_STREQ(p.item.hint, "\x83\x5e");
    EXPECT_STREQ(p.item.bitmapName, "B\x83\x5e");
    EXPECT_STREQ(p.item.command, "\x83\x5d\x1b");
    EXPECT_STREQ(p.item.alternate, "\x83\x5e");
    // A lead byte before '#' or '<' takes that byte as its trail byte.
    Parsed hash = Parse("[A\x81#B^N\x81<TL>^]");
    EXPECT_STREQ(hash.item.label, "A\x81#B");
    EXPECT_STREQ(hash.item.hint, "");
    EXPECT_STREQ(hash.item.bitmapName, "N\x81<TL>");
    EXPECT_EQ(hash.item.hasPlacement, 0);
    // Runs of bytes from the lead range pair up from their start: after an
    // odd run a ']' is a trail byte, after an even one it closes the item.
    EXPECT_STREQ(Parse("[\x81\x81\x81]X]C").item.label, "\x81\x81\x81]X");
    EXPECT_STREQ(Parse("[\x81\x81]C").item.label, "\x81\x81");
    EXPECT_STREQ(Parse("[L]\x81\x81\x81;A").item.command, "\x81\x81\x81;A");
}

TEST(MenuItemLine, BitmapNameKeepsATrailingDoubleByteWhoseTrailIsABlank) {
    // 0x81 0x40 is the full-width space (a blank); 0x82 0x40 is no blank.
    EXPECT_STREQ(Parse("[x^PIC\x81\x40 ^]").item.bitmapName, "PIC");
    EXPECT_STREQ(Parse("[x^PIC\x82\x40^]").item.bitmapName, "PIC\x82\x40");
}

TEST(MenuCommandText, CaretCodes) {
    EXPECT_EQ(Translated("^B^C^D^G^H^O^V"), "\x02\x1b\x04\x07\x08\x0f\x16");
    EXPECT_EQ(Translated("^b^c^d^g^h^o^v"), "\x02\x1b\x04\x07\x08\x0f\x16");
    EXPECT_EQ(Translated("^X^^C^"), "^X^\x1b^");
    // A '^' that is a trail byte is copied with its lead byte.
    EXPECT_EQ(Translated("\x83^C^C"), "\x83^C\x1b");
    // A lead byte at the very end without its trail byte is dropped.
    EXPECT_EQ(Translated("AB\x83"), "AB");
}

TEST(MenuCommandText, NewlineRule) {
    int32_t length = 0;
    EXPECT_EQ(Stored("LINE", &length), "LINE\n");
    EXPECT_EQ(length, 6);
    EXPECT_EQ(Stored("", &length), "");
    EXPECT_EQ(length, 1);
    EXPECT_EQ(Stored("POINT\\", &length), "POINT");
    EXPECT_EQ(length, 8);
    EXPECT_EQ(Stored("\x1b\x1b"), "\x1b\x1b");
    EXPECT_EQ(Stored("ABC\xb1"), "ABC\xb1"); // half-width katakana: no newline
    EXPECT_EQ(Stored("~"), "~\n");
    // A text ending in "ソ" (trail byte '\') gets a newline; its trail byte stays.
    EXPECT_EQ(Stored("\x83\x5c"), "\x83\x5c\n");
    // A trail byte that looks like a lead byte does not hide a real backslash.
    EXPECT_EQ(Stored("\x81\x81\\"), "\x81\x81");
    EXPECT_EQ(Stored("\x81\x81X"), "\x81\x81X\n");
}

TEST(MenuCommandText, CaseBlindCompare) {
    EXPECT_TRUE(EqualsIgnoringCase("vxMenu", 6, "VXMENU"));
    EXPECT_FALSE(EqualsIgnoringCase("VXMENU", 6, "VXMENU2"));
    EXPECT_FALSE(EqualsIgnoringCase("VXMENU2", 6, "VXMENU2x"));
    EXPECT_FALSE(EqualsIgnoringCase("VXMEN", 5, "VXMENU"));
    // Trail bytes 'A' and 'a' of two different characters are not folded.
    EXPECT_FALSE(EqualsIgnoringCase("\x83\x41", 2, "\x83\x61"));
    EXPECT_TRUE(EqualsIgnoringCase("\x83\x41x", 3, "\x83\x41X"));
}

} // namespace
