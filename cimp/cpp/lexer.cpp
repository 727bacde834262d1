#include "cimp/cpp/lexer.h"

#include <cstring>

#include "cimp/cpp/pp_state.h"

namespace cimp::cpp {

namespace {

// Action codes of the table's action words.
enum Action : int {
    kEmit = 32,            // the token ends after this byte
    kEnd = 33,             // the token ends before this byte
    kEndOfInput = 34,
    kNewline = 35,
    kLiteralEof = 36,
    kLiteralNewline = 37,
    kCommentNewline = 38,
    kCommentEof = 39,
    kCommentEnd = 40,
    kRefill = 41,
    kWhiteEnd = 42,
    kNameEnd = 43,
};

// States inside comments (their text is dropped when the buffer fills up).
constexpr int kBlockComment = 9;
constexpr int kBlockCommentStar = 10;
constexpr int kLineComment = 11;

constexpr int kCodeMask = 63;
constexpr int kCheckFlag = 64;
constexpr int kKindShift = 7;

constexpr int Word(Action action, PpKind kind = PpKind::End) {
    return action | (static_cast<int>(kind) << kKindShift);
}

// Character classes of the rules besides single bytes.
constexpr int kAny = 256;
constexpr int kLetter = 257;
constexpr int kDigit = 258;
constexpr int kNone = -1;

struct Rule {
    int state;
    int classes[4];
    int target;  // below 32 a state, else an action word
};

constexpr int kEof = kPpEndMarker;

// clang-format off
constexpr Rule kRules[] = {
    {0, {kAny, kNone, kNone, kNone}, Word(kEmit, PpKind::Unclassified)},
    {0, {' ', '\t', '\v', kNone}, 14},
    {0, {kDigit, kNone, kNone, kNone}, 1},
    {0, {'.', kNone, kNone, kNone}, 3},
    {0, {kLetter, kNone, kNone, kNone}, 4},
    {0, {'L', kNone, kNone, kNone}, 5},
    {0, {'"', kNone, kNone, kNone}, 6},
    {0, {'\'', kNone, kNone, kNone}, 12},
    {0, {'/', kNone, kNone, kNone}, 8},
    {0, {kEof, kNone, kNone, kNone}, Word(kEndOfInput)},
    {0, {'\n', kNone, kNone, kNone}, Word(kNewline)},
    {0, {'-', kNone, kNone, kNone}, 16},
    {0, {'+', kNone, kNone, kNone}, 15},
    {0, {'<', kNone, kNone, kNone}, 24},
    {0, {'>', kNone, kNone, kNone}, 22},
    {0, {'=', kNone, kNone, kNone}, 28},
    {0, {'!', kNone, kNone, kNone}, 29},
    {0, {'&', kNone, kNone, kNone}, 27},
    {0, {'|', kNone, kNone, kNone}, 26},
    {0, {'#', kNone, kNone, kNone}, 20},
    {0, {'%', kNone, kNone, kNone}, 19},
    {0, {'[', kNone, kNone, kNone}, Word(kEmit, PpKind::LeftBracket)},
    {0, {']', kNone, kNone, kNone}, Word(kEmit, PpKind::RightBracket)},
    {0, {'(', kNone, kNone, kNone}, Word(kEmit, PpKind::LeftParen)},
    {0, {')', kNone, kNone, kNone}, Word(kEmit, PpKind::RightParen)},
    {0, {'*', kNone, kNone, kNone}, 17},
    {0, {',', kNone, kNone, kNone}, Word(kEmit, PpKind::Comma)},
    {0, {'?', kNone, kNone, kNone}, Word(kEmit, PpKind::Question)},
    {0, {':', kNone, kNone, kNone}, Word(kEmit, PpKind::Colon)},
    {0, {';', kNone, kNone, kNone}, Word(kEmit, PpKind::Semicolon)},
    {0, {'{', kNone, kNone, kNone}, Word(kEmit, PpKind::LeftBrace)},
    {0, {'}', kNone, kNone, kNone}, Word(kEmit, PpKind::RightBrace)},
    {0, {'~', kNone, kNone, kNone}, Word(kEmit, PpKind::Tilde)},
    {0, {'^', kNone, kNone, kNone}, 21},
    // numbers
    {1, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Number)},
    {1, {kDigit, kLetter, '.', kNone}, 1},
    {1, {'E', 'e', kNone, kNone}, 2},
    {1, {'_', kNone, kNone, kNone}, Word(kEnd, PpKind::Number)},
    {2, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Number)},
    {2, {'+', '-', kNone, kNone}, 1},
    {2, {kDigit, kLetter, kNone, kNone}, 1},
    {2, {'_', kNone, kNone, kNone}, Word(kEnd, PpKind::Number)},
    {3, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Dot)},
    {3, {'.', kNone, kNone, kNone}, 30},
    {3, {kDigit, kNone, kNone, kNone}, 1},
    {30, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Unclassified)},
    {30, {kDigit, kNone, kNone, kNone}, 1},
    {30, {'.', kNone, kNone, kNone}, Word(kEmit, PpKind::Ellipsis)},
    // names
    {4, {kAny, kNone, kNone, kNone}, Word(kNameEnd)},
    {4, {kLetter, kDigit, kNone, kNone}, 4},
    {5, {kAny, kNone, kNone, kNone}, Word(kNameEnd)},
    {5, {kLetter, kDigit, kNone, kNone}, 4},
    {5, {'"', kNone, kNone, kNone}, 6},
    {5, {'\'', kNone, kNone, kNone}, 12},
    // string literals and character constants
    {6, {kAny, kNone, kNone, kNone}, 6},
    {6, {'"', kNone, kNone, kNone}, Word(kEmit, PpKind::String)},
    {6, {'\\', kNone, kNone, kNone}, 7},
    {6, {'\n', kNone, kNone, kNone}, Word(kLiteralNewline)},
    {6, {kEof, kNone, kNone, kNone}, Word(kLiteralEof)},
    {7, {kAny, kNone, kNone, kNone}, 6},
    {7, {'\n', kNone, kNone, kNone}, Word(kLiteralNewline)},
    {7, {kEof, kNone, kNone, kNone}, Word(kLiteralEof)},
    {12, {kAny, kNone, kNone, kNone}, 12},
    {12, {'\'', kNone, kNone, kNone}, Word(kEmit, PpKind::CharConst)},
    {12, {'\\', kNone, kNone, kNone}, 13},
    {12, {'\n', kNone, kNone, kNone}, Word(kLiteralNewline)},
    {12, {kEof, kNone, kNone, kNone}, Word(kLiteralEof)},
    {13, {kAny, kNone, kNone, kNone}, 12},
    {13, {'\n', kNone, kNone, kNone}, Word(kLiteralNewline)},
    {13, {kEof, kNone, kNone, kNone}, Word(kLiteralEof)},
    // comments
    {8, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Slash)},
    {8, {'=', kNone, kNone, kNone}, Word(kEmit, PpKind::SlashAssign)},
    {8, {'*', kNone, kNone, kNone}, 9},
    {8, {'/', kNone, kNone, kNone}, 11},
    {9, {kAny, kNone, kNone, kNone}, 9},
    {9, {'\n', kNone, kNone, kNone}, Word(kCommentNewline)},
    {9, {'*', kNone, kNone, kNone}, 10},
    {9, {kEof, kNone, kNone, kNone}, Word(kCommentEof)},
    {10, {kAny, kNone, kNone, kNone}, 9},
    {10, {'\n', kNone, kNone, kNone}, Word(kCommentNewline)},
    {10, {'*', kNone, kNone, kNone}, 10},
    {10, {'/', kNone, kNone, kNone}, Word(kCommentEnd)},
    {11, {kAny, kNone, kNone, kNone}, 11},
    {11, {'\n', kNone, kNone, kNone}, Word(kNewline)},
    {11, {kEof, kNone, kNone, kNone}, Word(kCommentEof)},
    // white space
    {14, {kAny, kNone, kNone, kNone}, Word(kWhiteEnd)},
    {14, {' ', '\t', '\v', kNone}, 14},
    // operators
    {16, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Minus)},
    {16, {'-', kNone, kNone, kNone}, Word(kEmit, PpKind::Decrement)},
    {16, {'=', kNone, kNone, kNone}, Word(kEmit, PpKind::MinusAssign)},
    {16, {'>', kNone, kNone, kNone}, Word(kEmit, PpKind::Arrow)},
    {15, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Plus)},
    {15, {'+', kNone, kNone, kNone}, Word(kEmit, PpKind::Increment)},
    {15, {'=', kNone, kNone, kNone}, Word(kEmit, PpKind::PlusAssign)},
    {24, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Less)},
    {24, {'<', kNone, kNone, kNone}, 25},
    {24, {'=', kNone, kNone, kNone}, Word(kEmit, PpKind::LessEqual)},
    {25, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::ShiftLeft)},
    {25, {'=', kNone, kNone, kNone}, Word(kEmit, PpKind::ShiftLeftAssign)},
    {22, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Greater)},
    {22, {'>', kNone, kNone, kNone}, 23},
    {22, {'=', kNone, kNone, kNone}, Word(kEmit, PpKind::GreaterEqual)},
    {23, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::ShiftRight)},
    {23, {'=', kNone, kNone, kNone}, Word(kEmit, PpKind::ShiftRightAssign)},
    {28, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Assign)},
    {28, {'=', kNone, kNone, kNone}, Word(kEmit, PpKind::Equal)},
    {29, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Not)},
    {29, {'=', kNone, kNone, kNone}, Word(kEmit, PpKind::NotEqual)},
    {27, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Ampersand)},
    {27, {'&', kNone, kNone, kNone}, Word(kEmit, PpKind::LogicalAnd)},
    {27, {'=', kNone, kNone, kNone}, Word(kEmit, PpKind::AmpersandAssign)},
    {26, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Bar)},
    {26, {'|', kNone, kNone, kNone}, Word(kEmit, PpKind::LogicalOr)},
    {26, {'=', kNone, kNone, kNone}, Word(kEmit, PpKind::BarAssign)},
    {20, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Hash)},
    {20, {'#', kNone, kNone, kNone}, Word(kEmit, PpKind::Paste)},
    {19, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Percent)},
    {19, {'=', kNone, kNone, kNone}, Word(kEmit, PpKind::PercentAssign)},
    {17, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Star)},
    {17, {'=', kNone, kNone, kNone}, Word(kEmit, PpKind::StarAssign)},
    {21, {kAny, kNone, kNone, kNone}, Word(kEnd, PpKind::Caret)},
    {21, {'=', kNone, kNone, kNone}, Word(kEmit, PpKind::CaretAssign)},
};
// clang-format on

