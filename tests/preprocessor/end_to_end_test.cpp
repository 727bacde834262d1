// Every corpus header imported through DoCImport into a fresh stand-in
// repository, as the corpus manifest describes (pre-include, system includes
// kept, the case's include directories in the variable "include"), and then
// imported a second time.  Skipped when the shared test material is missing.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cimport.h"
#include "corpus_cases.h"
#include "pp_test_util.h"
#include "tksbeapi_host.h"

namespace pp_test {
namespace {

namespace fs = std::filesystem;

const fs::path& kCorpus = kCorpusDir;

constexpr char kNoSyntaxErrors[] = "No syntax errors found during parse.\r\n";
constexpr char kNothingCreated[] =
    "Summary: \r\nNo. of Errors:\t\t\t0\r\nNo. of Types created:\t\t0\r\nNo. of Elements created:\t0\r\n"
    "No. of Lengths created:\t\t0\r\n";

void SetIncludeVariable(const std::string& value) {
#ifdef _WIN32
    _putenv_s("include", value.c_str());
#else
    setenv("include", value.c_str(), 1);
#endif
}

void Collect(void* context, const char* text) { static_cast<std::vector<std::string>*>(context)->push_back(text); }

class ImportTest : public PreprocessorTest {
protected:
    void SetUp() override {
        PreprocessorTest::SetUp();
        if (!fs::exists(kCorpus / "cases.json")) GTEST_SKIP() << "shared test material not found";
        ASSERT_EQ(TKSOpenRepository(":memory:", &repository_), TKS_OK);
    }
    void TearDown() override {
        if (repository_ != TKS_NO_HANDLE) TKSCloseRepository(repository_);
        PreprocessorTest::TearDown();
    }

    // One import of the case in a unit of work; the messages it sent.
    std::vector<std::string> Import(const nlohmann::json& c) {
        std::string include;
        for (const auto& dir : c.at("include_dirs")) {
            include += include.empty() ? "" : ";";
            include += (kCorpus / dir.get<std::string>()).string();
        }
        SetIncludeVariable(include);
        std::vector<std::string> messages;
        const std::string header = (kCorpus / c.at("header").get<std::string>()).string();
        const std::string preInclude = (kCorpus / c.at("preinclude").get<std::string>()).string();
        EXPECT_EQ(TKSBeginWork(repository_), TKS_OK);
        EXPECT_EQ(DoCImport(repository_, header.c_str(), 0, 0, 0, 0, preInclude.c_str(), 0, 0, 1, Collect, &messages),
                  0);
        EXPECT_EQ(TKSCommitWork(repository_), TKS_OK);
        return messages;
    }

