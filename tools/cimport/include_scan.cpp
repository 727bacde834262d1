#include "include_scan.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <functional>
#include <set>
#include <string_view>

#include "cimp/cpp/include.h"
#include "cimp/text_file.h"
#include "line_text.h"

namespace cimport_cli {

namespace {

constexpr std::size_t kNone = std::string::npos;

// The blanks of the preprocessor's lexer.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }
// A character that the lexer reads as part of a token in a <...> name, so
// that the name is the text between the angles as it stands.
bool IsPlainAngleChar(char c) { return IsNameChar(c) || c == '.' || c == '/' || c == '-' || c == '+'; }

std::size_t SkipBlanks(const std::string& text, std::size_t at, std::size_t end) {
    while (at < end && IsBlank(text[at])) ++at;
    return at;
}

// Where the blanks and the comments after at end; kNone when a comment runs
// on past the line's end.
std::size_t SkipComments(const std::string& text, std::size_t at, std::size_t end) {
    for (at = SkipBlanks(text, at, end); at + 1 < end && text[at] == '/' && text[at + 1] == '*';) {
        const std::size_t close = text.find("*/", at + 2);
        if (close == kNone || close + 2 > end) return kNone;
        at = SkipBlanks(text, close + 2, end);
    }
    return at;
}

// A "??=" or "??/" makes a '#' or a line splice the scan would not see.
bool HoldsTrigraphs(const std::string& text) {
    for (std::size_t at = text.find("??"); at != kNone && at + 2 < text.size(); at = text.find("??", at + 1))
        if (text[at + 2] == '=' || text[at + 2] == '/') return true;
    return false;
}

struct IncludeLine {
    std::string name;
    bool quoted = false;
};

// The name of an #include line from at, the line ending at end; false when
// it is not a plain "..." or <...> name followed by nothing but comments.
bool ReadIncludeName(const std::string& text, std::size_t at, std::size_t end, IncludeLine& include) {
    if (at >= end || (text[at] != '"' && text[at] != '<')) return false;
    include.quoted = text[at] == '"';
    std::size_t close = at + 1;
    if (include.quoted) {
        while (close < end && text[close] != '"') close += text[close] == '\\' ? 2 : 1;
    } else {
        close = text.find('>', close);
    }
    if (close >= end) return false;
    include.name.assign(text, at + 1, close - at - 1);
    const std::string& name = include.name;
    if (name.empty() || name.size() >= cimp::cpp::kPpMaxAngleName) return false;
    if (!include.quoted && (!std::all_of(name.begin(), name.end(), IsPlainAngleChar) || name.back() == '-' ||
                            name.find("/*") != kNone))
        return false;
    return SkipComments(text, close + 1, end) == end;
}

enum class Directive { kOther, kInclude, kPragma, kUnsure };

// The directive of the line whose first token is the '#' at hash.
Directive ReadDirective(const std::string& text, std::size_t hash, IncludeLine& include) {
    const std::size_t end = LineEnd(text, hash);
    std::size_t at = SkipBlanks(text, hash + 1, end);
    if (at < end && (text[at] == '\\' || text[at] == '/')) return Directive::kUnsure;
    const std::size_t word = at;
    while (at < end && IsNameChar(text[at])) ++at;
    if (at < end && text[at] == '\\') return Directive::kUnsure;
    const std::string_view name(text.data() + word, at - word);
    if (name == "pragma") return Directive::kPragma;
    if (name != "include") return Directive::kOther;
    return ReadIncludeName(text, SkipBlanks(text, at, end), end, include) ? Directive::kInclude : Directive::kUnsure;
}

enum class Place { kFirst, kAfterComment, kInside };

// Where the '#' at hash stands on its line: first but for blanks, after a
// comment, or after other text (no directive then).
Place PlaceOf(const std::string& text, std::size_t hash) {
    std::size_t at = hash;
    while (at > 0 && IsBlank(text[at - 1])) --at;
    if (at == 0 || text[at - 1] == '\n') return Place::kFirst;
    const std::size_t newline = text.rfind('\n', at - 1);
    const std::size_t start = newline == kNone ? 0 : newline + 1;
    return std::string_view(text.data() + start, hash - start).find("*/") != kNone ? Place::kAfterComment
                                                                                    : Place::kInside;
}

// Calls test on the file's bytes in pieces of whole lines, the last one
// ending where the file does, until it returns true; the pieces share one
// buffer, so that a large file costs no fresh memory.
bool AnyPiece(const std::string& path, const std::function<bool(const std::string&)>& test) {
    std::ifstream in(path, std::ios::binary);
    std::array<char, 65536> buffer;
    std::string rest;
    std::string lines;
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
        rest.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
        const std::size_t last = rest.rfind('\n');
        if (last == kNone) continue;
        lines.assign(rest, 0, last + 1);
        rest.erase(0, last + 1);
        if (test(lines)) return true;
    }
    return test(rest);
}

bool CanOpen(const std::string& path) {
    cimp::TextFile file;
    return file.Open(path.c_str(), cimp::TextFile::Mode::kRead);
}

class IncludeScanner {
public:
    IncludeScanner(const std::vector<std::string>& args, bool standIns, bool pragmas)
        : standIns_(standIns), pragmas_(pragmas) {
        const std::string& input = args.back();
        const std::size_t slash = input.rfind('/');
        directories_.push_back(slash == kNone ? "." : input.substr(0, slash));
        for (std::size_t i = 1; i + 1 < args.size(); ++i) {
            if (args[i].rfind("-I", 0) != 0) continue;
            unsure_ = unsure_ || args[i].size() == 2;
            directories_.push_back(args[i].substr(2));
        }
        unsure_ = unsure_ || directories_.size() > cimp::cpp::kPpIncludeSlots;
    }

