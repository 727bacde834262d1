// Every corpus header imported through DoCImport into a fresh stand-in
// repository, as the corpus manifest describes (pre-include, system includes
// kept, the case's include directories in the variable "include"), and then
// imported a second time.  Skipped when the shared test material is missing.
#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "cimport.h"
#include "pp_test_util.h"
#include "tksbeapi_host.h"

namespace pp_test {
namespace {

const std::string kNothingCreated =
    "No. of Types created:\t\t0\r\nNo. of Elements created:\t0\r\nNo. of Lengths created:\t\t0\r\n";

class ImportTest : public PreprocessorTest {
protected:
    void SetUp() override {
        PreprocessorTest::SetUp();
        if (!fs::exists(kCorpusDir / "cases.json")) GTEST_SKIP() << "shared test material not found";
        ASSERT_EQ(TKSOpenRepository(":memory:", &repository_), TKS_OK);
    }
    void TearDown() override {
        if (repository_ != TKS_NO_HANDLE) TKSCloseRepository(repository_);
        PreprocessorTest::TearDown();
    }

    // One import of the case in a unit of work: the messages it sent.
    std::vector<std::string> Import(const std::string& name) {
        const nlohmann::json c = CorpusCase(name);
        std::string include;
        for (const auto& dir : c.at("include_dirs")) {
            include += (include.empty() ? "" : ";") + (kCorpusDir / dir.get<std::string>()).string();
        }
        setenv("include", include.c_str(), 1);
        std::vector<std::string> messages;
        const auto collect = [](void* context, const char* text) {
            static_cast<std::vector<std::string>*>(context)->push_back(text);
        };
        const std::string header = (kCorpusDir / c.at("header").get<std::string>()).string();
        const std::string preInclude = (kCorpusDir / c.at("preinclude").get<std::string>()).string();
        EXPECT_EQ(TKSBeginWork(repository_), TKS_OK);
        EXPECT_EQ(DoCImport(repository_, header.c_str(), 0, 0, 0, 0, preInclude.c_str(), 0, 0, 1,
                            collect, &messages), 0);
        EXPECT_EQ(TKSCommitWork(repository_), TKS_OK);
        return messages;
    }

    TKSHandle repository_ = TKS_NO_HANDLE;
};

// The first message that starts with (or, with anywhere, holds) the text.
std::string Message(const std::vector<std::string>& messages, const std::string& text,
                    bool anywhere = false) {
    for (const std::string& m : messages) {
        if (anywhere ? m.find(text) != m.npos : m.rfind(text, 0) == 0) return m;
    }
    return "";
}

// Messages from "Importing C structure NAME." up to the empty message that
// ends that structure.
std::vector<std::string> Structure(const std::vector<std::string>& messages, const std::string& name) {
    const auto first = std::find(messages.begin(), messages.end(), "Importing C structure " + name + ".");
    return {first, std::find(first, messages.end(), "")};
}

class EndToEndTest : public ImportTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(EndToEndTest, ImportsOnceAndFindsEverythingTheSecondTime) {
    const std::vector<std::string> first = Import(GetParam());
    const std::string diagnostics = Message(first, "found during parse.", true);
    if (GetParam() == "usb_ch9") {
        // The scanner reads the suffix ULL as UL and a name L.
        EXPECT_NE(diagnostics.find("near \"L\": syntax error\r\n"), std::string::npos) << diagnostics;
        EXPECT_NE(diagnostics.find("\r\n1 error found during parse.\r\n"), std::string::npos);
    } else {
        const std::string none = "No syntax errors found during parse.\r\n";
        ASSERT_GE(diagnostics.size(), none.size()) << diagnostics;
        EXPECT_EQ(diagnostics.substr(diagnostics.size() - none.size()), none);
    }
    const std::string summary = Message(first, "Summary: ");
    EXPECT_NE(summary, "");
    EXPECT_EQ(summary.find("No. of Errors:\t\t\t0\r\n" + kNothingCreated), std::string::npos) << summary;
    const std::string again = Message(Import(GetParam()), "Summary: ");
    EXPECT_NE(again.find(kNothingCreated), std::string::npos) << again;
}

INSTANTIATE_TEST_SUITE_P(Corpus, EndToEndTest, ::testing::ValuesIn(CorpusNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// ar.h: one structure of seven character arrays, checked by hand.
TEST_F(ImportTest, CharacterArraysBecomeElementsWithLengths) {
    const std::vector<std::string> messages = Import("ar");
    std::vector<std::string> expected{"Importing C structure ar_hdr."};
    for (const char* field : {"NAME", "DATE", "UID", "GID", "MODE", "SIZE", "FMAG"}) {
        std::string lower = field;
        for (char& c : lower) c = static_cast<char>(std::tolower(c));
        expected.push_back("Created Length AR_" + std::string(field) + "_LEN.");
        expected.push_back("Created Element ar_" + lower + ".");
    }
    expected.push_back("Created Type ar_hdr_TYPE.");
    for (const char* field : {"name", "date", "uid", "gid", "mode", "size", "fmag"}) {
        expected.push_back("Inserted Element ar_" + std::string(field) + " into Type ar_hdr_TYPE.");
    }
    expected.push_back("C Structure ar_hdr successfully imported.");
    EXPECT_EQ(Structure(messages, "ar_hdr"), expected);
    EXPECT_EQ(Message(messages, "Summary: "),
              "Summary: \r\nNo. of Errors:\t\t\t0\r\nNo. of Types created:\t\t1\r\n"
              "No. of Elements created:\t7\r\nNo. of Lengths created:\t\t8\r\n");
}

// net/if.h: a structure with a pointer member is not imported, and the
// Element already made for it is deleted again.
TEST_F(ImportTest, PointerMemberStopsItsStructure) {
    const std::vector<std::string> expected{
        "Importing C structure if_nameindex.", "Created Element if_index.",
        "Error: if_name is a pointer and will not be imported.",
        "Error: Failed to create Type if_nameindex as errors occured during creation of child "
        "Elements.",
        "Rolling back created Elements.", "Deleting Element if_index.",
        "C Structure if_nameindex not imported.", "Errors occurred during import of if_nameindex."};
    EXPECT_EQ(Structure(Import("net_if"), "if_nameindex"), expected);
}

}  // namespace
}  // namespace pp_test
