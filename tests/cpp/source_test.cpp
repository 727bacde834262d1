// Sources: buffers, markers, refills, the stack, and files read in text mode.
#include <gtest/gtest.h>

#include "cimp/text_file.h"
#include "pp_harness.h"

namespace cimp::cpp::testing {
namespace {

unsigned char At(const char* p) {
    return static_cast<unsigned char>(*p);
}

TEST(Source, FileBufferIsFilledInBlocks) {
    PpState pp;
    PpSource* source = PushSource(pp, "big.h", std::make_unique<MemoryInput>(std::string(5000, 'x')));
    EXPECT_EQ(source->bufferSize, kPpBufferSize);
    EXPECT_EQ(source->line, 1);
    EXPECT_EQ(At(source->bufferLimit), kPpRefillMarker);
    EXPECT_EQ(FillBuffer(*source), 0);
    EXPECT_EQ(source->bufferLimit - source->bufferStart, 4096);
    for (std::size_t i = 0; i < kPpMarkerBytes; ++i) {
        EXPECT_EQ(At(source->bufferLimit + i), kPpRefillMarker);
    }
    EXPECT_EQ(FillBuffer(*source), 0);
    EXPECT_EQ(source->bufferLimit - source->bufferStart, 5000);
    EXPECT_EQ(FillBuffer(*source), -1);
    EXPECT_EQ(source->bufferLimit - source->bufferStart, 5000);
    for (std::size_t i = 0; i < kPpMarkerBytes; ++i) {
        EXPECT_EQ(At(source->bufferLimit + i), kPpEndMarker);
    }
}

TEST(Source, StringSourceHoldsACopyAndReadsNothingMore) {
    PpState pp;
    std::string text = "a b";
    PpSource* source = PushSource(pp, "<cmdarg>", text);
    text[0] = 'z';
    EXPECT_FALSE(source->IsFile());
    EXPECT_EQ(std::string(source->bufferStart, source->bufferLimit), "a b");
    EXPECT_EQ(At(source->bufferLimit), kPpRefillMarker);
    EXPECT_EQ(FillBuffer(*source), -1);
    EXPECT_EQ(At(source->bufferLimit), kPpEndMarker);
}

TEST(Source, StackAndInnermostFile) {
    PpState pp;
    EXPECT_EQ(pp.sources.InnermostFile(), nullptr);
    PpSource* file = PushSource(pp, "main.h", std::make_unique<MemoryInput>(""));
    PpSource* macro = PushSource(pp, "<macro>", std::string_view());
    EXPECT_EQ(pp.sources.Top(), macro);
    EXPECT_EQ(macro->next, file);
    EXPECT_EQ(pp.sources.InnermostFile(), file);
    PopSource(pp);
    EXPECT_EQ(pp.sources.Top(), file);
    PopSource(pp);
    EXPECT_TRUE(pp.sources.Empty());
    PopSource(pp);
    PushSource(pp, "<if>", std::string_view());
    EXPECT_EQ(pp.sources.InnermostFile(), pp.sources.Top());
}

TEST(Source, TokensOfAPoppedStringSourceLiveUntilTheNextLine) {
    PpHarness harness;
    PushSource(harness.pp(), "<##>", std::string("joined"));
    PpTokenRow row(3);
    ReadLine(harness.pp(), row, true);
    PopSource(harness.pp());
    EXPECT_EQ(std::string(row.base->text, row.base->length), "joined");
}

TEST(Source, ReadingPastTheEndKeepsGivingEnd) {
    PpHarness harness;
    harness.PushFile("x\n");
    harness.LexLine();
    for (int i = 0; i < 3; ++i) {
        const std::vector<LexedToken> line = harness.LexLine();
        ASSERT_EQ(line.size(), 1u);
        EXPECT_EQ(line[0].kind, PpKind::End);
    }
    EXPECT_EQ(harness.diagnostics(), "");
}

TEST(Source, ReadingWithoutASourceGivesEnd) {
    PpState pp;
    PpTokenRow row(1);
    EXPECT_EQ(ReadLine(pp, row, true), 0);
    ASSERT_EQ(row.Size(), 1);
    EXPECT_EQ(row.base->kind, PpKind::End);
}

TEST(Source, CompactsAtThreeQuartersAtTheStartOfALine) {
    std::string text;
    for (int i = 0; i < 4000; ++i) {
        text += "line" + std::to_string(i) + "\n";
    }
    PpHarness harness;
    harness.PushFile(text);
    PpSource* source = harness.pp().sources.Top();
    std::string seen;
    for (;;) {
        const std::vector<LexedToken> line = harness.LexLine();
        ASSERT_LE(source->readPos - source->bufferStart, static_cast<std::ptrdiff_t>(kPpBufferSize / 4 * 3 + 16));
        if (line.back().kind == PpKind::End) {
            break;
        }
        seen += line[0].text + "\n";
    }
    EXPECT_EQ(seen, text);
}

TEST(Source, TextFilesArriveWithPlainNewlines) {
    {
        std::FILE* raw = std::fopen("crlf.h", "wb");
        ASSERT_NE(raw, nullptr);
        std::fputs("int a;\r\n#define X \\\r\n 1\r\n", raw);
        std::fclose(raw);
    }
    auto file = std::make_unique<TextFile>();
    ASSERT_TRUE(file->Open("crlf.h", TextFile::Mode::kRead));
    PpHarness harness;
    PushSource(harness.pp(), "crlf.h", std::make_unique<TextFileInput>(std::move(file)));
    std::string seen;
    for (const LexedToken& token : harness.LexAll()) {
        seen += token.space + token.text;
    }
    EXPECT_EQ(seen, "int a;\n#define X  1\n");
}

}  // namespace
}  // namespace cimp::cpp::testing
