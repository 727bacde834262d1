#include "cimp/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include "tests/support/file_bytes.h"

namespace cimp {
namespace {

using test_support::ReadFileBytes;
using test_support::WriteFileBytes;

TEST(TextFile, WritesLineFeedsAsCrLf) {
    TextFile f;
    ASSERT_TRUE(f.Open("t.txt", TextFile::Mode::kWrite));
    EXPECT_TRUE(f.Write("a\nb\r\n\n"));
    EXPECT_TRUE(f.Close());
    EXPECT_EQ(ReadFileBytes("t.txt"), "a\r\nb\r\r\n\r\n");
    ASSERT_TRUE(f.Open("t.txt", TextFile::Mode::kAppend));
    EXPECT_TRUE(f.Write("c"));
    EXPECT_TRUE(f.Close());
    EXPECT_EQ(ReadFileBytes("t.txt"), "a\r\nb\r\r\n\r\nc");
}

struct ReadCase {
    std::string raw;
    std::string text;
};

class TextFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextFileRead, FoldsCrLfWhateverTheChunkSize) {
    WriteFileBytes("r.txt", GetParam().raw);
    for (std::size_t chunk : {1u, 2u, 3u, 7u, 4096u}) {
        TextFile f;
        ASSERT_TRUE(f.Open("r.txt", TextFile::Mode::kRead));
        std::string got;
        std::string buf(chunk, '\0');
        while (std::size_t n = f.Read(buf.data(), chunk)) got.append(buf.data(), n);
        EXPECT_EQ(got, GetParam().text) << "chunk " << chunk;
        EXPECT_FALSE(f.Failed());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, TextFileRead,
                         ::testing::Values(ReadCase{"a\r\nb\r\n", "a\nb\n"}, ReadCase{"a\rb", "a\rb"},
                                           ReadCase{"\r\r\n", "\r\n"}, ReadCase{"end\r", "end\r"},
                                           ReadCase{"x\n\r\n\n", "x\n\n\n"},
                                           ReadCase{std::string("n\0ul\r\n", 6), std::string("n\0ul\n", 5)}));

TEST(TextFile, ReadLineStopsAfterLineFeedOrAtTheLimit) {
    WriteFileBytes("l.txt", "first\r\nsecond line\r\n");
    TextFile f;
    ASSERT_TRUE(f.Open("l.txt", TextFile::Mode::kRead));
    char buf[8];
    EXPECT_EQ(f.ReadLine(buf, sizeof buf), 6u);
    EXPECT_STREQ(buf, "first\n");
    EXPECT_EQ(f.ReadLine(buf, sizeof buf), 7u);
    EXPECT_STREQ(buf, "second ");
    EXPECT_EQ(f.ReadLine(buf, sizeof buf), 5u);
    EXPECT_STREQ(buf, "line\n");
    EXPECT_EQ(f.ReadLine(buf, sizeof buf), 0u);
}

TEST(TextFile, FileHelpers) {
    WriteFileBytes("h.txt", "12345");
    EXPECT_TRUE(FileExists("h.txt"));
    EXPECT_EQ(FileSize("h.txt"), 5);
    EXPECT_TRUE(RemoveFile("h.txt"));
    EXPECT_FALSE(FileExists("h.txt"));
    EXPECT_EQ(FileSize("h.txt"), -1);
    EXPECT_TRUE(RemoveFile("h.txt"));
    TextFile f;
    EXPECT_FALSE(f.Open("no/such/dir/x", TextFile::Mode::kRead));
    std::filesystem::create_directories("a-folder");
    EXPECT_FALSE(f.Open("a-folder", TextFile::Mode::kRead));
    EXPECT_FALSE(f.Open("a-folder", TextFile::Mode::kAppend));
}

}  // namespace
}  // namespace cimp
