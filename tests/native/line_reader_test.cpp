// The text-file line reader over sources that hand out their bytes in
// blocks of various sizes.
#include <gtest/gtest.h>

#include "menu/strutil/line_reader.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadAll(const std::string& data, int lineSize, int maxChunk = 0,
                                 LineEnds ends = LineEnds::kCrLf) {
    MemoryText memory{data.data(), static_cast<int>(data.size()), 0, maxChunk};
    TextFile file;
    InitTextFile(&file, MemoryTextSource(&memory));
    file.lineEnds = ends;
    std::vector<std::string> lines;
    std::vector<char> line(lineSize);
    while (ReadTextLine(line.data(), lineSize, &file) != nullptr) {
        lines.emplace_back(line.data());
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, TurnsCrLfIntoOneLineFeedAndKeepsLoneCr) {
    EXPECT_EQ(ReadAll("a\r\nb\rc\r\n\r\n", 100), (Lines{"a\n", "b\rc\n", "\n"}));
}

TEST(LineReader, EndsLinesAtALoneLfOnlyWhenAsked) {
    const std::string data = "a\nb\r\nc\rd\n\ne";
    EXPECT_EQ(ReadAll(data, 100), (Lines{"a\nb\n", "c\rd\n\ne"}));
    for (int chunk : {0, 1, 2}) {
        EXPECT_EQ(ReadAll(data, 100, chunk, LineEnds::kCrLfOrLf),
                  (Lines{"a\n", "b\n", "c\rd\n", "\n", "e"}))
            << chunk;
    }
}

TEST(LineReader, ReturnsALastLineWithoutCrLf) {
    EXPECT_EQ(ReadAll("one\r\ntwo", 100), (Lines{"one\n", "two"}));
    EXPECT_EQ(ReadAll("only", 100), (Lines{"only"}));
    EXPECT_EQ(ReadAll("", 100), Lines{});
}

TEST(LineReader, KeepsCtrlZAtTheEndOutsideEveryLine) {
    EXPECT_EQ(ReadAll("a\r\nb\r\n\x1A", 100), (Lines{"a\n", "b\n"}));
    EXPECT_EQ(ReadAll("a\r\nb\x1A", 100), (Lines{"a\n", "b"}));
    // A Ctrl-Z inside the data is an ordinary byte.
    EXPECT_EQ(ReadAll("a\x1A"
                      "b\r\n",
                      100),
              (Lines{"a\x1A"
                     "b\n"}));
}

TEST(LineReader, CtrlZThatEndsABlockButNotTheDataIsKept) {
    std::string data(2047, 'x');
    data += "\x1A"
            "y\r\n";
    Lines lines = ReadAll(data, 4096);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string(2047, 'x') + "\x1A"
                                                 "y\n");
}

TEST(LineReader, CutsOverLongLinesAtTheBufferSize) {
    std::string line300(300, 'L');
    Lines lines = ReadAll(line300 + "\r\nnext\r\n", 260);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string(259, 'L'));
    EXPECT_EQ(lines[1], std::string(41, 'L') + "\n");
    EXPECT_EQ(lines[2], "next\n");
}

TEST(LineReader, LinesAcrossBlockBoundariesAndCrAtABlockEnd) {
    // Build lines so that CR LF pairs fall on every offset around the
    // 2048-byte block boundary, including a CR as the block's last byte.
    for (int shift = 2040; shift <= 2050; ++shift) {
        std::string first(shift, 'a');
        std::string data = first + "\r\nsecond line\r\nthird";
        Lines expected{first + "\n", "second line\n", "third"};
        EXPECT_EQ(ReadAll(data, 4096), expected) << shift;
    }
}

TEST(LineReader, SameLinesWhateverTheSourceHandsOutPerRead) {
    std::string data;
    Lines expected;
    for (int i = 0; i < 400; ++i) {
        std::string line = "item" + std::to_string(i) + std::string(i % 37, 'z') + "\r";
        data += line + "\r\n"; // a CR inside the line as well
        expected.push_back(line + "\n");
    }
    data += "\x1A";
    for (int chunk : {1, 2, 3, 7, 100, 2047, 2048}) {
        EXPECT_EQ(ReadAll(data, 1024, chunk), expected) << chunk;
    }
}

TEST(LineReader, LoneCrAtTheVeryEndIsPartOfTheLastLine) {
    EXPECT_EQ(ReadAll("a\r\nb\r", 100), (Lines{"a\n", "b\r"}));
}

int FailingRead(void*, char*, int) {
    return -1;
}

TEST(LineReader, ReadErrorEndsTheFileAndMissingRecordReturnsNothing) {
    TextFile file;
    InitTextFile(&file, TextSource{nullptr, FailingRead});
    char line[16];
    EXPECT_EQ(ReadTextLine(line, sizeof line, &file), nullptr);
    EXPECT_EQ(ReadTextLine(line, sizeof line, &file), nullptr);
    EXPECT_EQ(ReadTextLine(line, sizeof line, nullptr), nullptr);
}

TEST(LineReader, WholeLinesHoweverLongEndWhereTheLineEnds) {
    std::string longLine(5000, 'W');
    std::string data = longLine + "\r\nshort\r\nlast";
    MemoryText memory{data.data(), static_cast<int>(data.size()), 0, 700};
    TextFile file;
    InitTextFile(&file, MemoryTextSource(&memory));
    std::string line;
    Lines lines;
    while (ReadWholeLine(&file, &line)) {
        lines.push_back(line);
    }
    EXPECT_EQ(lines, (Lines{longLine + "\n", "short\n", "last"}));
}

} // namespace
