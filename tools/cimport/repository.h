// The repository file the command works on, opened through the stand-in
// repository's host calls, and one unit of work on it.  Another import may
// hold the file: opening and starting a unit of work then wait for it.
#pragma once

#include <string>

#include "tksbeapi.h"

namespace cimport_cli {

class Repository {
public:
    enum class Access {
        kRead,    // must exist; nothing is written
        kUpdate,  // created when missing; must be writable
    };

    // The name of a private repository that lives only in memory.
    static constexpr const char* kInMemory = ":memory:";

    // Throws CommandError when the path is not a usable repository, or when
    // another import holds it for longer than waitSeconds.
    Repository(const std::string& path, Access access, int waitSeconds);
    ~Repository();
    Repository(const Repository&) = delete;
    Repository& operator=(const Repository&) = delete;

    TKSHandle Handle() const { return handle_; }
    int WaitSeconds() const { return waitSeconds_; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    int waitSeconds_;
    TKSHandle handle_ = TKS_NO_HANDLE;
};

// Everything done between construction and Commit becomes durable at once;
// without Commit the work is rolled back.
class UnitOfWork {
public:
    explicit UnitOfWork(const Repository& repository);  // throws CommandError, as Repository does
    ~UnitOfWork();
    UnitOfWork(const UnitOfWork&) = delete;
    UnitOfWork& operator=(const UnitOfWork&) = delete;

    void Commit();    // throws CommandError when the work could not be saved
    void Rollback();  // throws CommandError when the work could not be undone

private:
    const Repository& repository_;
    bool open_ = true;
};

}  // namespace cimport_cli
