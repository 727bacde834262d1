// Text files (CR LF on disk, LF in memory), file helpers and the handle maps.
#include "cimp/handle_map.h"

#include "tests/parse/parse_fixture.h"

namespace cimp {
namespace {

using namespace parse::test;

// Writing, reading lines up to the limit, and the file helpers.
TEST(TextFile, WritesAndReadsLinesAndFiles) {
    TextFile f;
    ASSERT_TRUE(f.Open("t.txt", TextFile::Mode::kWrite));
    EXPECT_TRUE(f.Write("a\nb\r\n\n") && f.Write(std::string(5000, 'x') + "\n") && f.Close());
    ASSERT_TRUE(f.Open("t.txt", TextFile::Mode::kAppend));
    EXPECT_TRUE(f.Write("c") && f.Flush() && f.Close() && !f.Write("d") && !f.Flush());
    EXPECT_EQ(ReadFileBytes("t.txt"), "a\r\nb\r\r\n\r\n" + std::string(5000, 'x') + "\r\nc");
    WriteFileBytes("l.txt", "first\r\nsecond line\r\n");
    ASSERT_TRUE(f.Open("l.txt", TextFile::Mode::kRead));
    std::string lines;
    char buf[8];
    while (std::size_t n = f.ReadLine(buf, sizeof buf)) lines += std::to_string(n) + buf + "|";
    EXPECT_EQ(lines, "6first\n|7second |5line\n|");
    EXPECT_EQ(f.ReadLine(buf, 0) + f.Read(nullptr, 1), 0u);
    WriteFileBytes("h.txt", "12345");
    EXPECT_EQ(FileSize("h.txt"), 5);
    EXPECT_TRUE(FileExists("h.txt") && RemoveFile("h.txt") && RemoveFile("h.txt"));
    EXPECT_FALSE(FileExists("h.txt") || FileExists(nullptr) || RemoveFile(nullptr));
    EXPECT_EQ(FileSize("h.txt") + FileSize(nullptr), -2);
    std::filesystem::create_directories("a-folder");
    for (auto mode : {TextFile::Mode::kRead, TextFile::Mode::kWrite, TextFile::Mode::kAppend})
        EXPECT_FALSE(f.Open("no/dir/x", mode) || f.Open("a-folder", mode) || f.Open(nullptr, mode));
}

TEST(TextFile, ReadFoldsCrLfWhateverTheChunkSize) {
    for (const auto& [raw, text] : std::vector<std::pair<std::string, std::string>>{
             {"a\r\nb\r\n", "a\nb\n"}, {"a\rb", "a\rb"}, {"\r\r\n", "\r\n"}, {"end\r", "end\r"},
             {"x\n\r\n\n", "x\n\n\n"}, {std::string("n\0ul\r\n", 6), std::string("n\0ul\n", 5)},
             {"a\r\rxy", "a\r\rxy"}}) {
        WriteFileBytes("r.txt", raw);
        for (std::size_t chunk : {1u, 2u, 3u, 7u, 4096u}) {
            TextFile f;
            ASSERT_TRUE(f.Open("r.txt", TextFile::Mode::kRead));
            std::string got, buf(chunk, '\0');
            while (std::size_t n = f.Read(buf.data(), chunk)) got.append(buf.data(), n);
            EXPECT_EQ(got, text) << "chunk " << chunk;
            EXPECT_FALSE(f.Failed());
        }
    }
}

TEST(HandleMap, WalksBucketsInOrderNewestFirst) {
    HandleMap map;
    // 0x10 and 0x120 (18 % 17) go to bucket 1, 0x20 to 2, 5 and 0x110 (17 % 17) to 0.
    for (TKSHandle h : {0x10u, 0x20u, 0x120u, 5u, 0x110u, 0x10u}) map.Insert(h);
    std::string order;
    map.ForEach([&](TKSHandle h) { order += std::to_string(h) + " "; });
    EXPECT_TRUE(map.Erase(0x120) && !map.Erase(0x120) && !map.Contains(0x120) && map.Contains(5));
    map.ForEach([&](TKSHandle h) { order += std::to_string(h) + " "; });
    EXPECT_EQ(order, "272 5 288 16 32 272 5 16 32 ");
    EXPECT_EQ(HandleMap::BucketOf(0xFFFFFFFFu), (0xFFFFFFFFu >> 4) % 17);
}

}  // namespace
}  // namespace cimp