bool InClass(int byte, int cls) {
    switch (cls) {
    case kAny:
        return true;
    case kLetter:
        return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || byte == '_';
    case kDigit:
        return byte >= '0' && byte <= '9';
    default:
        return byte == cls;
    }
}

std::int16_t Entry(int target) {
    return static_cast<std::int16_t>(target < 32 ? target : ~target);
}

// A byte that belongs to the class "any" only, standing in for a marker byte
// that occurs in the text itself.
constexpr unsigned char kPlainByte = 0xFC;

}  // namespace

void BuildLexTable(PpLexTables& lex) {
    std::memset(lex.table, 0, sizeof lex.table);
    std::memset(lex.quickLook, 0, sizeof lex.quickLook);
    for (const Rule& rule : kRules) {
        for (int cls : rule.classes) {
            if (cls == kNone) {
                continue;
            }
            for (int byte = 0; byte < 256; ++byte) {
                if (InClass(byte, cls)) {
                    lex.table[byte][rule.state] = Entry(rule.target);
                }
            }
        }
    }
    for (int state = 0; state < kPpLexStates; ++state) {
        for (int byte : {'?', '\\'}) {
            const int former = lex.table[byte][state];
            lex.table[byte][state] = static_cast<std::int16_t>(~((former >= 0 ? former : ~former) | kCheckFlag));
        }
        lex.table[kPpRefillMarker][state] = Entry(Word(kRefill));
        if (lex.table[kPpEndMarker][state] >= 0) {
            lex.table[kPpEndMarker][state] = Entry(Word(kEndOfInput));
        }
    }
}

