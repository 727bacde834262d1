// Bad input: one clear line on standard error, exit status 2, and the
// repository file exactly as it was.
#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "tksbeapi_host.h"

namespace cli_test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRepo = "model.db";

// How the repository file looks before the command runs.
enum class RepoState { kRepository, kTextFile, kEmptyFile, kCorrupt, kReadOnly, kDirectory, kMissing };

struct BadInputCase {
    const char* label;
    RepoState repo;
    std::vector<std::string> args;  // "@" stands for the order example header
    const char* expectedLine;       // the whole of standard error
};

void PrintTo(const BadInputCase& c, std::ostream* out) { *out << c.label; }

void CreateRepository() {
    TKSHandle repository = TKS_NO_HANDLE;
    ASSERT_EQ(TKSOpenRepository(kRepo, &repository), TKS_OK);
    TKSCloseRepository(repository);
}

void PrepareRepository(RepoState state) {
    switch (state) {
        case RepoState::kRepository: CreateRepository(); break;
        case RepoState::kReadOnly:
            CreateRepository();
            fs::permissions(kRepo, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
            break;
        case RepoState::kTextFile: WriteFileBytes(kRepo, "struct a { int b; };\n"); break;
        case RepoState::kEmptyFile: WriteFileBytes(kRepo, ""); break;
        case RepoState::kCorrupt:
            WriteFileBytes(kRepo, std::string("SQLite format 3") + '\0' + std::string(4096, '\x5a'));
            break;
        case RepoState::kDirectory: fs::create_directory(kRepo); break;
        case RepoState::kMissing: break;
    }
}

std::string Snapshot() {
    std::error_code error;
    if (!fs::is_regular_file(kRepo, error)) return fs::exists(kRepo, error) ? "<not a file>" : "<missing>";
    return ReadFileBytes(kRepo);
}

class BadInputTest : public CliTest, public ::testing::WithParamInterface<BadInputCase> {};

TEST_P(BadInputTest, RefusedWithOneLineAndRepositoryUnchanged) {
    const BadInputCase& c = GetParam();
    PrepareRepository(c.repo);
    const std::string before = Snapshot();
    std::vector<std::string> args;
    for (const std::string& arg : c.args) args.push_back(arg == "@" ? Example("order.h") : arg);
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, std::string(c.expectedLine) + "\n");
    EXPECT_EQ(Snapshot(), before);
}

const BadInputCase kCases[] = {
    {"MissingHeader", RepoState::kRepository, {"import", "--repo", kRepo, "no_such.h"},
     "cimport: header not found: no_such.h"},
    {"HeaderIsDirectory", RepoState::kRepository, {"import", "--repo", kRepo, "."}, "cimport: header not found: ."},
    {"MissingPreInclude", RepoState::kRepository, {"import", "--repo", kRepo, "--pre-include", "none.h", "@"},
     "cimport: pre-include file not found: none.h"},
    {"MissingIncludeDirectory", RepoState::kRepository, {"import", "--repo", kRepo, "-I", "no_dir", "@"},
     "cimport: include directory not found: no_dir"},
    {"RepositoryIsTextFile", RepoState::kTextFile, {"import", "--repo", kRepo, "@"},
     "cimport: not a repository: model.db"},
    {"RepositoryIsEmptyFile", RepoState::kEmptyFile, {"import", "--repo", kRepo, "@"},
     "cimport: not a repository: model.db"},
    {"RepositoryIsCorrupt", RepoState::kCorrupt, {"import", "--repo", kRepo, "@"},
     "cimport: not a repository: model.db"},
    {"RepositoryIsDirectory", RepoState::kDirectory, {"import", "--repo", kRepo, "@"},
     "cimport: not a repository: model.db"},
    {"RepositoryIsReadOnly", RepoState::kReadOnly, {"import", "--repo", kRepo, "@"},
     "cimport: repository is read-only: model.db"},
    {"ShowTextFile", RepoState::kTextFile, {"show", "--repo", kRepo}, "cimport: not a repository: model.db"},
    {"ShowMissingRepository", RepoState::kMissing, {"show", "--repo", kRepo}, "cimport: no repository at model.db"},
    {"UnknownOption", RepoState::kRepository, {"import", "--repo", kRepo, "--bogus", "@"},
     "cimport: The following argument was not expected: --bogus (see --help)"},
    {"NoSubcommand", RepoState::kRepository, {}, "cimport: A subcommand is required (see --help)"},
    {"NoHeader", RepoState::kRepository, {"import", "--repo", kRepo}, "cimport: HEADER is required (see --help)"},
};

INSTANTIATE_TEST_SUITE_P(Cases, BadInputTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace cli_test
