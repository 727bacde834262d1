// cimport import: the examples go into a repository once; a second run
// creates nothing; a dry run and a failed import leave the file unchanged.
#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace cli_test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRepo = "model.db";

std::vector<std::string> ImportExamples(std::vector<std::string> extra = {}, const std::string& repo = kRepo) {
    std::vector<std::string> args{"import", "--repo", repo, "-I", Example(""), "--pre-include",
                                  Example("prelude/vendor_words.h")};
    args.insert(args.end(), extra.begin(), extra.end());
    for (const char* header : {"shared_types.h", "order.h", "telemetry_frame.h", "device_status.h"})
        args.push_back(Example(header));
    return args;
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

using ImportTest = CliTest;

TEST_F(ImportTest, ImportsTheExamples) {
    const CliRun run = RunCli(ImportExamples());
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Count(run.out, "Importing C header file "), 4);
    for (const char* line : {"Created Type address_TYPE.\n", "Created Type order_TYPE.\n",
                             "Created Type telemetry_frame_TYPE.\n", "Created Type device_status_TYPE.\n",
                             "Created Length NAME_LEN.\n", "Summary: \nNo. of Errors:\t\t\t0\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
    EXPECT_EQ(run.out.find('\r'), std::string::npos) << "CR LF is shown as a line end";
}

TEST_F(ImportTest, SecondRunCreatesNothing) {
    ASSERT_EQ(RunCli(ImportExamples()).status, 0);
    const std::string before = ReadFileBytes(kRepo);
    const CliRun again = RunCli(ImportExamples());
    EXPECT_EQ(again.status, 0) << again.out << again.err;
    EXPECT_EQ(Count(again.out, "Created "), 0) << again.out;
    EXPECT_EQ(Count(again.out, "No errors detected and nothing was created."), 4) << again.out;
    EXPECT_EQ(ReadFileBytes(kRepo), before);
}

TEST_F(ImportTest, DryRunLeavesTheRepositoryUnchanged) {
    ASSERT_EQ(RunCli({"import", "--quiet", "--repo", kRepo, Example("shared_types.h")}).status, 0);
    const std::string before = ReadFileBytes(kRepo);
    const CliRun run = RunCli(ImportExamples({"--dry-run"}));
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("Created Type order_TYPE.\n"), std::string::npos);
    EXPECT_EQ(Count(run.out, "Dry run: the import of "), 4);
    EXPECT_EQ(ReadFileBytes(kRepo), before);
}

TEST_F(ImportTest, DryRunCreatesNoRepositoryFile) {
    const CliRun run = RunCli(ImportExamples({"--dry-run"}));
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_FALSE(fs::exists(kRepo));
}

TEST_F(ImportTest, QuietPrintsOnlyTheSummary) {
    const CliRun run =
        RunCli({"import", "--quiet", "--repo", kRepo, Example("shared_types.h")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "Summary: \nNo. of Errors:\t\t\t0\nNo. of Types created:\t\t1\nNo. of Elements created:\t4\n"
              "No. of Lengths created:\t\t5\n");
}

TEST_F(ImportTest, UserFilesWithTheStagesNamesAreNotTouched) {
    for (const char* name : {"cpre.tmp", "cprep.tmp", "errorfile.err", "out.tmp"}) WriteFileBytes(name, name);
    ASSERT_EQ(RunCli({"import", "--quiet", "--repo", kRepo, Example("shared_types.h")}).status, 0);
    for (const char* name : {"cpre.tmp", "cprep.tmp", "errorfile.err", "out.tmp"}) EXPECT_EQ(ReadFileBytes(name), name);
}

#if !defined(_WIN32)
TEST_F(ImportTest, TwoCommandsSideBySideDoNotMeet) {
    for (const char* name : {"cpre.tmp", "cprep.tmp", "errorfile.err", "out.tmp"}) WriteFileBytes(name, name);
    const auto [first, second] = RunCliSideBySide(ImportExamples({}, "a.db"), ImportExamples({}, "b.db"));
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(Count(first.out, "No. of Errors:\t\t\t0\n"), 4) << first.out;
    EXPECT_EQ(first.out, second.out);
    for (const char* name : {"cpre.tmp", "cprep.tmp", "errorfile.err", "out.tmp"}) EXPECT_EQ(ReadFileBytes(name), name);
}
#endif

TEST_F(ImportTest, ErrorsCountedByTheImportGiveStatusOne) {
    WriteFileBytes("pointer.h", "struct link { int id; char *next; };\n");
    const CliRun run = RunCli({"import", "--repo", kRepo, "pointer.h"});
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("Error: next is a pointer and will not be imported.\n"), std::string::npos) << run.out;
}

TEST_F(ImportTest, FailedImportGivesStatusTwoAndSavesNothing) {
    ASSERT_EQ(RunCli({"import", "--quiet", "--repo", kRepo, Example("shared_types.h")}).status, 0);
    const std::string before = ReadFileBytes(kRepo);
    // A header that includes itself stops the preprocessor at the nesting limit.
    WriteFileBytes("broken.h", "#include \"broken.h\"\nstruct s { int a; };\n");
    const CliRun run = RunCli({"import", "--repo", kRepo, "broken.h"});
    EXPECT_EQ(run.status, 2) << run.out << run.err;
    EXPECT_NE(run.err.find("broken.h failed; nothing of it was saved\n"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(kRepo), before);
}

TEST_F(ImportTest, HelpAndVersion) {
    const CliRun help = RunCli({"import", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--dry-run"), std::string::npos);
    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("cimport ", 0), 0u) << version.out;
}

}  // namespace
}  // namespace cli_test