void FixLexTable(PpLexTables& lex) {
    if (lex.lineComments == 0) {
        lex.table[static_cast<unsigned char>('/')][8] = lex.table[static_cast<unsigned char>('x')][8];
    }
}

void SetQuickLook(PpLexTables& lex, const char* name, std::size_t length) {
    const auto c0 = static_cast<unsigned char>(name[0]);
    const auto c1 = length > 1 ? static_cast<unsigned char>(name[1]) : 0u;
    lex.quickLook[c0 % 64] |= 1u << (c1 % 32);
}

bool QuickLook(const PpLexTables& lex, const PpToken& token) {
    if (token.length == 0) {
        return false;
    }
    const auto c0 = static_cast<unsigned char>(token.text[0]);
    const auto c1 = token.length > 1 ? static_cast<unsigned char>(token.text[1]) : 0u;
    return (lex.quickLook[c0 % 64] >> (c1 % 32) & 1u) != 0;
}

namespace {

void EnsureRoom(PpTokenRow& row) {
    if (row.Size() >= row.capacity) {
        GrowRow(row);
    }
}

// Reads one logical line of the current source into a row.
class LineLexer {
public:
    LineLexer(PpState& pp, PpTokenRow& row, PpSource& source)
        : pp_(pp), row_(row), source_(source), table_(pp.lexer.table) {}

