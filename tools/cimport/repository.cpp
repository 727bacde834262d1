#include "repository.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "command_error.h"
#include "platform.h"
#include "tksbeapi_host.h"

namespace cimport_cli {

namespace {

namespace fs = std::filesystem;

bool HasWritePermission(const fs::path& path) {
    std::error_code error;
    const fs::perms perms = fs::status(path, error).permissions();
    if (error) return false;
    constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((perms & kAnyWrite) == fs::perms::none) return false;
    // The permission bits do not tell everything (access lists, read-only
    // mounts): opening for update, without writing, does.
    std::FILE* file = std::fopen(path.string().c_str(), "r+b");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

void CheckExisting(const std::string& path, Repository::Access access) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) {
        if (access == Repository::Access::kRead) throw CommandError("no repository at " + path);
        return;
    }
    if (!fs::is_regular_file(status)) throw CommandError("not a repository: " + path);
    if (access == Repository::Access::kUpdate && !HasWritePermission(path))
        throw CommandError("repository is read-only: " + path);
}

// Runs a host call that another process's lock on the file may hold up: first
// without waiting, then, saying so when standard error is a terminal, for up
// to waitSeconds.  Later calls (a commit waiting for readers) wait as long.
template <class Call>
int32_t Waiting(int waitSeconds, Call call) {
    TKSSetLockWait(0);
    int32_t result = call();
    if (result == TKS_LOCKED && waitSeconds > 0) {
        if (IsTerminal(stderr))
            std::cerr << "cimport: the repository is in use by another import; waiting up to " << waitSeconds
                      << " s\n";
        TKSSetLockWait(waitSeconds * 1000);
        result = call();
    }
    TKSSetLockWait(waitSeconds * 1000);
    if (result == TKS_LOCKED) throw CommandError("repository is locked by another import");
    return result;
}

}  // namespace

Repository::Repository(const std::string& path, Access access, int waitSeconds)
    : path_(path), waitSeconds_(waitSeconds) {
    if (path.empty()) throw CommandError("empty repository name");
    if (path != kInMemory) CheckExisting(path, access);
    const int32_t result = Waiting(waitSeconds, [&] { return TKSOpenRepository(path.c_str(), &handle_); });
    if (result != TKS_OK || handle_ == TKS_NO_HANDLE) {
        handle_ = TKS_NO_HANDLE;
        std::error_code error;
        if (fs::exists(path, error)) throw CommandError("not a repository: " + path);
        throw CommandError("cannot create the repository " + path);
    }
}

Repository::~Repository() {
    if (handle_ != TKS_NO_HANDLE) TKSCloseRepository(handle_);
}

UnitOfWork::UnitOfWork(const Repository& repository) : repository_(repository) {
    if (Waiting(repository.WaitSeconds(), [&] { return TKSBeginWork(repository.Handle()); }) != TKS_OK)
        throw CommandError("cannot start a unit of work on " + repository_.Path());
}

UnitOfWork::~UnitOfWork() {
    if (open_) TKSRollbackWork(repository_.Handle());
}

void UnitOfWork::Commit() {
    open_ = false;
    if (TKSCommitWork(repository_.Handle()) != TKS_OK) {
        TKSRollbackWork(repository_.Handle());
        throw CommandError("cannot save the import to " + repository_.Path() + "; nothing was saved");
    }
}

void UnitOfWork::Rollback() {
    open_ = false;
    if (TKSRollbackWork(repository_.Handle()) != TKS_OK)
        throw CommandError("cannot undo the import in " + repository_.Path());
}

}  // namespace cimport_cli