    bool Unsure() const { return unsure_; }

    // True when the file, or one it includes, needs the listing.
    bool NeedsListing(const std::string& path) {
        if (!read_.insert(path).second) return false;
        return AnyPiece(path, [this](const std::string& text) { return PieceNeedsListing(text); });
    }

private:
    bool PieceNeedsListing(const std::string& text) {
        if (HoldsTrigraphs(text)) return true;
        for (std::size_t hash = text.find('#'); hash != kNone; hash = text.find('#', hash + 1)) {
            const Place place = PlaceOf(text, hash);
            if (place == Place::kAfterComment) return true;
            if (place == Place::kFirst && DirectiveNeedsListing(text, hash)) return true;
        }
        return false;
    }

    bool DirectiveNeedsListing(const std::string& text, std::size_t hash) {
        IncludeLine include;
        switch (ReadDirective(text, hash, include)) {
            case Directive::kOther: return false;
            case Directive::kPragma: return pragmas_;
            case Directive::kUnsure: return true;
            case Directive::kInclude: break;
        }
        std::string path;
        if (Find(include, path)) return NeedsListing(path);
        return standIns_ && !include.quoted;
    }

    // The search of the preprocessor: the input's directory for quoted
    // names only, then the -I directories in order.
    bool Find(const IncludeLine& include, std::string& path) const {
        if (cimp::cpp::IsAbsoluteIncludeName(include.name)) {
            path = include.name;
            return CanOpen(path);
        }
        for (std::size_t i = include.quoted ? 0 : 1; i < directories_.size(); ++i) {
            if (directories_[i].size() + include.name.size() + 2 > cimp::cpp::kPpMaxIncludePath) continue;
            path = directories_[i] + "/" + include.name;
            if (CanOpen(path)) return true;
        }
        return false;
    }

    bool standIns_;
    bool pragmas_;
    bool unsure_ = false;
    std::vector<std::string> directories_;
    std::set<std::string> read_;
};

}  // namespace

bool NeedsIncludeListing(const std::vector<std::string>& args, const std::string& header, bool standIns,
                         bool pragmas) {
    IncludeScanner scanner(args, standIns, pragmas);
    return scanner.Unsure() || scanner.NeedsListing(args.back()) || (pragmas && scanner.NeedsListing(header));
}

}  // namespace cimport_cli
