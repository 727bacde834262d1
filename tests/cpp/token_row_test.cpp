// Token rows and their operations.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cimp/cpp/token_row.h"

namespace cimp::cpp {
namespace {

// A row of tokens from a text where each token is a word; a leading '_'
// in a word stands for one blank of white space.
class RowBuilder {
public:
    PpTokenRow Build(std::initializer_list<std::pair<PpKind, const char*>> tokens) {
        PpTokenRow row(1);
        for (const auto& [kind, word] : tokens) {
            const bool blank = word[0] == '_';
            const char* text = blank ? word + 1 : word;
            char* copy = CopyString(arena_, text, std::strlen(text), 1);
            copy[0] = ' ';
            if (row.Size() >= row.capacity) {
                GrowRow(row);
            }
            *row.limit++ = PpToken{kind, 0, 0, blank ? 1u : 0u, static_cast<std::uint32_t>(std::strlen(text)), copy + 1};
        }
        return row;
    }
    PpArena& arena() { return arena_; }

private:
    PpArena arena_;
};

std::string Text(const PpTokenRow& row) {
    std::string text;
    for (const PpToken* token = row.base; token < row.limit; ++token) {
        text.append(token->text - token->spaceLength, token->spaceLength + token->length);
    }
    return text;
}

TEST(TokenRow, MakeAndGrow) {
    PpTokenRow row;
    MakeRow(3, row);
    EXPECT_EQ(row.capacity, 3);
    EXPECT_EQ(row.Size(), 0);
    EXPECT_EQ(row.current, row.base);
    MakeRow(0, row);
    EXPECT_EQ(row.capacity, 0);
    EXPECT_EQ(row.base, nullptr);
    PpToken* limit = GrowRow(row);
    EXPECT_EQ(row.capacity, 1);
    EXPECT_EQ(limit, row.base);
    MakeRow(4, row);
    row.limit += 3;
    row.current = row.base + 2;
    GrowRow(row);
    EXPECT_EQ(row.capacity, 7);
    EXPECT_EQ(row.Size(), 3);
    EXPECT_EQ(row.current - row.base, 2);
}

TEST(TokenRow, CopyAndCompare) {
    RowBuilder b;
    PpTokenRow one = b.Build({{PpKind::Name, "a"}, {PpKind::Plus, "_+"}, {PpKind::Number, "_1"}});
    PpTokenRow copy;
    CopyRow(copy, one);
    EXPECT_EQ(copy.capacity, 3);
    EXPECT_EQ(CompareRows(one, copy), 0);
    PpTokenRow spaced = b.Build({{PpKind::Name, "a"}, {PpKind::Plus, "+"}, {PpKind::Number, "_1"}});
    EXPECT_EQ(CompareRows(one, spaced), 1);
    PpTokenRow other = b.Build({{PpKind::Name, "a"}, {PpKind::Plus, "_+"}, {PpKind::Number, "_2"}});
    EXPECT_EQ(CompareRows(one, other), 1);
    PpTokenRow shorter = b.Build({{PpKind::Name, "a"}, {PpKind::Plus, "_+"}});
    EXPECT_EQ(CompareRows(one, shorter), 1);
    one.current = one.base + 1;
    PpTokenRow tail = b.Build({{PpKind::Plus, "_+"}, {PpKind::Number, "_1"}});
    EXPECT_EQ(CompareRows(one, tail), 0);
}

TEST(TokenRow, NormalizeCopiesTextsWithABlankInFront) {
    RowBuilder b;
    PpTokenRow row = b.Build({{PpKind::Name, "_a"}, {PpKind::Plus, "+"}, {PpKind::Number, "_1"}});
    PpTokenRow normal = NormalizeRow(b.arena(), row);
    ASSERT_EQ(normal.Size(), 3);
    EXPECT_EQ(normal.base[0].spaceLength, 0u);
    EXPECT_EQ(normal.base[1].spaceLength, 0u);
    EXPECT_EQ(normal.base[2].spaceLength, 1u);
    for (const PpToken* token = normal.base; token < normal.limit; ++token) {
        EXPECT_EQ(token->text[-1], ' ');
        EXPECT_EQ(token->text[token->length], '\0');
    }
    EXPECT_NE(normal.base[0].text, row.base[0].text);
    EXPECT_EQ(Text(normal), "a+ 1");
    PpTokenRow empty;
    PpTokenRow none = NormalizeRow(b.arena(), empty);
    EXPECT_EQ(none.capacity, 1);
    EXPECT_EQ(none.Size(), 0);
}

TEST(TokenRow, AdjustAndMove) {
    RowBuilder b;
    PpTokenRow row = b.Build({{PpKind::Name, "a"}, {PpKind::Name, "_b"}, {PpKind::Name, "_c"}});
    row.current = row.base + 1;
    AdjustRow(row, 2);
    EXPECT_EQ(row.Size(), 5);
    PpTokenRow two = b.Build({{PpKind::Name, "_x"}, {PpKind::Name, "_y"}});
    MoveTokens(row, two);
    EXPECT_EQ(Text(row), "a x y b c");
    row.current = row.base + 3;
    AdjustRow(row, -2);
    EXPECT_EQ(Text(row), "a b c");
}

TEST(TokenRow, InsertEnsuresSeparatingBlanks) {
    RowBuilder b;
    PpTokenRow row = b.Build({{PpKind::Name, "a"}, {PpKind::Name, "_M"}, {PpKind::Name, "b"}});
    PpTokenRow body = b.Build({{PpKind::Number, "1"}, {PpKind::Plus, "+"}, {PpKind::Number, "2"}});
    row.current = row.base + 1;
    InsertRow(b.arena(), row, 1, body);
    EXPECT_EQ(row.current, row.base + 4);
    EXPECT_EQ(Text(row), "a 1+2 b");
    EXPECT_EQ(row.base[1].flags & kPpInsertedBlank, kPpInsertedBlank);
    EXPECT_EQ(row.base[4].flags & kPpInsertedBlank, kPpInsertedBlank);
}

TEST(TokenRow, InsertedBlanksNextToNoBlankKindsAreDropped) {
    RowBuilder b;
    PpTokenRow row = b.Build({{PpKind::LeftParen, "("}, {PpKind::Name, "M"}, {PpKind::RightParen, ")"}});
    PpTokenRow body = b.Build({{PpKind::Name, "x"}});
    row.current = row.base + 1;
    InsertRow(b.arena(), row, 1, body);
    EXPECT_EQ(Text(row), "(x)");
    // An inserted blank next to a ';' goes; a written one stays.
    PpTokenRow marked = b.Build({{PpKind::Name, "a"}, {PpKind::Semicolon, "_;"}});
    marked.base[1].flags = kPpInsertedBlank;
    marked.current = marked.base + 1;
    EnsureSpace(b.arena(), marked);
    EXPECT_EQ(Text(marked), "a;");
    PpTokenRow written = b.Build({{PpKind::Name, "a"}, {PpKind::Semicolon, "_;"}});
    written.current = written.base + 1;
    EnsureSpace(b.arena(), written);
    EXPECT_EQ(Text(written), "a ;");
}

TEST(TokenRow, InsertCanRemoveTokens) {
    RowBuilder b;
    PpTokenRow row = b.Build({{PpKind::Name, "a"}, {PpKind::Name, "_E"}, {PpKind::LeftParen, "("},
                              {PpKind::RightParen, ")"}, {PpKind::Name, "_b"}});
    PpTokenRow nothing(1);
    row.current = row.base + 1;
    InsertRow(b.arena(), row, 3, nothing);
    EXPECT_EQ(row.Size(), 2);
    EXPECT_EQ(Text(row), "a b");
}

TEST(TokenRow, EmptyRowHoldsOneNewline) {
    PpTokenRow row;
    EmptyRow(row);
    ASSERT_EQ(row.Size(), 1);
    EXPECT_EQ(row.base->kind, PpKind::Newline);
    EXPECT_EQ(std::string(row.base->text, row.base->length), "\n");
    EXPECT_EQ(row.current, row.base);
}

TEST(TokenRow, CopyStringAndFormatDecimal) {
    PpArena arena;
    char* copy = CopyString(arena, "abc", 3, 2);
    EXPECT_STREQ(copy + 2, "abc");
    char out[16];
    EXPECT_EQ(std::string(out, FormatDecimal(out, 0)), "0");
    EXPECT_EQ(std::string(out, FormatDecimal(out, 32767)), "32767");
    EXPECT_EQ(std::string(out, FormatDecimal(out, -2147483647 - 1)), "-2147483648");
}

TEST(TokenRow, NoBlankSet) {
    for (int kind = 0; kind < kPpKindCount; ++kind) {
        const auto k = static_cast<PpKind>(kind);
        const bool expected = k == PpKind::Newline || k == PpKind::LeftBracket || k == PpKind::RightBracket ||
                              k == PpKind::LeftParen || k == PpKind::RightParen || k == PpKind::Comma ||
                              k == PpKind::Semicolon || k == PpKind::LeftBrace || k == PpKind::RightBrace;
        EXPECT_EQ(IsNoBlank(k), expected) << KindName(k);
    }
}

TEST(TokenRow, MovedRowsOwnTheirTokens) {
    PpTokenRow a(4);
    PpToken* tokens = a.base;
    PpTokenRow b(std::move(a));
    EXPECT_EQ(b.base, tokens);
    EXPECT_EQ(a.base, nullptr);
    PpTokenRow c;
    c = std::move(b);
    EXPECT_EQ(c.base, tokens);
    EXPECT_EQ(c.capacity, 4);
}

}  // namespace
}  // namespace cimp::cpp
