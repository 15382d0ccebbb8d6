// The launcher's setup-file rules: white space, hexadecimal values, section
// key names and reference expansion with its bounds.
#include <gtest/gtest.h>

#include "launcher/setup_text.h"

#include <map>
#include <string>

namespace {

using Keys = std::vector<std::string>;

std::string Trimmed(std::string text) {
    TrimWhite(&text);
    return text;
}

TEST(SetupTrim, RemovesAsciiWhiteSpaceButKeepsFullWidthBlanksAndTrailBytes) {
    EXPECT_EQ(Trimmed(" \t\r\n\v\fa b\t \r\n"), "a b");
    EXPECT_EQ(Trimmed("　a　"), "　a　");
    // 0x82 0x20 is no valid pair, but a lead byte still takes the next byte
    // with it: the blank after 0x82 is not trimmed away.
    EXPECT_EQ(Trimmed("a\x82 "), "a\x82 ");
    EXPECT_EQ(Trimmed(" \t "), "");
}

TEST(ParseHexDword, AcceptsOnlyTenCharacterLiterals) {
    uint32_t value = 7;
    EXPECT_TRUE(ParseHexDword("0x0000ffff", &value));
    EXPECT_EQ(value, 0xFFFFu);
    EXPECT_TRUE(ParseHexDword("0XABCDEF01", &value));
    EXPECT_EQ(value, 0xABCDEF01u);
    for (const char* bad : {"0xffff", "0x0000fffff", "0x0000FG00", "1x0000FFFF", "", "5"}) {
        value = 7;
        EXPECT_FALSE(ParseHexDword(bad, &value)) << bad;
        EXPECT_EQ(value, 7u) << bad;
    }
}

TEST(SectionKeyNames, CutsEachEntryAtItsFirstEqualsSign) {
    const char entries[] = "A=1\0B\0C=x=y\0\0";
    EXPECT_EQ(SectionKeyNames(entries, sizeof entries - 1), (Keys{"A", "B", "C"}));
    // "＝" (0x81 0x81) and "ソ" (0x83 0x5C) hide no '='; a cut entry ends at length.
    const char sjis[] = "\x81\x81=v\0ソ=w";
    EXPECT_EQ(SectionKeyNames(sjis, sizeof sjis - 1), (Keys{"\x81\x81", "ソ"}));
    EXPECT_EQ(SectionKeyNames("", 0), Keys{});
}

class Expansion : public ::testing::Test {
protected:
    std::string Expand(std::string text) {
        ExpandReferenceText(&text, [this](const std::string& section, const std::string& key) {
            ++lookups;
            auto found = values.find(section + ":" + key);
            return found == values.end() ? std::string() : found->second;
        });
        return text;
    }
    std::map<std::string, std::string> values;
    int lookups = 0;
};

TEST_F(Expansion, ReplacesReferencesFromTheLeftAndInsideInsertedValues) {
    values = {{"PATHS:ROOT", "C:\\PKG"}, {"A:X", "x<A:Y>"}, {"A:Y", "y"}, {"A:K:2", "k"}};
    EXPECT_EQ(Expand("<PATHS:ROOT>\\BIN"), "C:\\PKG\\BIN");
    EXPECT_EQ(Expand("<A:X>-<A:Y>"), "xy-y");
    EXPECT_EQ(Expand("<A:K:2>"), "k"); // the key keeps its further ':'
    EXPECT_EQ(Expand("a<A:Y"), "ay");  // no '>': the reference runs to the end
}

TEST_F(Expansion, StopsUnchangedAtTheFirstReferenceItCannotExpand) {
    values = {{"A:Y", "y"}};
    for (const char* text : {"plain", "end<", "<NOCOLON>", "<SEC:>", "<:>", "<A:MISSING>-<A:Y>"}) {
        EXPECT_EQ(Expand(text), text);
    }
}

TEST_F(Expansion, SelfReferencesStopAtTheBounds) {
    values = {{"S:X", "<S:X>"}};
    EXPECT_EQ(Expand("<S:X>"), "<S:X>");
    EXPECT_EQ(lookups, kMaxExpansions);

    values = {{"S:X", "<S:X><S:X>"}};
    EXPECT_EQ(Expand("<S:X>").size(), 5u * (kMaxExpansions + 1));

    values = {{"S:X", "<S:X>" + std::string(1000, 'x')}};
    std::string grown = Expand("<S:X>");
    EXPECT_LE(grown.size(), kMaxExpandedLength);
    EXPECT_GT(grown.size(), kMaxExpandedLength - 1000); // it grew as far as it could
}

} // namespace
