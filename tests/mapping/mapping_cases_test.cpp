// The mapping and the import report over the case files of cases/: a header,
// parsed by the real declaration parser and imported with its report into a
// fresh stand-in repository behind the recording double, and the exact lines
// that gives.  The format is described at the top of cases/walk.txt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <utility>

#include "cimp/mapping/mapping.h"
#include "cimp/parse/parse_driver.h"
#include "cimp/report.h"
#include "repository_double.h"
#include "store_api.h"

namespace {

using Lines = std::vector<std::string>;

struct Case {
    std::string name;  // file and title, as a test name
    Lines setup;       // the directives, in order
    std::string header;
    std::vector<std::pair<Lines, Lines>> runs;  // faults (a run each, "" none), the lines expected
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

// The words of text, and four empty ones after them.
Lines Words(const std::string& text) {
    std::istringstream in(text);
    Lines words;
    for (std::string word; in >> word;) words.push_back(word);
    words.resize(words.size() + 4);
    return words;
}

bool Starts(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

// <x*N> written out as N copies of x.
std::string Repeated(std::string text) {
    for (std::size_t open = 0; (open = text.find('<', open)) != std::string::npos; ++open) {
        const std::size_t star = text.find('*', open), close = text.find('>', open);
        if (star > close) continue;
        std::string copies;
        for (int n = std::stoi(text.substr(star + 1)); n > 0; --n)
            copies += text.substr(open + 1, star - open - 1);
        text.replace(open, close - open + 1, copies);
    }
    return text;
}

std::vector<Case> ReadCases() {
    const std::string directives = " earlier: type element length dump full only ";
    std::vector<Case> cases;
    for (const std::string file : {"walk", "elements", "lengths", "types", "compare"}) {
        std::ifstream in(CIMPORT_SOURCE_DIR "/tests/mapping/cases/" + file + ".txt");
        for (std::string line; std::getline(in, line);) {
            line = Starts(line, "#") ? "" : Repeated(line);
            if (Starts(line, "== ")) {
                cases.emplace_back().name = file + "_" + line.substr(3);
                for (char& ch : cases.back().name)
                    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
            } else if (cases.empty()) {
            } else if (Case& c = cases.back(); Starts(line, "--")) {
                if (c.runs.empty() || !c.runs.back().second.empty()) c.runs.emplace_back();
                c.runs.back().first.push_back(line.size() > 3 ? line.substr(3) : "");
            } else if (!c.runs.empty()) {
                c.runs.back().second.push_back(line);
            } else if (directives.find(" " + Words(line)[0] + " ") != std::string::npos) {
                c.setup.push_back(line);
            } else {
                c.header += line + "\n";
            }
        }
    }
    for (Case& c : cases)
        for (auto& run : c.runs)
            while (!run.second.empty() && run.second.back().empty()) run.second.pop_back();
    return cases;
}

// Arms "CALL N[+] CODE [TEXT]".
void Arm(const std::string& fault) {
    const Lines w = Words(fault);
    const std::size_t text = fault.find(' ', fault.find(' ', fault.find(' ') + 1) + 1);
    repo_double::ArmFault(w[0], std::stoi(w[1]), std::stoi(w[2]),
                          text == std::string::npos ? "" : fault.substr(text + 1),
                          w[1].back() == '+');
}

// A message with \r, \n and \t spelled out.
void Collect(void* lines, const char* message) {
    std::string text;
    for (const char* c = message; *c != '\0'; ++c)
        text += *c == '\r' ? "\\r" : *c == '\n' ? "\\n" : *c == '\t' ? "\\t" : std::string(1, *c);
    static_cast<Lines*>(lines)->push_back(text);
}

class MappingCase : public ::testing::TestWithParam<Case> {
protected:
    // Records of every kind start alike; the Element's is the largest.
    ElementDetails Details(TKSHandle handle) const {
        ElementDetails record{};
        tks::api::GetDetails(handle, 0, &record, sizeof record);
        return record;
    }

    std::string NameOf(TKSHandle handle) const { return handle == 0 ? "-" : Details(handle).name; }

    // Parses header and imports it with its report: the messages, the
    // summary's exact text written as its counts.
    Lines Import(const std::string& header) {
        std::ofstream("case.h") << header;
        cimp::ParsedDeclarations parsed;
        int32_t status = 0;
        char program[] = "cimport", path[] = "case.h";
        char* argv[] = {program, path, nullptr};
        parsed.root = cimp::parse::ParseHeaderFile(2, argv, &parsed.typedefs, &status);
        Lines messages;
        cimp::ImportContext c(repository_, "case.h", "", true, Collect, &messages);
        cimp::mapping::ImportStructures(c, parsed.root);
        cimp::ReportImport(c);
        const int n[] = {c.errorCount, c.typesCreated, c.elementsCreated, c.lengthsCreated};
        char summary[256];
        std::snprintf(
            summary, sizeof summary,
            "Summary: \\r\\nNo. of Errors:\\t\\t\\t%d\\r\\nNo. of Types created:\\t\\t%d\\r\\n"
            "No. of Elements created:\\t%d\\r\\nNo. of Lengths created:\\t\\t%d\\r\\n",
            n[0], n[1], n[2], n[3]);
        for (std::string& m : messages)
            if (m == summary)
                m = "Summary: " + std::to_string(n[0]) + " errors, " + std::to_string(n[1]) +
                    " Types, " + std::to_string(n[2]) + " Elements, " + std::to_string(n[3]) +
                    " Lengths";
        return messages;
    }

    std::vector<TKSHandle> Objects(int32_t kind) const {
        std::vector<TKSHandle> handles;
        TKSHandle h = 0;
        tks::api::GetFirstDefinition(repository_, kind, &h, 0);
        for (; h != 0; tks::api::GetNextDefinition(h, 0, &h, 1, 0)) handles.push_back(h);
        return handles;
    }

    // name[*]=TYPE[/LENGTH=VALUE]
    std::string Element(TKSHandle h, bool repeating = false) const {
        const ElementDetails e = Details(h);
        ElementDetails length = Details(static_cast<TKSHandle>(e.lengthHandle));
        return NameOf(h) + (repeating ? "*=" : "=") + NameOf(e.typeHandle) +
               (e.lengthHandle == 0 ? "" : "/" + NameOf(e.lengthHandle) + "=" +
                std::to_string(reinterpret_cast<LengthDetails&>(length).value));
    }

    static void Wrapped(const Lines& words, Lines& out) {
        out.push_back(words[0]);
        for (std::size_t i = 1; i < words.size(); ++i) {
            if (out.back().size() + words[i].size() >= 100) out.push_back(" ");
            out.back() += " " + words[i];
        }
    }

    // The objects made since before was taken, on lines of at most 100
    // characters: each Type with its members (as Elements, then the initials
    // and values of their attributes).
    void Dump(const std::set<TKSHandle>& before, Lines& out) const {
        for (TKSHandle h : Objects(TKS_KIND_TYPE)) {
            if (before.count(h) != 0) continue;
            Lines type = {"Type " + NameOf(h)};
            TKSHandle m = 0;
            for (tks::api::GetNextDefinition(h, 0, &m, 3, 1); m != 0 && m != TKS_LAST_MEMBER;
                 tks::api::GetNextDefinition(m, h, &m, 1, 1)) {
                MemberDetails details{};
                tks::api::GetMemberDetails(h, m, &details, sizeof details);
                std::string word = Element(m, details.repeating != 0), separator = "(";
                for (const char* attribute :
                     {"Physical Type", "Repeat Count", "Length", "Signed"}) {
                    char value[64] = {};
                    if (tks::api::GetMemberAttrValue(h, m, attribute, value, sizeof value) == 0)
                        word += std::exchange(separator, ",") + attribute[0] + value;
                }
                type.push_back(word + (separator == "," ? ")" : ""));
            }
            Wrapped(type, out);
        }
    }

    // Makes the objects of a type, element or length directive; <A..B> in
    // the name makes one for each number A to B.
    void Make(const Lines& w) {
        const int32_t kind = w[0] == "type"      ? TKS_KIND_TYPE
                             : w[0] == "element" ? TKS_KIND_ELEMENT
                                                 : TKS_KIND_LENGTH;
        const std::size_t open = w[1].find('<'), close = w[1].find('>');
        const int first = open == std::string::npos ? -1 : std::stoi(w[1].substr(open + 1));
        const int last =
            open == std::string::npos ? -1 : std::stoi(w[1].substr(w[1].find("..") + 2));
        for (int i = first; i <= last; ++i) {
            const std::string name =
                i < 0 ? w[1] : w[1].substr(0, open) + std::to_string(i) + w[1].substr(close + 1);
            ElementDetails record{};
            ASSERT_EQ(tks::api::GetDefaultDetails(kind, &record, sizeof record), 0);
            std::snprintf(record.name, sizeof record.name, "%s", name.c_str());
            std::snprintf(record.secondName, sizeof record.secondName, "%s", name.c_str());
            auto& type = reinterpret_cast<TypeDetails&>(record);
            TKSHandle h = 0, simple = 0;
            int32_t rc = 0;
            if (kind == TKS_KIND_TYPE) {
                type.typeClass = w[2].empty() ? 3 : std::stoi(w[2]);
                type.simpleTypeCode = std::atoi(w[3].c_str());
                rc = tks::api::CreateType(repository_, &h, &record);
            } else if (kind == TKS_KIND_ELEMENT) {
                tks::api::FindDefinition(repository_, TKS_KIND_TYPE, &simple, w[2].c_str());
                record.typeHandle = static_cast<int32_t>(simple);
                rc = tks::api::CreateElement(repository_, &h, &record);
            } else {
                reinterpret_cast<LengthDetails&>(record).value = std::stoi(w[2]);
                rc = tks::api::CreateLengthID(repository_, &h, &record);
            }
            ASSERT_EQ(rc, 0) << name;
        }
    }

    // The lines of one run: the messages of the import the case asks for,
    // then the objects made, when asked.
    Lines Run(const Case& c, const std::string& faults) {
        repo_double::Reset();
        EXPECT_EQ(tks::api::OpenRepository(":memory:", &repository_), 0);
        for (const std::string& directive : c.setup) {
            const Lines w = Words(directive);
            if (w[0] == "earlier:") Import(directive.substr(9));
            if (w[0] == "type" || w[0] == "element" || w[0] == "length") Make(w);
        }
        std::set<TKSHandle> before;
        for (int32_t kind : {TKS_KIND_TYPE, TKS_KIND_ELEMENT, TKS_KIND_LENGTH})
            for (TKSHandle h : Objects(kind)) before.insert(h);
        repo_double::Reset();
        Lines out, only;
        for (std::size_t at = 0, end = 0; end != std::string::npos && !faults.empty(); at = end + 2)
            Arm(faults.substr(at, (end = faults.find("; ", at)) - at));
        bool full = false;
        for (const std::string& d : c.setup) {
            full = full || d == "full";
            for (std::size_t at = 5; Starts(d, "only ") && at != 0; at = d.find('|', at) + 1)
                only.push_back(d.substr(at, d.find('|', at) - at));
        }
        for (const std::string& line : Import(c.header)) {
            bool progress = line.empty(), wanted = only.empty();
            for (const char* start : {"Created ", "Inserted ", "Importing C structure "})
                progress = progress || Starts(line, start);
            for (const std::string& start : only) wanted = wanted || Starts(line, start);
            if ((full || !progress) && wanted) out.push_back(line);
        }
        if (std::find(c.setup.begin(), c.setup.end(), "dump") != c.setup.end()) Dump(before, out);
        tks::api::CloseRepository(repository_);
        return out;
    }

    TKSHandle repository_ = 0;
};

std::string Joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

TEST_P(MappingCase, GivesTheExpectedLines) {
    for (const auto& [faults, expected] : GetParam().runs) {
        for (const std::string& armed : faults) {
            const std::string actual = Joined(Run(GetParam(), armed));
            EXPECT_EQ(actual, Joined(expected)) << armed;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Mapping, MappingCase, ::testing::ValuesIn(ReadCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
