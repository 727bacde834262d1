#include "check_findings.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string_view>

#include "cimp/import_context.h"
#include "cimp/import_run.h"
#include "check_constructs.h"
#include "command_error.h"
#include "header_scan.h"
#include "scratch_import.h"
#include "source_places.h"
#include "text_lines.h"

namespace cimport_cli {

namespace {

using cimp::DeclNode;

constexpr std::size_t kNoStop = static_cast<std::size_t>(-1);
constexpr std::string_view kErrorStart = "[error 1] line ";
constexpr std::string_view kNear = "  near \"";
constexpr std::string_view kNearEnd = "\": syntax error";
constexpr std::string_view kFatalParse = "Fatal error occurred during parse.";
constexpr const char* kStopsHere = "the parse stops here with a syntax error";

// The first syntax error the import reported: its line of the preprocessed
// text and the text of the token it names.
struct SyntaxStop {
    bool found = false;
    int32_t line = 0;
    std::string near;
    bool hasNear = false;
};

SyntaxStop FindSyntaxStop(const std::vector<std::string>& messages) {
    SyntaxStop stop;
    for (const std::string& message : messages) {
        const std::size_t at = message.find(kErrorStart);
        if (at == std::string::npos) continue;
        char* end = nullptr;
        const char* digits = message.c_str() + at + kErrorStart.size();
        stop.found = true;
        stop.line = static_cast<int32_t>(std::strtol(digits, &end, 10));
        const std::size_t after = static_cast<std::size_t>(end - message.c_str());
        if (message.compare(after, kNear.size(), kNear) == 0) {
            const std::size_t close = message.find(kNearEnd, after + kNear.size());
            stop.hasNear = close != std::string::npos;
            if (stop.hasNear) stop.near = message.substr(after + kNear.size(), close - after - kNear.size());
        }
        break;
    }
    return stop;
}

// The token the parse stopped at; kNoStop when it did not stop, the count of
// tokens when it stopped at the end of the input.
std::size_t StopToken(const std::vector<ScannedToken>& tokens, const SyntaxStop& stop) {
    if (!stop.found) return kNoStop;
    if (!stop.hasNear) return tokens.size();
    std::size_t atLine = tokens.size();
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].line < stop.line) continue;
        if (atLine == tokens.size()) atLine = i;
        if (tokens[i].line > stop.line) break;
        if (tokens[i].text == stop.near) return i;
    }
    return atLine;
}

