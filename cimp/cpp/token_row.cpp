#include "cimp/cpp/token_row.h"

#include <cstring>
#include <utility>

namespace cimp::cpp {

namespace {

char gNewlineText[] = "\n";

bool NeedsNoBlank(const PpTokenRow& row, const PpToken* token) {
    return IsNoBlank(token->kind) || (token > row.base && IsNoBlank(token[-1].kind));
}

}  // namespace

PpTokenRow::PpTokenRow(int size) {
    MakeRow(size, *this);
}

PpTokenRow::~PpTokenRow() {
    PpFree(base);
}

PpTokenRow::PpTokenRow(PpTokenRow&& other) noexcept
    : current(std::exchange(other.current, nullptr)),
      base(std::exchange(other.base, nullptr)),
      limit(std::exchange(other.limit, nullptr)),
      capacity(std::exchange(other.capacity, 0)) {}

PpTokenRow& PpTokenRow::operator=(PpTokenRow&& other) noexcept {
    if (this != &other) {
        PpFree(base);
        current = std::exchange(other.current, nullptr);
        base = std::exchange(other.base, nullptr);
        limit = std::exchange(other.limit, nullptr);
        capacity = std::exchange(other.capacity, 0);
    }
    return *this;
}

void MakeRow(int size, PpTokenRow& row) {
    PpToken* tokens = size < 1 ? nullptr : static_cast<PpToken*>(PpAlloc(sizeof(PpToken) * size));
    PpFree(row.base);
    row.capacity = size < 1 ? 0 : size;
    row.current = row.base = row.limit = tokens;
}

PpToken* GrowRow(PpTokenRow& row) {
    const int capacity = row.capacity * 3 / 2 + 1;
    auto* tokens = static_cast<PpToken*>(PpAlloc(sizeof(PpToken) * capacity));
    const auto used = row.limit - row.base;
    const auto position = row.current - row.base;
    if (used > 0) {
        std::memcpy(tokens, row.base, sizeof(PpToken) * used);
    }
    PpFree(row.base);
    row.base = tokens;
    row.current = tokens + position;
    row.limit = tokens + used;
    row.capacity = capacity;
    return row.limit;
}

void CopyRow(PpTokenRow& dst, const PpTokenRow& src) {
    const int size = src.Size();
    MakeRow(size, dst);
    if (size > 0) {
        std::memcpy(dst.base, src.base, sizeof(PpToken) * size);
    }
    dst.limit = dst.base + size;
}

PpTokenRow NormalizeRow(PpArena& arena, const PpTokenRow& row) {
    const auto size = static_cast<int>(row.limit - row.current);
    PpTokenRow result(size < 1 ? 1 : size);
    for (const PpToken* token = row.current; token < row.limit; ++token) {
        PpToken copy = *token;
        if (copy.length > 0) {
            char* text = CopyString(arena, token->text, token->length, 1);
            text[0] = ' ';
            copy.text = text + 1;
            copy.spaceLength = token->spaceLength > 0 ? 1 : 0;
        } else {
            copy.spaceLength = 0;
        }
        *result.limit++ = copy;
    }
    if (result.limit > result.base) {
        result.base->spaceLength = 0;
    }
    return result;
}

int CompareRows(const PpTokenRow& a, const PpTokenRow& b) {
    if (a.limit - a.current != b.limit - b.current) {
        return 1;
    }
    for (const PpToken *x = a.current, *y = b.current; x < a.limit; ++x, ++y) {
        if (x->kind != y->kind || (x->spaceLength > 0) != (y->spaceLength > 0) ||
            x->length != y->length || std::memcmp(x->text, y->text, x->length) != 0) {
            return 1;
        }
    }
    return 0;
}

void AdjustRow(PpTokenRow& row, int delta) {
    while (row.Size() + delta > row.capacity) {
        GrowRow(row);
    }
    const auto tail = row.limit - row.current;
    if (tail > 0 && delta != 0) {
        std::memmove(row.current + delta, row.current, sizeof(PpToken) * tail);
    }
    row.limit += delta;
}

void MoveTokens(PpTokenRow& dst, const PpTokenRow& src) {
    if (src.limit > src.base) {
        std::memcpy(dst.current, src.base, sizeof(PpToken) * (src.limit - src.base));
    }
}

void InsertRow(PpArena& arena, PpTokenRow& dst, int count, const PpTokenRow& src) {
    const auto position = dst.current - dst.base;
    dst.current += count;
    AdjustRow(dst, src.Size() - count);
    dst.current = dst.base + position;
    MoveTokens(dst, src);
    EnsureSpace(arena, dst);
    dst.current += src.Size();
    EnsureSpace(arena, dst);
}

void EnsureSpace(PpArena& arena, PpTokenRow& row) {
    if (row.current >= row.limit) {
        return;
    }
    PpToken* token = row.current;
    if (token->spaceLength > 0) {
        if ((token->flags & kPpInsertedBlank) != 0 && NeedsNoBlank(row, token)) {
            token->spaceLength = 0;
        } else {
            token->text[-1] = ' ';
        }
    } else if (!NeedsNoBlank(row, token)) {
        char* text = CopyString(arena, token->text, token->length, 1);
        text[0] = ' ';
        token->text = text + 1;
        token->spaceLength = 1;
        token->flags |= kPpInsertedBlank;
    }
}

void EmptyRow(PpTokenRow& row) {
    if (row.capacity < 1) {
        MakeRow(1, row);
    }
    row.current = row.base;
    *row.base = PpToken{PpKind::Newline, 0, 0, 0, 1, gNewlineText};
    row.limit = row.base + 1;
}

char* CopyString(PpArena& arena, const char* text, std::size_t length, std::size_t offset) {
    char* copy = arena.Allocate(length + offset + 1);
    if (length > 0) {
        std::memcpy(copy + offset, text, length);
    }
    copy[offset + length] = '\0';
    return copy;
}

char* FormatDecimal(char* out, int n) {
    char digits[12];
    int count = 0;
    unsigned value = n < 0 ? 0U - static_cast<unsigned>(n) : static_cast<unsigned>(n);
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    if (n < 0) {
        *out++ = '-';
    }
    while (count > 0) {
        *out++ = digits[--count];
    }
    return out;
}

}  // namespace cimp::cpp
