// One repository under load: imports and shows run at once, a writer holding the file, and an
// import killed in the middle.  The commands run as processes of their own.
#include <fcntl.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/file_bytes.h"

namespace {

namespace fs = std::filesystem;
using test_support::ReadFileBytes;

// Starts the command with its output in the files tag.out and tag.err.
pid_t Start(const std::vector<std::string>& args, const std::string& tag) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    dup2(open((tag + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
    dup2(open((tag + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    std::vector<char*> argv{const_cast<char*>(CIMPORT_CLI)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(CIMPORT_CLI, argv.data());
    _exit(127);
}

// The exit status, or minus the signal that ended the process.
int Finish(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

int RunCli(const std::vector<std::string>& args) { return Finish(Start(args, "run")); }

// A header of structures named tag0, tag1, ..., and the names of their Types.
std::vector<std::string> WriteHeader(const std::string& tag, int count) {
    std::string text;
    std::vector<std::string> types;
    for (int n = 0; n < count; ++n) {
        const std::string name = tag + std::to_string(n);
        text += "struct " + name + " { int i" + tag + "; char c" + tag + "[4]; };\n";
        types.push_back(name + "_TYPE");
    }
    test_support::WriteFileBytes(tag + ".h", text);
    return types;
}

class Load : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
    }
    void TearDown() override { fs::current_path(".."); }
    const std::string dir = ::testing::UnitTest::GetInstance()->current_test_info()->name();
};

TEST_F(Load, ImportsWaitForEachOtherAndShowsReadBeside) {
    const std::vector<std::string> tags = {"a", "b", "c", "d"};
    std::vector<std::string> show = {"show", "--repo", "r.db"};
    std::vector<pid_t> imports, shows;
    for (const std::string& tag : tags) {
        for (const std::string& type : WriteHeader(tag, 150)) show.push_back(type);
        imports.push_back(Start({"import", "--quiet", "--repo", "r.db", tag + ".h"}, tag));
        shows.push_back(Start({"show", "--repo", "r.db", "INTEGER"}, tag + "show"));
    }
    for (pid_t pid : imports) EXPECT_EQ(Finish(pid), 0);
    for (size_t n = 0; n < tags.size(); ++n) {
        const int status = Finish(shows[n]);
        const std::string err = ReadFileBytes(tags[n] + "show.err");
        EXPECT_TRUE(status == 0 ? err.empty() : err == "cimport: no repository at r.db\n") << err;
    }
    EXPECT_EQ(RunCli(show), 0) << "every Type of every import is there";
    for (const auto& entry : fs::directory_iterator("."))
        EXPECT_EQ(entry.path().extension() == ".h" || entry.path().extension() == ".out" ||
                      entry.path().extension() == ".err" || entry.path() == "./r.db", true)
            << entry.path();
}

TEST_F(Load, AWriterHoldingTheFile) {
    WriteHeader("a", 2);
    ASSERT_EQ(RunCli({"import", "--repo", "r.db", "a.h"}), 0);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open("r.db", &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", 0, 0, 0), SQLITE_OK);
    EXPECT_EQ(RunCli({"import", "--wait", "1", "--repo", "r.db", "a.h"}), 2);
    EXPECT_EQ(ReadFileBytes("run.err"), "cimport: repository is locked by another import\n");
    EXPECT_EQ(RunCli({"show", "--wait", "0", "--repo", "r.db", "a1_TYPE"}), 0);
    sqlite3_close(other);
}

TEST_F(Load, AKilledImportLeavesTheFinishedOnes) {
    WriteHeader("a", 2);
    WriteHeader("big", 4000);
    ASSERT_EQ(RunCli({"import", "--repo", "r.db", "a.h"}), 0);
    ASSERT_EQ(RunCli({"show", "--repo", "r.db"}), 0);
    const std::string before = ReadFileBytes("run.out");
    const pid_t import = Start({"import", "--repo", "r.db", "big.h"}, "big");
    while (!fs::exists("r.db-journal") && waitpid(import, nullptr, WNOHANG) == 0) usleep(1000);
    kill(import, SIGKILL);
    ASSERT_EQ(Finish(import), -SIGKILL) << "the import ended before it was killed";
    ASSERT_EQ(RunCli({"show", "--repo", "r.db"}), 0);
    EXPECT_EQ(ReadFileBytes("run.out"), before);
    EXPECT_EQ(RunCli({"import", "--repo", "r.db", "a.h"}), 0) << "the next import clears up";
    EXPECT_FALSE(fs::exists("r.db-journal"));
}

}  // namespace