std::string WithoutLeadingUnderscores(const std::string& name) {
    return name.substr(std::min(name.find_first_not_of('_'), name.size()));
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::string Structure(const std::string& name) {
    return name.empty() ? "a structure without a name" : "structure " + name;
}

std::string Outcome(const ImportedNode& structure) {
    const std::string named = Structure(structure.name);
    if (structure.type.empty()) return named + " is not imported";
    if (structure.typeCreated) return named + " is imported as Type " + structure.type;
    return named + " uses the existing Type " + structure.type;
}

// The members as the import read them against those a C compiler sees: the Elements they
// became, and the names lost, added and without an Element with a Type.
std::string MemberChanges(const ImportedNode& structure, const std::vector<std::string>& written) {
    std::vector<std::string> imported;
    std::vector<std::string> elements;
    std::vector<std::string> failing;
    for (const ImportedNode& member : structure.members) {
        imported.push_back(WithoutLeadingUnderscores(member.name));
        elements.push_back(member.element.empty() ? imported.back() : member.element);
        if (!member.mapped) failing.push_back(imported.back());
    }
    std::set<std::string> writtenSet;
    for (const std::string& name : written) writtenSet.insert(WithoutLeadingUnderscores(name));
    const std::set<std::string> importedSet(imported.begin(), imported.end());
    std::vector<std::string> lost;
    std::vector<std::string> added;
    for (const std::string& name : written)
        if (importedSet.count(WithoutLeadingUnderscores(name)) == 0) lost.push_back(WithoutLeadingUnderscores(name));
    for (const std::string& name : imported)
        if (writtenSet.count(name) == 0) added.push_back(name);
    std::string text = structure.type.empty() ? "; the members read: " : "; its members: ";
    text += elements.empty() ? std::string("none") : Joined(elements);
    if (!lost.empty()) text += "; lost: " + Joined(lost);
    if (!added.empty()) text += "; added: " + Joined(added);
    if (!failing.empty()) text += "; without an Element with a Type: " + Joined(failing);
    return text;
}

// Members that got no Element with a Type, nested structures' included.
void Unmapped(const ImportedNode& structure, std::vector<std::string>& found) {
    for (const ImportedNode& member : structure.members) {
        if (member.mapped) continue;
        if (member.structure)
            Unmapped(member, found);
        else
            found.push_back((member.name.empty() ? "a member without a name" : member.name) + " (type " +
                            member.typeName + ")");
    }
}

// Why a structure the import walked got no Type.
std::string WhyNoType(const ImportedNode& structure) {
    std::vector<std::string> unmapped;
    Unmapped(structure, unmapped);
    if (!unmapped.empty()) return ": not imported: no Element with a Type for " + Joined(unmapped);
    if (!structure.firstError.empty()) return ": not imported: the import reports \"" + structure.firstError + "\"";
    if (!structure.element.empty())
        return ": no members read: the import makes only the Element " + structure.element +
               ", without a Type, and reports it incomplete";
    return ": not imported: the import reports errors for it";
}

// What the stages reported, on one line: ": first; second".
std::string Stages(const ScratchImport& run) {
    std::string text;
    for (std::size_t i = kFirstStageMessage; i < run.messages.size(); ++i) {
        std::istringstream lines(WithPlainLineEnds(run.messages[i]));
        for (std::string line; std::getline(lines, line);)
            if (!line.empty()) text += (text.empty() ? ": " : "; ") + line;
    }
    return text;
}

class Checker {
public:
    Checker(const std::string& header, const PreparedHeader& prepared, const ScratchImport& run, const HeaderScan& scan)
        : header_(header), prepared_(prepared), run_(run), scan_(scan), places_(MakePlaces()) {}

    CheckResult Run() {
        const SyntaxStop stop = FindSyntaxStop(run_.messages);
        const bool scannerStop = scan_.stopped && Reports(kFatalParse);
        stopToken_ = scannerStop ? scan_.tokens.size() : StopToken(scan_.tokens, stop);
        if (stop.found || scannerStop) {
            const SourcePlace place = scannerStop ? PlaceOfLine(scan_.stopLine) : PlaceOfLine(stop.line);
            result_.stopFile = place.file;
            result_.stopLine = place.line;
        }
        PairTrees();
        const Constructs constructs = FindConstructs(scan_.tokens, run_.preprocessed);
        for (const Construct& construct : constructs.list) AddConstruct(construct, constructs);
        AddMembers(scan_.tree.root);
        AddStructures();
        if (stop.found) AddSyntaxError(stop);
        if (scannerStop) AddScannerStop();
        // In the order of the text; at one token, in the order found.
        std::stable_sort(found_.begin(), found_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [token, finding] : found_) result_.findings.push_back(std::move(finding));
        return std::move(result_);
    }

private:
    SourcePlaces MakePlaces() const {
        const HeaderInputOptions& input = prepared_.Input();
        const cimp::ImportContext context(TKS_NO_HANDLE, prepared_.Header().c_str(), input.preInclude.c_str(),
                                          input.keepSystemIncludes, nullptr, nullptr);
        return SourcePlaces(prepared_.Original(run_.preprocessed), cimp::kPreprocessorSourceFile,
                            cimp::PreprocessorSourceLines(context, prepared_.Header().c_str()), header_);
    }

    SourcePlace PlaceOfLine(int32_t line) const {
        SourcePlace place = places_.Of(line);
        if (place.file == prepared_.Original(prepared_.Header())) place.file = header_;
        return place;
    }
    SourcePlace PlaceOfToken(std::size_t token) const {
        return PlaceOfLine(token < scan_.tokens.size() ? scan_.tokens[token].line : scan_.stopLine);
    }

    // False only when the line as written is read and does not hold the text.
    bool SourceLineHolds(const SourcePlace& place, const std::string& text) {
        auto [lines, added] = sourceLines_.try_emplace(place.file);
        if (added) {
            std::ifstream in(place.file, std::ios::binary);
            for (std::string line; std::getline(in, line);) lines->second.push_back(std::move(line));
        }
        const std::vector<std::string>& file = lines->second;
        if (place.line < 1 || static_cast<std::size_t>(place.line) > file.size()) return true;
        return file[static_cast<std::size_t>(place.line) - 1].find(text) != std::string::npos;
    }

    bool Reports(std::string_view text) const {
        return std::any_of(run_.messages.begin(), run_.messages.end(),
                           [&](const std::string& message) { return message.find(text) != std::string::npos; });
    }
    bool Reached(std::size_t token) const { return stopToken_ == kNoStop || token <= stopToken_; }
    bool StopsWithin(std::size_t first, std::size_t last) const {
        return stopToken_ != kNoStop && stopToken_ >= first && stopToken_ <= last;
    }

    void Add(std::size_t token, const char* kind, const DeclNode* structure, std::string message, bool reached) {
        AddAt(token, PlaceOfToken(token), kind, structure, std::move(message), reached);
    }
    void AddAt(std::size_t token, const SourcePlace& place, const char* kind, const DeclNode* structure,
               std::string message, bool reached) {
        Finding finding{place.file, place.line, kind, std::nullopt, std::move(message), reached};
        if (structure != nullptr && !NameOf(structure).empty()) finding.structure = NameOf(structure);
        found_.emplace_back(token, std::move(finding));
    }

    // ---- The two trees: the import's and the scan's, node by node ----

    void PairTrees() {
        std::size_t i = 0;
        for (const DeclNode* node = scan_.tree.root; node != nullptr; node = node->nextSibling, ++i)
            Pair(node, i < run_.structures.size() ? &run_.structures[i] : nullptr, node);
        for (const auto& [node, token] : scan_.madeAt) madeNode_[token] = node;
    }

    void Pair(const DeclNode* node, const ImportedNode* imported, const DeclNode* top) {
        if (imported != nullptr) imported_[node] = imported;
        top_[node] = top;
        std::size_t i = 0;
        for (const DeclNode* member = node->firstChild; member != nullptr; member = member->nextSibling, ++i) {
            const bool paired = imported != nullptr && i < imported->members.size();
            Pair(member, paired ? &imported->members[i] : nullptr, top);
        }
    }

    const ImportedNode* ImportedOf(const DeclNode* node) const {
        const auto found = imported_.find(node);
        return found != imported_.end() ? found->second : nullptr;
    }
    std::string NameOf(const DeclNode* node) const {
        const ImportedNode* imported = ImportedOf(node);
        return imported != nullptr ? imported->name : node->name;
    }
    const DeclNode* NodeMadeAt(std::size_t token) const {
        const auto found = madeNode_.find(token);
        return found != madeNode_.end() ? found->second : nullptr;
    }
    std::size_t MadeAt(const DeclNode* node) const {
        const auto found = scan_.madeAt.find(node);
        return found != scan_.madeAt.end() ? found->second : 0;
    }

    // ---- What is found ----

    void AddConstruct(const Construct& construct, const Constructs& constructs) {
        // The kind's name and what the import does; for the kinds that can stop the parse, what is
        // said where the import did not stop there.
        struct KindText {
            const char* name;
            const char* consequence;
        };
        static const std::map<ConstructKind, KindText> kKinds = {
            {ConstructKind::kUnionInStructure, {"union-in-structure", "the structure is closed here"}},
            {ConstructKind::kEnumInStructure, {"enum-in-structure", "the structure is closed here"}},
            {ConstructKind::kSplitConstant, {"split-constant", "a C compiler reads one constant"}},
            {ConstructKind::kCxxKeyword,
             {"cxx-keyword", "the importer's scanner reads it as a keyword, not as a name"}},
            {ConstructKind::kPragma, {"pragma", "its words reach the parser"}},
            {ConstructKind::kBitField,
             {"bit-field", "the width is ignored: the member is read with the size of its type"}},
            {ConstructKind::kArraySize,
             {"array-size", "the importer counts only decimal constants, each as a dimension of its own"}},
            {ConstructKind::kLongName, {"long-name", "the importer keeps its first 255 characters"}},
            {ConstructKind::kFileScopeUnion, {"union-not-imported", "only structures are imported: it gets no Type"}}};
        const KindText& kind = kKinds.at(construct.kind);
        std::string consequence = kind.consequence;
        if (StopsWithin(construct.first, construct.last)) consequence = kStopsHere;
        const DeclNode* body = construct.body == kNoBody ? nullptr : NodeMadeAt(construct.body);
        const bool closes =
            construct.kind == ConstructKind::kUnionInStructure || construct.kind == ConstructKind::kEnumInStructure;
        if (closes && body != nullptr) {
            refused_.insert(top_.at(body));
            if (const ImportedNode* imported = ImportedOf(body)) {
                const auto written = constructs.bodyMembers.find(construct.body);
                consequence += "; " + Outcome(*imported) +
                               MemberChanges(*imported, written != constructs.bodyMembers.end()
                                                            ? written->second
                                                            : std::vector<std::string>{});
            }
        }
        std::string what = construct.what;
        if (!construct.spelled.empty() && !SourceLineHolds(PlaceOfToken(construct.first), construct.spelled))
            what += " (from a macro expanded here)";
        Add(construct.first, kind.name, body, what + ": " + consequence, Reached(construct.first));
    }

    // Members that the mapping refuses: their top-level structure is not imported.
    void AddMembers(const DeclNode* first) {
        for (const DeclNode* node = first; node != nullptr; node = node->nextSibling) {
            AddMembers(node->firstChild);
            if (node->firstChild != nullptr) continue;
            const ImportedNode* imported = ImportedOf(node);
            const bool pointer = imported != nullptr ? imported->isPointer : node->isPointer != 0;
            const std::string& type = imported != nullptr ? imported->typeName : node->typeName;
            if (!pointer && type != "long double") continue;
            const ImportedNode* top = ImportedOf(top_.at(node));
            const std::string what = (pointer ? "the pointer member " : "the long double member ") + NameOf(node);
            const std::string outcome =
                top != nullptr ? Outcome(*top) : Structure(NameOf(top_.at(node))) + " is not imported";
            refused_.insert(top_.at(node));
            Add(MadeAt(node), pointer ? "pointer-member" : "long-double-member", top_.at(node),
                what + ": " + outcome, Reached(MadeAt(node)));
        }
    }

    // Top-level structures that the import does not create, for reasons not told yet.
    void AddStructures() {
        for (const DeclNode* node = scan_.tree.root; node != nullptr; node = node->nextSibling) {
            if (refused_.count(node) != 0) continue;
            const ImportedNode* imported = ImportedOf(node);
            // A declaration without a body is a structure only when the import left its Element without a Type.
            if (node->firstChild == nullptr && (imported == nullptr || imported->mapped)) continue;
            if (imported == nullptr) {
                Add(MadeAt(node), "structure-not-imported", node, Structure(NameOf(node)) + ": not imported",
                    Reached(MadeAt(node)));
                continue;
            }
            if (!imported->type.empty()) continue;
            Add(MadeAt(node), "structure-not-imported", node, Structure(imported->name) + WhyNoType(*imported), true);
        }
    }

    void AddSyntaxError(const SyntaxStop& stop) {
        const std::string what =
            stop.hasNear ? "syntax error near \"" + stop.near + "\"" : "syntax error at the end of the input";
        AddAt(stopToken_, PlaceOfLine(stop.line), "syntax-error", nullptr,
              what + ": the parse stops here; nothing after it is imported", true);
    }

    void AddScannerStop() {
        Add(scan_.tokens.size(), "scanner-stop", nullptr,
            "a token longer than the scanner's buffer: the parse stops here; nothing is imported", true);
    }

    const std::string& header_;
    const PreparedHeader& prepared_;
    const ScratchImport& run_;
    const HeaderScan& scan_;
    const SourcePlaces places_;
    std::size_t stopToken_ = kNoStop;
    std::map<const DeclNode*, const ImportedNode*> imported_;
    std::map<const DeclNode*, const DeclNode*> top_;
    std::map<std::size_t, const DeclNode*> madeNode_;
    std::set<const DeclNode*> refused_;
    std::map<std::string, std::vector<std::string>> sourceLines_;  // files as written, by name
    std::vector<std::pair<std::size_t, Finding>> found_;  // with the token each is found at
    CheckResult result_;
};

}  // namespace

CheckResult CheckHeader(const std::string& header, const PreparedHeader& prepared, const std::string& repository,
                        int waitSeconds) {
    const ScratchImport run = RunScratchImport(prepared, repository, waitSeconds);
    if (run.result != 0 || run.preprocessed.empty())
        throw CommandError("the importer cannot read " + header + Stages(run));
    HeaderScan scan;
    ScanHeader(run.preprocessed, scan);
    return Checker(header, prepared, run, scan).Run();
}

}  // namespace cimport_cli