    int Run() {
        for (;;) {
            EnsureRoom(row_);
            if (ReadToken()) {
                return hint_;
            }
        }
    }

private:
    enum class Step { kGoOn, kTokenDone, kRowDone };

    // One token; true when it completed the row.
    bool ReadToken() {
        char* p = source_.readPos;
        text_ = p;
        space_ = 0;
        int state = 0;
        for (;;) {
            const int entry = table_[static_cast<unsigned char>(*p)][state];
            if (entry >= 0) {
                state = entry;
                ++p;
                // The bytes that keep the state (the rest of a name, a number,
                // a run of spaces) go by in a loop whose state is fixed.
                while (table_[static_cast<unsigned char>(*p)][state] == state) ++p;
                continue;
            }
            // The common endings are handled here; the rest (and every
            // entry with the check flag) in Act.
            const int word = ~entry;
            const auto kind = static_cast<PpKind>(word >> kKindShift);
            switch (word & (kCodeMask | kCheckFlag)) {
            case kWhiteEnd:
                space_ = static_cast<std::uint32_t>(p - text_);
                text_ = p;
                state = 0;
                continue;
            case kEmit:
                Finish(kind, p + 1);
                return false;
            case kEnd:
                Finish(kind, p);
                return false;
            case kNameEnd:
                FinishName(p);
                return false;
            default:
                break;
            }
            // Act gets copies, so that p and state can stay in registers.
            char* at = p;
            int next = state;
            const Step step = Act(word, at, next);
            if (step != Step::kGoOn) {
                return step == Step::kRowDone;
            }
            p = at;
            state = next;
        }
    }

