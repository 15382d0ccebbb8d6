// EXAPDIR lines: the value split into five trimmed fields.
#include <gtest/gtest.h>

#include "menu/app/external_program_line.h"

#include <cstring>
#include <string>

namespace {

TEST(ExternalProgramLine, SplitsAndTrimsFiveFields) {
    ExternalProgramFields f;
    ASSERT_EQ(ParseExternalProgramLine(
                  "EXAPDIR1= C:\\Tools\\calc.exe ,\tCALC , SYSTEM,CL,　QUIT　\n", &f),
              ExternalLine::Defined);
    EXPECT_STREQ(f.path, "C:\\Tools\\calc.exe");
    EXPECT_STREQ(f.service, "CALC");
    EXPECT_STREQ(f.topic, "SYSTEM");
    EXPECT_STREQ(f.key, "CL");
    // The exit command is sent as the line gives it, line feed included.
    EXPECT_STREQ(f.exitCommand, "QUIT　\n");
}

TEST(ExternalProgramLine, KeyWithoutExitCommandCarriesNoLineFeed) {
    ExternalProgramFields f;
    ASSERT_EQ(ParseExternalProgramLine("EXAPDIR=a.exe,S,T,KEY\n", &f), ExternalLine::Defined);
    EXPECT_STREQ(f.key, "KEY");
    EXPECT_STREQ(f.exitCommand, "");
}

TEST(ExternalProgramLine, OnlyLinesBeginningWithExapdirCount) {
    ExternalProgramFields f;
    EXPECT_EQ(ParseExternalProgramLine(" EXAPDIR1=a,b,c,d\n", &f), ExternalLine::NotExternal);
    EXPECT_EQ(ParseExternalProgramLine("exapdir1=a,b,c,d\n", &f), ExternalLine::NotExternal);
    EXPECT_EQ(ParseExternalProgramLine("ACADDIR=x\n", &f), ExternalLine::NotExternal);
}

TEST(ExternalProgramLine, EmptyValuesAndMissingEquals) {
    ExternalProgramFields f;
    EXPECT_EQ(ParseExternalProgramLine("EXAPDIR3=\n", &f), ExternalLine::Empty);
    EXPECT_EQ(ParseExternalProgramLine("EXAPDIR3=  　\n", &f), ExternalLine::Empty);
    EXPECT_EQ(ParseExternalProgramLine("EXAPDIR3\n", &f), ExternalLine::Empty);
}

TEST(ExternalProgramLine, MissingFieldsAreIncomplete) {
    ExternalProgramFields f;
    EXPECT_EQ(ParseExternalProgramLine("EXAPDIR=a.exe,S,T\n", &f), ExternalLine::Incomplete);
    // Two commas in a row count as one: the fields shift and the key is missing.
    ASSERT_EQ(ParseExternalProgramLine("EXAPDIR=a.exe,,S,T\n", &f), ExternalLine::Incomplete);
    EXPECT_STREQ(f.service, "S");
    EXPECT_STREQ(f.topic, "T");
    EXPECT_STREQ(f.key, "");
}

TEST(ExternalProgramLine, OverLongFieldsAreCut) {
    ExternalProgramFields f;
    std::string line = "EXAPDIR=p.exe," + std::string(200, 's') + ",t,k\n";
    ASSERT_EQ(ParseExternalProgramLine(line.c_str(), &f), ExternalLine::Defined);
    EXPECT_EQ(strlen(f.service), static_cast<size_t>(kNameSize - 1));
    EXPECT_STREQ(f.key, "k");
}

} // namespace
