// The progress line of an import, seen through a pseudo-terminal: the command runs with its
// standard streams on the terminal (or some of them on files) and the line may appear at once.
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/file_bytes.h"

namespace {

struct Row {
    const char* label;
    bool quiet, stdoutToFile, stderrToFile;
    bool shown;  // the line appears on the terminal and is cleared before the summary
};

// Runs cimport import on a small header; returns everything the terminal received.
std::string RunOnTerminal(const Row& row) {
    test_support::WriteFileBytes("s.h", "struct s { int a; char *p; };\n");
    std::filesystem::remove("p.db");
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        if (row.stdoutToFile) dup2(open("out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        if (row.stderrToFile) dup2(open("err.txt", O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        setenv("CIMPORT_PROGRESS_AFTER", "0", 1);
        const char* args[] = {"cimport", "import", "--repo", "p.db", "s.h",
                              row.quiet ? "--quiet" : nullptr, nullptr};
        execv(CIMPORT_CLI, const_cast<char**>(args));
        _exit(127);
    }
    std::string seen;
    char buffer[4096];
    for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;) seen.append(buffer, n);
    int status = 0;
    waitpid(child, &status, 0);
    close(terminal);
    return seen;
}

void PrintTo(const Row& row, std::ostream* out) { *out << row.label; }

class Progress : public ::testing::TestWithParam<Row> {};

TEST_P(Progress, OnTerminalOnly) {
    const Row& row = GetParam();
    const std::string seen = RunOnTerminal(row);
    const std::size_t last = seen.rfind("structures done, ");
    ASSERT_EQ(last != std::string::npos, row.shown) << seen;
    EXPECT_EQ(test_support::ReadFileBytes("err.txt").find("structures done"), std::string::npos);
    if (!row.shown) return;
    EXPECT_NE(seen.find("\r0 structures done, 0 errors, "), std::string::npos) << seen;
    // The last line drawn is overwritten with spaces, and the cursor goes back.
    const std::size_t clear = seen.find('\r', last) + 1;
    const std::size_t cleared = seen.find('\r', clear);
    ASSERT_NE(cleared, std::string::npos) << seen;
    EXPECT_EQ(seen.find_first_not_of(' ', clear), cleared) << seen;
    if (!row.stdoutToFile) {  // drawn again below each message, with the counts so far
        EXPECT_NE(seen.find("\r1 structures done, 2 errors, "), std::string::npos) << seen;
        EXPECT_EQ(seen.find("Summary: "), cleared + 1) << seen;
    }
}

const Row kRows[] = {
    {"SharedWithMessages", false, false, false, true},
    {"MessagesToFile", false, true, false, true},
    {"Quiet", true, false, false, false},
    {"ErrorsToFile", false, false, true, false},
};

INSTANTIATE_TEST_SUITE_P(Progress, Progress, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