    Step Act(int word, char*& p, int& state) {
        inComment_ = state == kBlockComment || state == kBlockCommentStar || state == kLineComment;
        if ((word & kCheckFlag) != 0) {
            if (Check(p)) {
                return Step::kGoOn;  // the byte at p changed: read it again
            }
            word &= ~kCheckFlag;
            if ((word & kCodeMask) < 32) {
                state = word & kCodeMask;
                ++p;
                return Step::kGoOn;
            }
        }
        const auto kind = static_cast<PpKind>(word >> kKindShift);
        switch (word & kCodeMask) {
        case kEmit:
            return Finish(kind, p + 1);
        case kEnd:
            return Finish(kind, p);
        case kNameEnd:
            return FinishName(p);
        case kNewline:
            return NewlineToken(p);
        case kLiteralNewline:
            ReportDiag(pp_.diag, kPpError, "Unterminated string or char const");
            return NewlineToken(p);
        case kCommentNewline:
            ++source_.lineIncrement;
            ++p;
            state = kBlockComment;
            return Step::kGoOn;
        case kCommentEnd:
            ++p;
            StartAfterComment(p, state);
            return Step::kGoOn;
        case kWhiteEnd:
            space_ = static_cast<std::uint32_t>(p - text_);
            text_ = p;
            state = 0;
            return Step::kGoOn;
        case kRefill:
            if (p < source_.bufferLimit) {
                return ActAsPlainByte(p, state);
            }
            Refill(p);
            return Step::kGoOn;
        default:
            return ActAtEnd(word & kCodeMask, p, state);
        }
    }

    // The actions at the end-of-input marker.
    Step ActAtEnd(int code, char*& p, int& state) {
        if (p < source_.bufferLimit) {
            return ActAsPlainByte(p, state);
        }
        switch (code) {
        case kLiteralEof:
            ReportDiag(pp_.diag, kPpFatal, "EOF in string or char constant");
            return Step::kRowDone;
        case kCommentEof:
            ReportDiag(pp_.diag, kPpWarning, "EOF inside comment");
            StartAfterComment(p, state);
            return Step::kGoOn;
        default:
            return EndToken(p);
        }
    }

    // A marker byte inside the text itself is an ordinary character.
    Step ActAsPlainByte(char*& p, int& state) {
        const int entry = table_[kPlainByte][state];
        if (entry >= 0) {
            state = entry;
            ++p;
            return Step::kGoOn;
        }
        return Act(~entry, p, state);
    }

    Step Finish(PpKind kind, char* end) {
        *row_.limit++ = PpToken{kind, 0, 0, space_, static_cast<std::uint32_t>(end - text_), text_};
        source_.readPos = end;
        return Step::kTokenDone;
    }

    Step FinishName(char* end) {
        Finish(PpKind::Name, end);
        hint_ |= QuickLook(pp_.lexer, row_.limit[-1]) ? 1 : 0;
        return Step::kTokenDone;
    }

    Step NewlineToken(char* p) {
        *row_.limit++ = PpToken{PpKind::Newline, 0, 0, 0, 1, p};
        ++source_.lineIncrement;
        source_.readPos = p + 1;
        return Step::kRowDone;
    }

    Step EndToken(char* p) {
        if (row_.limit > row_.base && row_.limit[-1].kind != PpKind::Newline && source_.IsFile()) {
            ReportDiag(pp_.diag, kPpWarning, "No newline at end of file");
        }
        *row_.limit++ = PpToken{PpKind::End, 0, 0, space_, 0, text_};
        source_.readPos = p;
        return Step::kRowDone;
    }

    void StartAfterComment(char* p, int& state) {
        p[-1] = ' ';
        text_ = p;
        space_ = 1;
        state = 0;
    }

    // '?' (trigraph) or '\' (splice) at p; true when the buffer was changed.
    bool Check(char*& p) {
        if (*p == '?') {
            return Trigraph(p);
        }
        if (*p == '\\') {
            return Splice(p);
        }
        ReportDiag(pp_.diag, kPpWarning, "Lexical botch in cpp");
        return false;
    }

    bool Trigraph(char*& p) {
        static constexpr char kFrom[] = "=(/)'<!>-";
        static constexpr char kTo[] = "#[\\]^{|}~";
        EnsureBytes(p, 3);
        if (p + 3 > source_.bufferLimit || p[1] != '?' || p[2] == '\0') {
            return false;
        }
        const char* found = std::strchr(kFrom, p[2]);
        if (found == nullptr) {
            return false;
        }
        *p = kTo[found - kFrom];
        RemoveBytes(p + 1, 2);
        return true;
    }

    bool Splice(char*& p) {
        EnsureBytes(p, 2);
        if (p + 2 > source_.bufferLimit || p[1] != '\n') {
            return false;
        }
        RemoveBytes(p, 2);
        ++source_.lineIncrement;
        return true;
    }