    TKSHandle repository_ = TKS_NO_HANDLE;
};

class EndToEndTest : public ImportTest, public ::testing::WithParamInterface<std::string> {};

// The relayed diagnostics: the message that holds the parse's summary line.
std::string RelayedDiagnostics(const std::vector<std::string>& messages) {
    for (const std::string& m : messages) {
        if (m.find("found during parse.") != std::string::npos) return m;
    }
    return "";
}

std::string Summary(const std::vector<std::string>& messages) {
    for (const std::string& m : messages) {
        if (m.rfind("Summary: ", 0) == 0) return m;
    }
    return "";
}

TEST_P(EndToEndTest, ImportsOnceAndFindsEverythingTheSecondTime) {
    const nlohmann::json c = CorpusCase(GetParam());
    const std::vector<std::string> first = Import(c);
    const std::string diagnostics = RelayedDiagnostics(first);
    if (GetParam() == "usb_ch9") {
        // The scanner reads the suffix ULL as UL and a name L.
        EXPECT_NE(diagnostics.find("near \"L\": syntax error\r\n"), std::string::npos) << diagnostics;
        EXPECT_NE(diagnostics.find("\r\n1 error found during parse.\r\n"), std::string::npos) << diagnostics;
    } else {
        ASSERT_GE(diagnostics.size(), sizeof kNoSyntaxErrors - 1) << diagnostics;
        EXPECT_EQ(diagnostics.substr(diagnostics.size() - (sizeof kNoSyntaxErrors - 1)), kNoSyntaxErrors);
    }
    EXPECT_NE(Summary(first), "");
    EXPECT_EQ(Summary(first).find(kNothingCreated), std::string::npos) << Summary(first);
    const std::vector<std::string> second = Import(c);
    EXPECT_NE(Summary(second).find("No. of Types created:\t\t0\r\nNo. of Elements created:\t0\r\n"
                                   "No. of Lengths created:\t\t0\r\n"),
              std::string::npos)
        << Summary(second);
}

// Messages between "Importing C structure NAME." and the empty message that
// ends that structure, in the first import.
std::vector<std::string> StructureMessages(const std::vector<std::string>& messages, const std::string& name) {
    std::vector<std::string> block;
    bool inside = false;
    for (const std::string& m : messages) {
        if (m == "Importing C structure " + name + ".") inside = true;
        if (!inside) continue;
        if (m.empty()) break;
        block.push_back(m);
    }
    return block;
}

// ar.h: one structure of seven character arrays, checked by hand.
TEST_F(ImportTest, CharacterArraysBecomeElementsWithLengths) {
    const std::vector<std::string> messages = Import(CorpusCase("ar"));
    const std::vector<std::string> expected{
        "Importing C structure ar_hdr.",
        "Created Length AR_NAME_LEN.", "Created Element ar_name.",
        "Created Length AR_DATE_LEN.", "Created Element ar_date.",
        "Created Length AR_UID_LEN.", "Created Element ar_uid.",
        "Created Length AR_GID_LEN.", "Created Element ar_gid.",
        "Created Length AR_MODE_LEN.", "Created Element ar_mode.",
        "Created Length AR_SIZE_LEN.", "Created Element ar_size.",
        "Created Length AR_FMAG_LEN.", "Created Element ar_fmag.",
        "Created Type ar_hdr_TYPE.",
        "Inserted Element ar_name into Type ar_hdr_TYPE.", "Inserted Element ar_date into Type ar_hdr_TYPE.",
        "Inserted Element ar_uid into Type ar_hdr_TYPE.", "Inserted Element ar_gid into Type ar_hdr_TYPE.",
        "Inserted Element ar_mode into Type ar_hdr_TYPE.", "Inserted Element ar_size into Type ar_hdr_TYPE.",
        "Inserted Element ar_fmag into Type ar_hdr_TYPE.",
        "C Structure ar_hdr successfully imported."};
    EXPECT_EQ(StructureMessages(messages, "ar_hdr"), expected);
    EXPECT_EQ(Summary(messages),
              "Summary: \r\nNo. of Errors:\t\t\t0\r\nNo. of Types created:\t\t1\r\nNo. of Elements created:\t7\r\n"
              "No. of Lengths created:\t\t8\r\n");
}

// net/if.h: a structure with a pointer member is not imported, and the
// Element already made for it is deleted again.
TEST_F(ImportTest, PointerMemberStopsItsStructure) {
    const std::vector<std::string> messages = Import(CorpusCase("net_if"));
    const std::vector<std::string> expected{
        "Importing C structure if_nameindex.",
        "Created Element if_index.",
        "Error: if_name is a pointer and will not be imported.",
        "Error: Failed to create Type if_nameindex as errors occured during creation of child Elements.",
        "Rolling back created Elements.",
        "Deleting Element if_index.",
        "C Structure if_nameindex not imported.",
        "Errors occurred during import of if_nameindex."};
    EXPECT_EQ(StructureMessages(messages, "if_nameindex"), expected);
}

INSTANTIATE_TEST_SUITE_P(Corpus, EndToEndTest, ::testing::ValuesIn(CorpusNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
}  // namespace pp_test
