// Comparison with the system's preprocessor: every torture case and every
// corpus header is preprocessed here and compared token by token with the
// reference output recorded beside it (gcc -E -P through
// tools/cpp_reference.sh, as the corpus manifest describes) by
// tools/cppdiff.py.  The reference is made without __STDC__ and with
// trigraphs, as our preprocessor works, so every case must be equal.  Skipped
// when the shared test material or python3 is missing.
#include <algorithm>
#include <cstdlib>

#include "pp_test_util.h"

namespace pp_test {
namespace {

std::string Quoted(const fs::path& path) { return '"' + path.generic_string() + '"'; }

class DifferentialTest : public PreprocessorTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        PreprocessorTest::SetUp();
        if (!fs::exists(kCorpusDir / "cases.json")) GTEST_SKIP() << "shared test material not found";
        static const bool python = std::system("python3 -c \"\"") == 0;
        if (!python) GTEST_SKIP() << "python3 not found";
    }
    // Runs the preprocessor, then cppdiff on "cprep.tmp" against expected.
    void Compare(const std::vector<std::string>& args, const fs::path& expected,
                 const std::string& allowed) {
        ASSERT_EQ(RunWithArgs(args), 0);
        const std::string diagnostics = Diagnostics();
        EXPECT_TRUE(diagnostics.empty() || diagnostics == allowed) << diagnostics;
        const std::string command = "python3 " + Quoted(kCorpusDir.parent_path() / "tools" / "cppdiff.py") +
                                    " cprep.tmp " + Quoted(expected) + " > cppdiff.out 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << ReadFileBytes("cppdiff.out");
    }
};

using TortureTest = DifferentialTest;
using CorpusTest = DifferentialTest;

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

TEST_P(TortureTest, MatchesTheReference) {
    const fs::path source = kCorpusDir / "cpp-torture" / (GetParam() + ".c");
    Compare({source.string(), source.string()}, source.parent_path() / (GetParam() + ".expected"), "");
}

// The driver's input for a corpus header: an #include of the pre-include,
// then the header itself (system includes kept).
TEST_P(CorpusTest, MatchesTheReference) {
    const nlohmann::json c = CorpusCase(GetParam());
    WriteFileBytes("cpre.tmp", "#include \"" +
                                   (kCorpusDir / c.at("preinclude").get<std::string>()).generic_string() +
                                   "\"\n" + ReadFileBytes(kCorpusDir / c.at("header").get<std::string>()));
    std::vector<std::string> args{"cpre.tmp"};
    for (const auto& dir : c.at("include_dirs")) {
        args.push_back("-I" + (kCorpusDir / dir.get<std::string>()).generic_string());
    }
    args.push_back("cpre.tmp");
    // linux/stddef.h defines a macro with a variadic parameter, which a C90
    // preprocessor rejects; these headers do not use that macro.
    Compare(args, kCorpusDir / GetParam() / "expected.i", "Syntax error in macro parameters\n");
}

const auto kName = [](const ::testing::TestParamInfo<std::string>& info) { return info.param; };
INSTANTIATE_TEST_SUITE_P(Cases, TortureTest, ::testing::ValuesIn(TortureCases()), kName);
INSTANTIATE_TEST_SUITE_P(Headers, CorpusTest, ::testing::ValuesIn(CorpusNames()), kName);

}  // namespace
}  // namespace pp_test