    void RemoveBytes(char* at, std::size_t count) {
        std::memmove(at, at + count, source_.bufferLimit + kPpMarkerBytes - (at + count));
        source_.bufferLimit -= count;
    }

    // Fills until count bytes from p are in the buffer or the input ends.
    void EnsureBytes(char*& p, std::size_t count) {
        while (static_cast<std::size_t>(source_.bufferLimit - p) < count &&
               static_cast<unsigned char>(*source_.bufferLimit) != kPpEndMarker) {
            Refill(p);
        }
    }

    void Refill(char*& p) {
        if (source_.IsFile() && source_.bufferLimit == source_.bufferStart + source_.bufferSize) {
            MakeRoom(p);
        }
        FillBuffer(source_);
    }

    // The buffer is full: the line moves to the buffer's start, or, when it
    // starts there already, the text of the comment being read is dropped
    // (it ends as one blank in front of the next token, and only its opening
    // two bytes stay).  A line whose tokens alone fill the buffer is fatal.
    void MakeRoom(char*& p) {
        if (source_.lineStart != source_.bufferStart) {
            MoveLineToStart(p);
        } else if (inComment_ && p - text_ > 2) {
            DropCommentText(p);
        } else {
            ReportDiag(pp_.diag, kPpFatal, "Line too long for the input buffer");
        }
    }

    void DropCommentText(char*& p) {
        char* const kept = text_ + 2;
        std::memmove(kept, p, source_.bufferLimit + kPpMarkerBytes - p);
        source_.bufferLimit -= p - kept;
        p = kept;
    }

    // The line's bytes go to the buffer's start, and every pointer into them
    // follows.
    void MoveLineToStart(char*& p) {
        char* const from = source_.lineStart;
        const std::ptrdiff_t shift = from - source_.bufferStart;
        char* const end = source_.bufferLimit + kPpMarkerBytes;
        std::memmove(source_.bufferStart, from, end - from);
        for (PpToken* token = row_.base; token < row_.limit; ++token) {
            if (token->text >= from && token->text <= end) {
                token->text -= shift;
            }
        }
        text_ -= shift;
        p -= shift;
        source_.readPos -= shift;
        source_.bufferLimit -= shift;
        source_.lineStart = source_.bufferStart;
    }

    PpState& pp_;
    PpTokenRow& row_;
    PpSource& source_;
    const std::int16_t (*table_)[kPpLexStates];
    char* text_ = nullptr;     // the current token's text
    std::uint32_t space_ = 0;  // its leading white space
    int hint_ = 0;
    bool inComment_ = false;   // the byte being acted on lies in a comment
};

// Makes room at the start of a line: a used-up buffer starts afresh; a file
// buffer read past three quarters moves its unread bytes to the start.
void PrepareLine(PpSource& source) {
    source.lineIncrement = 0;
    if (source.readPos >= source.bufferLimit) {
        source.readPos = source.bufferLimit = source.bufferStart;
        FillBuffer(source);
    } else if (source.IsFile() &&
               static_cast<std::size_t>(source.readPos - source.bufferStart) >= source.bufferSize / 4 * 3) {
        const std::size_t keep = source.bufferLimit + kPpMarkerBytes - source.readPos;
        std::memmove(source.bufferStart, source.readPos, keep);
        source.bufferLimit = source.bufferStart + (keep - kPpMarkerBytes);
        source.readPos = source.bufferStart;
    }
    source.lineStart = source.readPos;
}

}  // namespace

int ReadLine(PpState& pp, PpTokenRow& row, bool startOfLine) {
    PpSource* source = pp.sources.Top();
    if (source == nullptr) {
        static char noText[] = "";
        EnsureRoom(row);
        *row.limit++ = PpToken{PpKind::End, 0, 0, 0, 0, noText};
        return 0;
    }
    if (startOfLine) {
        PrepareLine(*source);
    }
    LineLexer lexer(pp, row, *source);
    return lexer.Run();
}

}  // namespace cimp::cpp
