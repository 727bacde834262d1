// Comparison with the system's preprocessor: every torture case and every
// corpus header is preprocessed here and compared token by token with the
// reference output recorded beside it (gcc -E -P through
// tools/cpp_reference.sh, as the corpus manifest describes) by
// tools/cppdiff.py.  The reference is made without __STDC__ and with
// trigraphs, as our preprocessor works, so every case must be equal.  Skipped
// when the shared test material or python3 is missing.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "corpus_cases.h"
#include "pp_test_util.h"

namespace pp_test {
namespace {

namespace fs = std::filesystem;

bool HavePython() {
    static const bool have = std::system(nullptr) != 0 && std::system("python3 -c \"\"") == 0;
    return have;
}

std::string Quoted(const fs::path& path) { return '"' + path.generic_string() + '"'; }

// cppdiff's verdict on our "cprep.tmp": its first line ("equal (N tokens)"
// or the first difference).
bool CompareWithReference(const fs::path& expected, std::string& verdict) {
    const std::string command = "python3 " + Quoted(kSharedDir / "tools" / "cppdiff.py") + " cprep.tmp " +
                                Quoted(expected) + " > cppdiff.out 2>&1";
    const int status = std::system(command.c_str());
    verdict = ReadFileBytes("cppdiff.out");
    return status == 0;
}

std::vector<std::string> TortureCases() {
    std::vector<std::string> names;
    const fs::path dir = kCorpusDir / "cpp-torture";
    if (fs::is_directory(dir)) {
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.path().extension() == ".c") names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    if (names.empty()) names.push_back("absent");
    return names;
}

class TortureTest : public PreprocessorTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(TortureTest, MatchesTheReference) {
    const fs::path source = kCorpusDir / "cpp-torture" / (GetParam() + ".c");
    if (!fs::exists(source)) GTEST_SKIP() << "shared test material not found";
    if (!HavePython()) GTEST_SKIP() << "python3 not found";
    ASSERT_EQ(RunWithArgs({source.string(), source.string()}), 0);
    EXPECT_EQ(Diagnostics(), "");
    std::string verdict;
    EXPECT_TRUE(CompareWithReference(source.parent_path() / (GetParam() + ".expected"), verdict)) << verdict;
}

INSTANTIATE_TEST_SUITE_P(Cases, TortureTest, ::testing::ValuesIn(TortureCases()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// The driver's input for a corpus header: an #include of the pre-include,
// then the header itself (system includes kept).
void WriteDriverInput(const nlohmann::json& c) {
    std::string text =
        "#include \"" + (kCorpusDir / c.at("preinclude").get<std::string>()).generic_string() + "\"\n";
    text += ReadFileBytes(kCorpusDir / c.at("header").get<std::string>());
    WriteFileBytes("cpre.tmp", text);
}

class CorpusTest : public PreprocessorTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(CorpusTest, MatchesTheReference) {
    if (!fs::exists(kCorpusDir / "cases.json")) GTEST_SKIP() << "shared test material not found";
    if (!HavePython()) GTEST_SKIP() << "python3 not found";
    const nlohmann::json c = CorpusCase(GetParam());
    WriteDriverInput(c);
    std::vector<std::string> args{"cpre.tmp"};
    for (const auto& dir : c.at("include_dirs")) {
        args.push_back("-I" + (kCorpusDir / dir.get<std::string>()).generic_string());
    }
    args.push_back("cpre.tmp");
    ASSERT_EQ(RunWithArgs(args), 0);
    // linux/stddef.h defines a macro with a variadic parameter, which a C90
    // preprocessor rejects; these headers do not use that macro.
    const std::string diagnostics = Diagnostics();
    EXPECT_TRUE(diagnostics.empty() || diagnostics == "Syntax error in macro parameters\n") << diagnostics;
    std::string verdict;
    EXPECT_TRUE(CompareWithReference(kCorpusDir / GetParam() / "expected.i", verdict)) << verdict;
}

INSTANTIATE_TEST_SUITE_P(Headers, CorpusTest, ::testing::ValuesIn(CorpusNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
}  // namespace pp_test
