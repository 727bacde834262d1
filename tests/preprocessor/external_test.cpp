// The external suites, each skipped when the shared material (or python3) is
// missing: the C90 conformance suite (an n_ or i_ file raises no error and
// reaches no #error line unless a dg-error note names the message, and its
// output holds every text its dg-final notes grep for; every line of an e_
// file marked dg-error raises an error; items that fail for a deliberate
// difference from C90 are listed with the reason); every torture case and
// corpus header compared token by token (tools/cppdiff.py) with the system
// preprocessor's output beside it, made without __STDC__ and with trigraphs as
// ours works; every corpus header imported through DoCImport into a fresh
// stand-in repository as the corpus manifest describes, then imported again.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <regex>
#include <set>

#include "cimport.h"
#include "pp_test_util.h"
#include "tests/support/environment.h"
#include "tksbeapi_host.h"

namespace pp_test {
namespace {

const fs::path kSuite = kSharedDir / "conformance" / "mcpp-cpp-test";

// Items ("file" or "file:line") that fail for a deliberate difference.
const std::pair<const char*, const char*> kDeliberateDifferences[] = {
    {"n_13_5.c", "?: keeps the chosen operand's type: (1 ? -1 : 0U) <= 0 holds (item 13.7)"},
    {"n_28.c", "__STDC__ is not predefined, __STDC_VERSION__ unknown (C90, no amendment 1)"},
    {"n_37.c", "the #if stacks hold 32 entries: 32 nested parentheses are rejected (item 37.6)"},
    {"n_4.c", "digraphs (%: and <: of amendment 1) are not recognised"},
    {"i_32_3.c", "\\a is no known escape; an unknown escape has the value 0"},
    {"i_35.c", "a multi-character constant has its first character's value (with a warning)"},
    {"e_12_8.c:6 e_14_10.c:13 e_14_10.c:15 e_14_10.c:17 e_14_10.c:19",
     "#if numbers and arithmetic wrap in 32 bits; no overflow is diagnosed"},
    {"e_14_3.c:12", "an unclosed ( gives the warning \"Syntax error in #if/#endif\", not an error"},
    {"e_16.c:11", "text after #endif is the warning \"Syntax error in #endif\", not an error"},
    {"e_18_4.c:30", "$ is no part of a name and no blank is needed after a macro name"},
    {"e_23_3.c:7 e_23_3.c:8 e_23_3.c:11 e_23_3.c:12 e_24_6.c:7",
     "## at a replacement's border and # without a parameter are reported at expansion"},
    {"e_32_5.c:8", "a hexadecimal escape takes every hexadecimal digit, keeps the low 8 bits"},
    {"e_33_2.c:8", "a wide character constant is taken as a narrow one, with a warning"},
    {"e_35_2.c:7", "a multi-character constant is the warning \"Multibyte character constant "
                   "undefined\", not an error"}};

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
        const std::string text = std::regex_replace((*m)[1].str(), std::regex(R"(\\(.))"), "$1");
        std::regex expression;
        bool valid = true;
        try { expression = std::regex(text); } catch (const std::regex_error&) { valid = false; }
        bool found = false;
        std::istringstream in(output);
        for (std::string line; !found && std::getline(in, line);) {
            found = (valid && std::regex_search(line, expression)) || line.find(text) != line.npos;
        }
        if (!found) return false;
    }
    return true;
}

class ConformanceTest : public PreprocessorTest {
protected:
    void SetUp() override {
        PreprocessorTest::SetUp();
        if (!fs::is_directory(kSuite)) GTEST_SKIP() << "shared test material not found";
    }

    // The suite's files whose names start with one of the prefixes.
    std::vector<std::string> Files(const std::string& prefixes) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(kSuite)) {
            const std::string name = entry.path().filename().string();
            if (prefixes.find(name.substr(0, 2)) != name.npos && name.ends_with(".c")) {
                names.push_back(name);
            }
        }
        std::sort(names.begin(), names.end());
        return names;
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
        pre.lineObserver = [&](auto& p, const cimp::cpp::PpSource& source, int line) {
            if (!p.pp.diag.ErrorFlag()) return;
            p.pp.diag.ClearErrorFlag();
            if (source.next != nullptr) return;  // inside an included file
            for (int n = 0; n < std::max(1, source.lineIncrement); ++n) lines.insert(line + n);
        };
        const std::string path = (kSuite / name).string();
        std::vector<std::string> args{path, "-Isystem", path};
        result = pre.Run(3, Argv(args).data());
        if (pre.pp.diag.ErrorFlag()) lines.insert(0);
        return lines;
    }

    // Every failed item must be a deliberate difference.
    void Expect(const std::vector<std::string>& failed) {
        std::string listed = " ";
        for (const auto& item : kDeliberateDifferences) listed += item.first + std::string(" ");
        for (const std::string& item : failed) {
            EXPECT_NE(listed.find(" " + item + " "), std::string::npos) << item << " fails";
        }
    }
};

