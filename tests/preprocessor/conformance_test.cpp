// The C90 conformance suite in ../shared/conformance/mcpp-cpp-test: an n_ or
// i_ file must neither raise an error nor reach an #error line (unless the
// file tests #error itself and names the expected message in a dg-error
// note), and its output must hold every text its dg-final notes grep for;
// every line of an e_ file marked dg-error must raise an error-level
// diagnostic.  Items that fail because our preprocessor deliberately differs
// from C90 are listed with the reason.  Skipped when the shared test material
// is missing.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "pp_test_util.h"

namespace pp_test {
namespace {

namespace fs = std::filesystem;

const fs::path kSuite = fs::path(CIMPORT_SHARED_DIR) / "conformance" / "mcpp-cpp-test";

// Items ("file" or "file:line") that fail for a deliberate difference.
const std::map<std::string, std::string> kDeliberateDifferences = {
    {"n_13_5.c", "?: gives the result the chosen operand's own type; the usual conversions are not applied "
                 "to the other operand (item 13.7: (1 ? -1 : 0U) <= 0 is true)"},
    {"n_28.c", "__STDC__ is not predefined and __STDC_VERSION__ is unknown (C90 without amendment 1)"},
    {"n_37.c", "the evaluator's stacks hold 32 entries, so an #if expression of 32 nested parenthesized "
               "operations is rejected (item 37.6)"},
    {"n_4.c", "digraphs (%: and <: of amendment 1) are not recognised"},
    {"i_32_3.c", "\\a is not among the known escapes; an unknown escape has the value 0"},
    {"i_35.c", "a character constant with several characters has the value of its first character "
               "(with a warning), and \\a is not a known escape"},
    {"e_12_8.c:6", "#if numbers are accumulated in 32 bits, wrapping; no overflow is diagnosed"},
    {"e_14_10.c:13", "#if arithmetic wraps in 32 bits; no overflow is diagnosed"},
    {"e_14_10.c:15", "#if arithmetic wraps in 32 bits; no overflow is diagnosed"},
    {"e_14_10.c:17", "#if arithmetic wraps in 32 bits; no overflow is diagnosed"},
    {"e_14_10.c:19", "#if arithmetic wraps in 32 bits; no overflow is diagnosed"},
    {"e_14_3.c:12", "an unclosed ( ends the evaluation with the warning \"Syntax error in #if/#endif\" "
                    "(the condition is false), not with an error"},
    {"e_16.c:11", "text after #endif is the warning \"Syntax error in #endif\", not an error"},
    {"e_18_4.c:30", "$ is not part of a name and no blank is needed after a macro name: THIS is defined "
                    "as an object-like macro"},
    {"e_23_3.c:7", "## at the border of a replacement is reported when the macro is expanded, not when "
                   "it is defined"},
    {"e_23_3.c:8", "## at the border of a replacement is reported when the macro is expanded"},
    {"e_23_3.c:11", "## at the border of a replacement is reported when the macro is expanded"},
    {"e_23_3.c:12", "## at the border of a replacement is reported when the macro is expanded"},
    {"e_24_6.c:7", "# not followed by a parameter is reported when the macro is expanded"},
    {"e_32_5.c:8", "a hexadecimal escape takes every following hexadecimal digit and keeps the low 8 bits, "
                   "without a diagnostic"},
    {"e_33_2.c:8", "a wide character constant is evaluated like a narrow one after the warning \"Wide char "
                   "constant value undefined\"; the escape keeps its low 8 bits"},
    {"e_35_2.c:7", "a character constant with several characters is the warning \"Multibyte character "
                   "constant undefined\", not an error"},
};

std::string ReadText(const fs::path& path) { return FromCrLf(ReadFileBytes(path)); }

struct DgError {
    int line;  // 0: anywhere in the file
    std::string pattern;
};

// The { dg-error "pattern" ... } notes of a file, with the line each names.
std::vector<DgError> DgErrors(const std::string& text) {
    static const std::regex note(R"re(\{ dg-error "((?:[^"\\]|\\.)*)"(?: "[^"]*" \{ target \*-\*-\* \} ([0-9]+))? \})re");
    std::vector<DgError> notes;
    std::istringstream in(text);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        for (std::sregex_iterator m(line.begin(), line.end(), note), end; m != end; ++m) {
            notes.push_back({(*m)[2].matched ? std::stoi((*m)[2].str()) : lineNumber, (*m)[1].str()});
        }
    }
    return notes;
}

// The texts of the file's { dg-final { ... [grep FILE.i "text"] ... } } notes,
// with the quoting of the notes' language taken off.
std::vector<std::string> GrepTexts(const std::string& text) {
    static const std::regex note(R"re(\[grep \S+ "((?:[^"\\]|\\.)*)"\])re");
    std::vector<std::string> texts;
    for (std::sregex_iterator m(text.begin(), text.end(), note), end; m != end; ++m) {
        const std::string quoted = (*m)[1].str();
        std::string plain;
        for (std::size_t i = 0; i < quoted.size(); ++i) {
            if (quoted[i] == '\\' && i + 1 < quoted.size()) ++i;
            plain += quoted[i];
        }
        texts.push_back(plain);
    }
    return texts;
}

// Whether a line of the output matches the text as a regular expression, or
// holds it literally (some texts are no valid expression in this dialect).
bool OutputHolds(const std::string& output, const std::string& text) {
    std::istringstream in(output);
    std::regex expression;
    bool valid = true;
    try {
        expression = std::regex(text);
    } catch (const std::regex_error&) {
        valid = false;
    }
    for (std::string line; std::getline(in, line);) {
        if ((valid && std::regex_search(line, expression)) || line.find(text) != std::string::npos) return true;
    }
    return false;
}

std::vector<std::string> SuiteFiles(const char* prefix) {
    std::vector<std::string> names;
    if (fs::is_directory(kSuite)) {
        for (const auto& entry : fs::directory_iterator(kSuite)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(prefix, 0) == 0 && entry.path().extension() == ".c") names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ConformanceTest : public PreprocessorTest {
protected:
    // Runs one file with the stand-ins of the system headers the suite
    // includes; returns the lines of the main file on which an error-level
    // diagnostic was raised (0: at the end of the file).
    std::set<int> Run(const std::string& name, int& result) {
        WriteFileBytes("system/limits.h",
                   "#define CHAR_BIT 8\n#define SHRT_MAX 32767\n#define LONG_MAX 2147483647L\n"
                   "#define LONG_MIN (-LONG_MAX - 1)\n#define ULONG_MAX 4294967295UL\n");
        WriteFileBytes("system/ctype.h", "");
        fs::remove("cprep.tmp");
        std::set<int> errorLines;
        cimp::cpp::Preprocessor preprocessor;
        preprocessor.lineObserver = [&](cimp::cpp::Preprocessor& pre, const cimp::cpp::PpSource& source, int line) {
            if (!pre.pp.diag.ErrorFlag()) return;
            pre.pp.diag.ClearErrorFlag();
            if (source.next != nullptr) return;  // inside an included file
            for (int n = 0; n < std::max(1, source.lineIncrement); ++n) errorLines.insert(line + n);
        };
        const std::string path = (kSuite / name).string();
        std::vector<std::string> args{path, "-Isystem", path};
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        result = preprocessor.Run(static_cast<int>(args.size()), argv.data());
        if (preprocessor.pp.diag.ErrorFlag()) errorLines.insert(0);
        return errorLines;
    }

    // Items that failed and are not listed as deliberate differences.
    void Expect(const std::vector<std::string>& failed, int items) {
        int deliberate = 0;
        for (const std::string& item : failed) {
            const bool listed = kDeliberateDifferences.count(item) != 0;
            deliberate += listed ? 1 : 0;
            EXPECT_TRUE(listed) << item << " fails";
        }
        std::cout << items - static_cast<int>(failed.size()) << " of " << items << " items pass, " << deliberate
                  << " fail for a deliberate difference\n";
    }
};

TEST_F(ConformanceTest, ValidProgramsReachNoErrorDirective) {
    if (!fs::is_directory(kSuite)) GTEST_SKIP() << "shared test material not found";
    std::vector<std::string> files = SuiteFiles("n_");
    const std::vector<std::string> implementation = SuiteFiles("i_");
    files.insert(files.end(), implementation.begin(), implementation.end());
    std::vector<std::string> failed;
    for (const std::string& name : files) {
        int result = 0;
        const bool errorRaised = !Run(name, result).empty();
        EXPECT_EQ(result, 0) << name;
        const std::string diagnostics = ReadText(cimp::cpp::kPpErrorFile);
        const std::string source = ReadText(kSuite / name);
        const std::vector<DgError> expected = DgErrors(source);
        bool passed = true;
        if (expected.empty()) {
            passed = !errorRaised && diagnostics.find("#error directive:") == std::string::npos;
        }
        for (const DgError& note : expected) {
            passed = passed && std::regex_search(diagnostics, std::regex(note.pattern));
        }
        const std::string output = WithoutMarkers(ReadText("cprep.tmp"));
        for (const std::string& text : GrepTexts(source)) passed = passed && OutputHolds(output, text);
        if (!passed) failed.push_back(name);
    }
    Expect(failed, static_cast<int>(files.size()));
}

TEST_F(ConformanceTest, ErroneousProgramsAreDiagnosed) {
    if (!fs::is_directory(kSuite)) GTEST_SKIP() << "shared test material not found";
    std::vector<std::string> failed;
    int items = 0;
    for (const std::string& name : SuiteFiles("e_")) {
        int result = 0;
        const std::set<int> errorLines = Run(name, result);
        EXPECT_TRUE(result == 0 || result == -2) << name;
        for (const DgError& note : DgErrors(ReadText(kSuite / name))) {
            ++items;
            const bool diagnosed = note.line == 0 ? !errorLines.empty() : errorLines.count(note.line) != 0;
            if (!diagnosed) failed.push_back(name + ":" + std::to_string(note.line));
        }
    }
    Expect(failed, items);
}

}  // namespace
}  // namespace pp_test
