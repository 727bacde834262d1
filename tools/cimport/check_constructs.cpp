#include "check_constructs.h"

#include <algorithm>
#include <set>
#include <string_view>

#include "cimp/parse/tokens.h"
#include "line_text.h"

namespace cimport_cli {

namespace {

using namespace cimp::parse;

constexpr std::size_t kLongestName = 255;

bool IsName(int32_t code) { return code == TK_IDENTIFIER || code == TK_TYPEDEF_NAME; }
bool IsConstant(int32_t code) {
    return code == TK_FLOATING_CONSTANT || code == TK_INTEGER_CONSTANT || code == TK_OCTAL_CONSTANT ||
           code == TK_HEX_CONSTANT;
}
bool IsCxxKeyword(int32_t code) { return code >= TK_NEW && code <= TK_OVERLOAD; }
// What follows a name in a declaration or an expression.
bool FollowsName(int32_t code) {
    return code == ';' || code == ',' || code == '[' || code == ')' || code == '=' || code == '(' || code == ':';
}

// What comes before a name only: a member access, a tag keyword.
bool PrecedesName(int32_t code) {
    return code == '.' || code == TK_ARROW || code == TK_STRUCT || code == TK_UNION || code == TK_ENUM;
}

// A brace-enclosed body as a C compiler sees it.
struct Body {
    enum class Kind { kStructure, kUnion, kEnum, kOther } kind = Kind::kOther;
    std::size_t open = 0;
    std::vector<std::string> members;
    std::string name;       // the last name of the declarator being read
    std::string innerName;  // the first name inside its parentheses: (*f)
    int parentheses = 0;
    bool inWidth = false;   // after a bit-field's ':'
    bool HasMembers() const { return kind == Kind::kStructure || kind == Kind::kUnion; }
};

class Finder {
public:
    Finder(const std::vector<ScannedToken>& tokens, const std::vector<std::string_view>& lines)
        : tokens_(tokens), lines_(lines) {}

    void Run(Constructs& found) {
        found_ = &found;
        for (std::size_t i = 0; i < tokens_.size(); ++i) {
            if (bodies_.empty() && brackets_ == 0 && (Code(i) == TK_TYPEDEF || Code(i) == ';'))
                fileTypedef_ = Code(i) == TK_TYPEDEF;
            AnyPlace(i);
            if (InBrackets(i)) continue;
            InBody(i);
        }
    }

private:
    int32_t Code(std::size_t i) const { return i < tokens_.size() ? tokens_[i].code : 0; }
    const std::string& Text(std::size_t i) const {
        static const std::string kNone;
        return i < tokens_.size() ? tokens_[i].text : kNone;
    }

    void Add(ConstructKind kind, std::size_t first, std::size_t last, std::string what, std::string spelled = "") {
        found_->list.push_back({kind, first, last, std::move(what), InnermostStructure(), std::move(spelled)});
    }

    std::size_t InnermostStructure() const {
        for (auto body = bodies_.rbegin(); body != bodies_.rend(); ++body)
            if (body->kind == Body::Kind::kStructure) return body->open;
        return kNoBody;
    }

    // Constructs that count wherever they are.
    void AnyPlace(std::size_t i) {
        const int32_t code = Code(i);
        if (IsConstant(code) && IsName(Code(i + 1))) {
            const std::string joined = Text(i) + Text(i + 1);
            Add(ConstructKind::kSplitConstant, i, i + 1,
                (Written(i, joined) ? "the constant " + joined + ", read as " : "the constant ") + Text(i) +
                    " followed by the name " + Text(i + 1),
                Text(i));
        } else if (IsCxxKeyword(code) && (FollowsName(Code(i + 1)) || PrecedesName(Code(i - 1)))) {
            Add(ConstructKind::kCxxKeyword, i, i + 1, "the C++ keyword " + Text(i) + " used as a name", Text(i));
        } else if (IsName(code) && Text(i).size() > kLongestName && longNames_.insert(Text(i)).second) {
            Add(ConstructKind::kLongName, i, i, "a name of " + std::to_string(Text(i).size()) + " characters");
        }
    }

    // True when the text holds what on the line of token i.
    bool Written(std::size_t i, const std::string& what) const {
        const std::size_t line = static_cast<std::size_t>(tokens_[i].line);
        return line >= 1 && line <= lines_.size() && lines_[line - 1].find(what) != std::string_view::npos;
    }

    // Array sizes of members and typedefs: only a single decimal constant is read as C reads it.
    bool InBrackets(std::size_t i) {
        const int32_t code = Code(i);
        if (code == '[') {
            if (brackets_++ == 0) bracketOpen_ = i;
            return true;
        }
        if (brackets_ == 0) return false;
        if (code == ']' && --brackets_ == 0) ArraySize(i);
        return true;
    }