TEST_F(ConformanceTest, ValidProgramsReachNoErrorDirective) {
    const std::vector<std::string> files = Files("n_i_");
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
    Expect(failed);
}

TEST_F(ConformanceTest, ErroneousProgramsAreDiagnosed) {
    std::vector<std::string> failed;
    for (const std::string& name : Files("e_")) {
        int result = 0;
        const std::set<int> lines = Run(name, result);
        EXPECT_TRUE(result == 0 || result == -2) << name;
        for (const auto& [line, pattern] : DgErrors(ReadText(kSuite / name))) {
            if (line == 0 ? lines.empty() : lines.count(line) == 0) {
                failed.push_back(name + ":" + std::to_string(line));
            }
        }
    }
    Expect(failed);
}

const auto Path = [](const nlohmann::json& value) {
    return (kCorpusDir / value.get<std::string>()).generic_string(); };

class CorpusTest : public PreprocessorTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        PreprocessorTest::SetUp();
        if (!fs::exists(kCorpusDir / "cases.json")) GTEST_SKIP() << "shared material not found";
        ASSERT_EQ(TKSOpenRepository(":memory:", &repository_), TKS_OK);
    }
    void TearDown() override {
        TKSCloseRepository(repository_);
        PreprocessorTest::TearDown();
    }

    // Preprocesses, then compares "cprep.tmp" token by token with expected.
    void Compare(const std::vector<std::string>& args, const fs::path& expected,
                 const std::string& allowed) {
        static const bool python = std::system("python3 -c \"\"") == 0;
        if (!python) GTEST_SKIP() << "python3 not found";
        ASSERT_EQ(RunWithArgs(args), 0);
        EXPECT_TRUE(Diagnostics().empty() || Diagnostics() == allowed) << Diagnostics();
        const std::string command = "python3 \"" + (kSharedDir / "tools" / "cppdiff.py").string() +
                                    "\" cprep.tmp \"" + expected.string() + "\" > cppdiff.out 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << ReadFileBytes("cppdiff.out");
    }

    // One import of the corpus case in a unit of work: the messages it sent.
    std::vector<std::string> Import(const std::string& name) {
        const nlohmann::json c = CorpusCases().at(name);
        std::string include;
        for (const auto& dir : c.at("include_dirs")) include += Path(dir) + ";";
        include.pop_back();
        setenv("include", include.c_str(), 1);
        std::vector<std::string> messages;
        const auto collect = [](void* context, const char* text) {
            static_cast<std::vector<std::string>*>(context)->push_back(text);
        };
        EXPECT_EQ(TKSBeginWork(repository_), TKS_OK);
        EXPECT_EQ(DoCImport(repository_, Path(c.at("header")).c_str(), 0, 0, 0, 0,
                            Path(c.at("preinclude")).c_str(), 0, 0, 1, collect, &messages), 0);
        EXPECT_EQ(TKSCommitWork(repository_), TKS_OK);
        return messages;
    }

    TKSHandle repository_ = TKS_NO_HANDLE;
};

class TortureTest : public CorpusTest {};

std::vector<std::string> TortureCases() {
    std::vector<std::string> names;
    const fs::path dir = kCorpusDir / "cpp-torture";
    if (fs::is_directory(dir)) for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".c") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names.empty() ? std::vector<std::string>{"absent"} : names;
}

TEST_P(TortureTest, MatchesTheReference) {
    const fs::path source = kCorpusDir / "cpp-torture" / (GetParam() + ".c");
    const fs::path expected = kCorpusDir / "cpp-torture" / (GetParam() + ".expected");
    Compare({source.string(), source.string()}, expected, "");
}

// The driver's input for a corpus header: an #include of the pre-include,
// then the header itself (system includes kept).  linux/stddef.h defines a
// macro with a variadic parameter, which a C90 preprocessor rejects; these
// headers do not use that macro.
TEST_P(CorpusTest, MatchesTheReference) {
    const nlohmann::json c = CorpusCases().at(GetParam());
    WriteFileBytes("cpre.tmp", "#include \"" + Path(c.at("preinclude")) + "\"\n" +
                                   ReadFileBytes(Path(c.at("header"))));
    std::vector<std::string> args{"cpre.tmp"};
    for (const auto& dir : c.at("include_dirs")) args.push_back("-I" + Path(dir));
    args.push_back("cpre.tmp");
    Compare(args, kCorpusDir / GetParam() / "expected.i", "Syntax error in macro parameters\n");
}

