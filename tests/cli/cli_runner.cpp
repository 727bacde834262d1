#include "cli_runner.h"

#include <algorithm>
#include <cstdlib>

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace cli_test {

namespace {

constexpr const char* kOutFile = "cli.out";
constexpr const char* kErrFile = "cli.err";

std::string Quote(const std::string& arg) {
#if defined(_WIN32)
    return "\"" + arg + "\"";
#else
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
#endif
}

int ExitStatus(int systemResult) {
#if defined(_WIN32)
    return systemResult;
#else
    return WIFEXITED(systemResult) ? WEXITSTATUS(systemResult) : -1;
#endif
}

std::string CommandLine(const std::vector<std::string>& args) {
    std::string command = Quote(CIMPORT_CLI);
    for (const std::string& arg : args) command += " " + Quote(arg);
    return command;
}

// Collects what a run left in its files and removes them.
CliRun CollectRun(int status, const std::string& prefix) {
    CliRun run;
    run.status = status;
    run.out = ReadFileBytes(prefix + kOutFile);
    run.err = ReadFileBytes(prefix + kErrFile);
    std::filesystem::remove(prefix + kOutFile);
    std::filesystem::remove(prefix + kErrFile);
    return run;
}

}  // namespace

CliRun RunCli(const std::vector<std::string>& args) {
    const std::string command = CommandLine(args) + " >" + kOutFile + " 2>" + kErrFile;
    return CollectRun(ExitStatus(std::system(command.c_str())), "");
}

#if !defined(_WIN32)
std::pair<CliRun, CliRun> RunCliSideBySide(const std::vector<std::string>& first,
                                           const std::vector<std::string>& second) {
    const auto background = [](const std::vector<std::string>& args, const std::string& prefix) {
        return "(" + CommandLine(args) + " >" + prefix + kOutFile + " 2>" + prefix + kErrFile + "; echo $? >" +
               prefix + "status) & ";
    };
    const std::string command = background(first, "1.") + background(second, "2.") + "wait";
    std::system(command.c_str());
    const auto collect = [](const std::string& prefix) {
        const int status = std::stoi("0" + ReadFileBytes(prefix + "status"));
        std::filesystem::remove(prefix + "status");
        return CollectRun(status, prefix);
    };
    return {collect("1."), collect("2.")};
}
#endif

std::string Example(const std::string& name) {
    return (std::filesystem::path(CIMPORT_SOURCE_DIR) / "examples" / name).lexically_normal().string();
}

void CliTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    std::replace(name.begin(), name.end(), '/', '_');  // parameterised names hold '/'
    folder_ = name;
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
}

// A failed test leaves its folder behind to be looked at.
void CliTest::TearDown() {
    std::filesystem::current_path(previous_);
    if (!HasFailure()) std::filesystem::remove_all(folder_);
}

}  // namespace cli_test