    void ArraySize(std::size_t close) {
        const bool member = !bodies_.empty() && bodies_.back().HasMembers() && bodies_.back().parentheses == 0;
        if (!member && !(bodies_.empty() && fileTypedef_)) return;
        std::string written;
        std::string read;
        bool onlyParentheses = true;  // around the constants: (16) reads as C reads it
        int constants = 0;
        for (std::size_t i = bracketOpen_ + 1; i < close; ++i) {
            written += (written.empty() ? "" : " ") + Text(i);
            if (Code(i) == TK_INTEGER_CONSTANT) {
                read += "[" + Text(i) + "]";
                ++constants;
            } else if (Code(i) != '(' && Code(i) != ')') {
                onlyParentheses = false;
            }
        }
        if (constants == 1 && onlyParentheses) return;
        Add(ConstructKind::kArraySize, bracketOpen_, close,
            "the array size [" + written + "], read as " + (read.empty() ? "no dimension" : read));
    }

    void InBody(std::size_t i) {
        const int32_t code = Code(i);
        if (code == '{') return Open(i);
        if (code == '}') return Close();
        if (bodies_.empty() || !bodies_.back().HasMembers()) return;
        Body& body = bodies_.back();
        if (code == '(') ++body.parentheses;
        if (code == ')') --body.parentheses;
        if (body.parentheses > 0) {
            if (IsName(code) && body.innerName.empty()) body.innerName = Text(i);
            return;
        }
        if (IsName(code) && !body.inWidth) body.name = Text(i);
        if (code == ':') {
            body.inWidth = true;
            Add(ConstructKind::kBitField, i, i + 1, "the bit-field " + body.name + " : " + Text(i + 1));
        }
        if (code == ';' || code == ',') {
            const std::string& member = body.name.empty() ? body.innerName : body.name;
            if (!member.empty()) body.members.push_back(member);
            body.name.clear();
            body.innerName.clear();
            body.inWidth = false;
        }
    }

    void Open(std::size_t i) {
        int32_t keyword = Code(i - 1);
        if (IsName(keyword)) keyword = Code(i - 2);
        const Body::Kind kind = keyword == TK_STRUCT  ? Body::Kind::kStructure
                                : keyword == TK_UNION ? Body::Kind::kUnion
                                : keyword == TK_ENUM  ? Body::Kind::kEnum
                                                      : Body::Kind::kOther;
        if (kind == Body::Kind::kUnion && bodies_.empty())
            Add(ConstructKind::kFileScopeUnion, i, i, "a union at file scope");
        if ((kind == Body::Kind::kUnion || kind == Body::Kind::kEnum) && InnermostStructure() != kNoBody) {
            const bool isUnion = kind == Body::Kind::kUnion;
            Add(isUnion ? ConstructKind::kUnionInStructure : ConstructKind::kEnumInStructure, i, i,
                isUnion ? "a union body inside a structure body" : "an enum body inside a structure body");
        }
        Body body;
        body.kind = kind;
        body.open = i;
        bodies_.push_back(std::move(body));
    }

    void Close() {
        if (bodies_.empty()) return;
        Body& body = bodies_.back();
        if (body.kind == Body::Kind::kStructure) found_->bodyMembers[body.open] = std::move(body.members);
        bodies_.pop_back();
    }

    const std::vector<ScannedToken>& tokens_;
    const std::vector<std::string_view>& lines_;
    Constructs* found_ = nullptr;
    std::vector<Body> bodies_;
    bool fileTypedef_ = false;  // in a typedef declaration at file scope
    int brackets_ = 0;
    std::size_t bracketOpen_ = 0;
    std::set<std::string> longNames_;
};

// The numbers of the lines that are #pragma directives.
std::vector<int32_t> PragmaLines(const std::vector<std::string_view>& lines) {
    std::vector<int32_t> found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        std::size_t at = line.find_first_not_of(" \t");
        if (at == std::string_view::npos || line[at] != '#') continue;
        at = line.find_first_not_of(" \t", at + 1);
        if (at != std::string_view::npos && line.substr(at, 6) == "pragma")
            found.push_back(static_cast<int32_t>(i + 1));
    }
    return found;
}

void AddPragmas(const std::vector<ScannedToken>& tokens, const std::vector<std::string_view>& lines,
                Constructs& found) {
    for (const int32_t line : PragmaLines(lines)) {
        const auto first = std::lower_bound(tokens.begin(), tokens.end(), line,
                                            [](const ScannedToken& token, int32_t l) { return token.line < l; });
        if (first == tokens.end() || first->line != line) continue;
        auto last = first;
        while (last + 1 != tokens.end() && (last + 1)->line == line) ++last;
        found.list.push_back({ConstructKind::kPragma, static_cast<std::size_t>(first - tokens.begin()),
                              static_cast<std::size_t>(last - tokens.begin()), "a #pragma line", kNoBody, ""});
    }
}

}  // namespace

Constructs FindConstructs(const std::vector<ScannedToken>& tokens, const std::string& preprocessed) {
    Constructs found;
    const std::vector<std::string_view> lines = SplitLines(preprocessed);
    Finder(tokens, lines).Run(found);
    AddPragmas(tokens, lines, found);
    std::stable_sort(found.list.begin(), found.list.end(),
                     [](const Construct& a, const Construct& b) { return a.first < b.first; });
    return found;
}

}  // namespace cimport_cli