// The first message that starts with (or, with anywhere, holds) the text.
std::string Message(const std::vector<std::string>& messages, const std::string& text,
                    bool anywhere = false) {
    for (const std::string& m : messages) {
        if (anywhere ? m.find(text) != m.npos : m.rfind(text, 0) == 0) return m;
    }
    return "";
}

TEST_P(CorpusTest, ImportsOnceAndFindsEverythingTheSecondTime) {
    const std::vector<std::string> first = Import(GetParam());
    const std::string diagnostics = Message(first, "found during parse.", true);
    const bool usb = GetParam() == "usb_ch9";  // the scanner reads the suffix ULL as UL, a name L
    EXPECT_TRUE(diagnostics.ends_with(usb ? "\r\n1 error found during parse.\r\n"
                                          : "No syntax errors found during parse.\r\n"))
        << diagnostics;
    EXPECT_TRUE(!usb || diagnostics.find("near \"L\": syntax error\r\n") != std::string::npos);
    const std::string nothing = "No. of Types created:\t\t0\r\nNo. of Elements created:\t0\r\n"
                                "No. of Lengths created:\t\t0\r\n";
    const std::string summary = Message(first, "Summary: ");
    EXPECT_NE(summary, "");
    EXPECT_EQ(summary.find("No. of Errors:\t\t\t0\r\n" + nothing), std::string::npos) << summary;
    const std::string again = Message(Import(GetParam()), "Summary: ");
    EXPECT_NE(again.find(nothing), std::string::npos) << again;
}

const auto kName = [](const ::testing::TestParamInfo<std::string>& info) { return info.param; };
INSTANTIATE_TEST_SUITE_P(Cases, TortureTest, ::testing::ValuesIn(TortureCases()), kName);
INSTANTIATE_TEST_SUITE_P(Corpus, CorpusTest, ::testing::ValuesIn(CorpusNames()), kName);

// Messages from "Importing C structure NAME." up to the empty message that
// ends that structure.
std::vector<std::string> Structure(const std::vector<std::string>& messages, std::string name) {
    const auto first = std::find(messages.begin(), messages.end(), "Importing C structure " + name);
    return {first, std::find(first, messages.end(), "")};
}

// ar.h: one structure of seven character arrays, checked by hand.
TEST_F(CorpusTest, CharacterArraysBecomeElementsWithLengths) {
    const std::vector<std::string> messages = Import("ar");
    std::vector<std::string> expected{"Importing C structure ar_hdr."}, inserted;
    for (std::string field : {"NAME", "DATE", "UID", "GID", "MODE", "SIZE", "FMAG"}) {
        expected.push_back("Created Length AR_" + field + "_LEN.");
        for (char& c : field) c = static_cast<char>(std::tolower(c));
        expected.push_back("Created Element ar_" + field + ".");
        inserted.push_back("Inserted Element ar_" + field + " into Type ar_hdr_TYPE.");
    }
    expected.push_back("Created Type ar_hdr_TYPE.");
    expected.insert(expected.end(), inserted.begin(), inserted.end());
    expected.push_back("C Structure ar_hdr successfully imported.");
    EXPECT_EQ(Structure(messages, "ar_hdr."), expected);
    EXPECT_EQ(Message(messages, "Summary: "),
              "Summary: \r\nNo. of Errors:\t\t\t0\r\nNo. of Types created:\t\t1\r\n"
              "No. of Elements created:\t7\r\nNo. of Lengths created:\t\t8\r\n");
}

// net/if.h: a structure with a pointer member is not imported, and the
// Element already made for it is deleted again.
TEST_F(CorpusTest, PointerMemberStopsItsStructure) {
    const std::vector<std::string> expected{
        "Importing C structure if_nameindex.", "Created Element if_index.",
        "Error: if_name is a pointer and will not be imported.",
        "Error: Failed to create Type if_nameindex as errors occured during creation of child "
        "Elements.",
        "Rolling back created Elements.", "Deleting Element if_index.",
        "C Structure if_nameindex not imported.", "Errors occurred during import of if_nameindex."};
    EXPECT_EQ(Structure(Import("net_if"), "if_nameindex."), expected);
}

}  // namespace
}  // namespace pp_test
