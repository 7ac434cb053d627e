// Reading the first lines of a text file: only what is wanted is kept, a
// line cut by the limit ends at a whole character, and a huge file costs no
// more than its first lines.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/utf8.h"
#include "temp_files.h"

namespace tuner::testing {
namespace {

using ::testing::ElementsAre;

TEST(Utf8Lines, FirstLinesKeptUpToTheirLimitAtWholeCharacters) {
    TempDir dir("lines");
    const auto path = dir.file("lines.txt");
    std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF" << "abcdef\r\n卡拉OK\r" << "\nthird\nfourth\nfifth";
    EXPECT_THAT(utf8_file_read_lines(path, 4, 64), ElementsAre("abcdef", "卡拉OK", "third", "fourth"));
    EXPECT_THAT(utf8_file_read_lines(path, 9, 64), ElementsAre("abcdef", "卡拉OK", "third", "fourth", "fifth"))
        << "a last line without a line end";
    // 4 bytes: "abcd", and of "卡拉" (3 bytes each) only the whole first character.
    EXPECT_THAT(utf8_file_read_lines(path, 2, 4), ElementsAre("abcd", "卡"));
    EXPECT_THAT(utf8_file_read_lines(path, 0, 64), ElementsAre()) << "no line wanted";

    EXPECT_EQ(utf8_first_chars("卡拉OK", 3), "卡拉O");
    EXPECT_EQ(utf8_first_chars("卡拉", 9), "卡拉");
}

TEST(Utf8Lines, AHugeLineIsReadThroughButNotKept) {
    TempDir dir("huge_line");
    const auto path = dir.file("huge.txt");
    {
        std::ofstream out(path, std::ios::binary);
        out << "1\n";
        const std::string block(1 << 20, 'T');
        for (int i = 0; i < 30; ++i) out << block;  // a 30 MB second line
        out << "\nlast\n";
    }
    TextFileError err = TextFileError::NotFound;
    const auto lines = utf8_file_read_lines(path, 3, 1020, &err);
    EXPECT_EQ(err, TextFileError::None);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], std::string(1020, 'T')) << "the kept part of the long line";
    EXPECT_EQ(lines[2], "last") << "the line after it";
    EXPECT_EQ(utf8_file_read_line(path, 2).size(), kTextLineMaxBytes) << "one whole line, at its limit";
}

}  // namespace
}  // namespace tuner::testing
