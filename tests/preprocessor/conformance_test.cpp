// The C90 conformance suite in ../shared/conformance/mcpp-cpp-test: an n_ or
// i_ file must neither raise an error nor reach an #error line (unless the
// file tests #error itself and names the expected message in a dg-error
// note), and its output must hold every text its dg-final notes grep for;
// every line of an e_ file marked dg-error must raise an error-level
// diagnostic.  Items that fail because our preprocessor deliberately differs
// from C90 are listed with the reason.  Skipped when the shared test material
// is missing.
#include <algorithm>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "pp_test_util.h"

namespace pp_test {
namespace {

const fs::path kSuite = fs::path(CIMPORT_SHARED_DIR) / "conformance" / "mcpp-cpp-test";

const char kWraps[] = "#if arithmetic wraps in 32 bits; no overflow is diagnosed";
const char kAtExpansion[] = "## at the border of a replacement is reported when the macro is "
                            "expanded, not when it is defined";

// Items ("file" or "file:line") that fail for a deliberate difference.
const std::map<std::string, std::string> kDeliberateDifferences = {
    {"n_13_5.c", "?: gives the result the chosen operand's own type; the usual conversions are "
                 "not applied to the other operand (item 13.7: (1 ? -1 : 0U) <= 0 is true)"},
    {"n_28.c", "__STDC__ is not predefined and __STDC_VERSION__ is unknown (C90 without "
               "amendment 1)"},
    {"n_37.c", "the evaluator's stacks hold 32 entries, so an #if expression of 32 nested "
               "parenthesized operations is rejected (item 37.6)"},
    {"n_4.c", "digraphs (%: and <: of amendment 1) are not recognised"},
    {"i_32_3.c", "\\a is not among the known escapes; an unknown escape has the value 0"},
    {"i_35.c", "a character constant with several characters has the value of its first "
               "character (with a warning), and \\a is not a known escape"},
    {"e_12_8.c:6", "#if numbers are accumulated in 32 bits, wrapping; no overflow is diagnosed"},
    {"e_14_10.c:13", kWraps},
    {"e_14_10.c:15", kWraps},
    {"e_14_10.c:17", kWraps},
    {"e_14_10.c:19", kWraps},
    {"e_14_3.c:12", "an unclosed ( ends the evaluation with the warning \"Syntax error in "
                    "#if/#endif\" (the condition is false), not with an error"},
    {"e_16.c:11", "text after #endif is the warning \"Syntax error in #endif\", not an error"},
    {"e_18_4.c:30", "$ is not part of a name and no blank is needed after a macro name: THIS is "
                    "defined as an object-like macro"},
    {"e_23_3.c:7", kAtExpansion},
    {"e_23_3.c:8", kAtExpansion},
    {"e_23_3.c:11", kAtExpansion},
    {"e_23_3.c:12", kAtExpansion},
    {"e_24_6.c:7", "# not followed by a parameter is reported when the macro is expanded"},
    {"e_32_5.c:8", "a hexadecimal escape takes every following hexadecimal digit and keeps the "
                   "low 8 bits, without a diagnostic"},
    {"e_33_2.c:8", "a wide character constant is evaluated like a narrow one after the warning "
                   "\"Wide char constant value undefined\"; the escape keeps its low 8 bits"},
    {"e_35_2.c:7", "a character constant with several characters is the warning \"Multibyte "
                   "character constant undefined\", not an error"},
};

std::string ReadText(const fs::path& path) { return FromCrLf(ReadFileBytes(path)); }

// The { dg-error "pattern" ... } notes of a file: the line each names (0:
// anywhere in the file) and the pattern.
std::vector<std::pair<int, std::string>> DgErrors(const std::string& text) {
    static const std::regex note(
        R"re(\{ dg-error "((?:[^"\\]|\\.)*)"(?: "[^"]*" \{ target \*-\*-\* \} ([0-9]+))? \})re");
    std::vector<std::pair<int, std::string>> notes;
    std::istringstream in(text);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        for (std::sregex_iterator m(line.begin(), line.end(), note), end; m != end; ++m) {
            notes.emplace_back((*m)[2].matched ? std::stoi((*m)[2].str()) : number, (*m)[1].str());
        }
    }
    return notes;
}

// Whether the output holds every text of the file's { dg-final { ... [grep
// FILE.i "text"] ... } } notes (quoting of the notes' language taken off): a
// line matches it as a regular expression, or holds it literally (some texts
// are no valid expression in this dialect).
bool OutputHoldsGrepTexts(const std::string& source, const std::string& output) {
    static const std::regex note(R"re(\[grep \S+ "((?:[^"\\]|\\.)*)"\])re");
    for (std::sregex_iterator m(source.begin(), source.end(), note), end; m != end; ++m) {
        const std::string quoted = (*m)[1].str();
        std::string text;
        for (std::size_t i = 0; i < quoted.size(); ++i) {
            if (quoted[i] == '\\' && i + 1 < quoted.size()) ++i;
            text += quoted[i];
        }
        std::regex expression;
        bool valid = true;
        try {
            expression = std::regex(text);
        } catch (const std::regex_error&) {
            valid = false;
        }
        bool found = false;
        std::istringstream in(output);
        for (std::string line; !found && std::getline(in, line);) {
            found = (valid && std::regex_search(line, expression)) || line.find(text) != line.npos;
        }
        if (!found) return false;
    }
    return true;
}

std::vector<std::string> SuiteFiles(const std::string& prefixes) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kSuite)) {
        const std::string name = entry.path().filename().string();
        if (prefixes.find(name.substr(0, 2)) != std::string::npos && entry.path().extension() == ".c") {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ConformanceTest : public PreprocessorTest {
protected:
    void SetUp() override {
        PreprocessorTest::SetUp();
        if (!fs::is_directory(kSuite)) GTEST_SKIP() << "shared test material not found";
    }

    // Runs one file with the stand-ins of the system headers the suite
    // includes; returns the lines of the main file on which an error-level
    // diagnostic was raised (0: at the end of the file).
    std::set<int> Run(const std::string& name, int& result) {
        WriteFileBytes("system/limits.h",
                       "#define CHAR_BIT 8\n#define SHRT_MAX 32767\n#define LONG_MAX 2147483647L\n"
                       "#define LONG_MIN (-LONG_MAX - 1)\n#define ULONG_MAX 4294967295UL\n");
        WriteFileBytes("system/ctype.h", "");
        fs::remove("cprep.tmp");
        std::set<int> lines;
        cimp::cpp::Preprocessor pre;
        pre.lineObserver = [&](cimp::cpp::Preprocessor& p, const cimp::cpp::PpSource& source, int line) {
            if (!p.pp.diag.ErrorFlag()) return;
            p.pp.diag.ClearErrorFlag();
            if (source.next != nullptr) return;  // inside an included file
            for (int n = 0; n < std::max(1, source.lineIncrement); ++n) lines.insert(line + n);
        };
        std::string path = (kSuite / name).string();
        std::string option = "-Isystem";
        char* argv[] = {path.data(), option.data(), path.data(), nullptr};
        result = pre.Run(3, argv);
        if (pre.pp.diag.ErrorFlag()) lines.insert(0);
        return lines;
    }

    // Every failed item must be a deliberate difference.
    void Expect(const std::vector<std::string>& failed, int items) {
        int deliberate = 0;
        for (const std::string& item : failed) {
            const bool listed = kDeliberateDifferences.count(item) != 0;
            deliberate += listed ? 1 : 0;
            EXPECT_TRUE(listed) << item << " fails";
        }
        std::cout << items - static_cast<int>(failed.size()) << " of " << items
                  << " items pass, " << deliberate << " fail for a deliberate difference\n";
    }
};

TEST_F(ConformanceTest, ValidProgramsReachNoErrorDirective) {
    const std::vector<std::string> files = SuiteFiles("n_i_");
    std::vector<std::string> failed;
    for (const std::string& name : files) {
        int result = 0;
        const bool errorRaised = !Run(name, result).empty();
        EXPECT_EQ(result, 0) << name;
        const std::string diagnostics = ReadText(cimp::cpp::kPpErrorFile);
        const std::string source = ReadText(kSuite / name);
        const auto expected = DgErrors(source);
        bool passed = !expected.empty() ||
                      (!errorRaised && diagnostics.find("#error directive:") == std::string::npos);
        for (const auto& note : expected) {
            passed = passed && std::regex_search(diagnostics, std::regex(note.second));
        }
        passed = passed && OutputHoldsGrepTexts(source, WithoutMarkers(ReadText("cprep.tmp")));
        if (!passed) failed.push_back(name);
    }
    Expect(failed, static_cast<int>(files.size()));
}

TEST_F(ConformanceTest, ErroneousProgramsAreDiagnosed) {
    std::vector<std::string> failed;
    int items = 0;
    for (const std::string& name : SuiteFiles("e_")) {
        int result = 0;
        const std::set<int> lines = Run(name, result);
        EXPECT_TRUE(result == 0 || result == -2) << name;
        for (const auto& note : DgErrors(ReadText(kSuite / name))) {
            ++items;
            if (note.first == 0 ? lines.empty() : lines.count(note.first) == 0) {
                failed.push_back(name + ":" + std::to_string(note.first));
            }
        }
    }
    Expect(failed, items);
}

}  // namespace
}  // namespace pp_test
