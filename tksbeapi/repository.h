// One open repository: its database, its prepared statements and the memory
// that answers every read.  Every change goes to the database first and then
// to memory; whenever the two may differ (a rolled-back unit of work, an
// undone call, a failure of the database, another connection's commit seen at
// the start of a unit of work) memory is read again from the database.
// Speaks in caller handles; the database numbers stay inside.
#ifndef TKSBEAPI_REPOSITORY_H
#define TKSBEAPI_REPOSITORY_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "memory_index.h"
#include "sqlite_db.h"
#include "statements.h"
#include "stored_object.h"
#include "tksbeapi.h"

namespace tks {

class Repository {
public:
    // path ":memory:" is a private in-memory repository.  An existing file
    // must already be a repository (NotARepository otherwise); a new database
    // (exists false) is given the schema.  lockWait as Database takes it.
    Repository(uint32_t slot, const std::string& path, bool exists, int32_t lockWait);

    struct NotARepository {};

    uint32_t Slot() const { return slot_; }
    void SetLockWait(int32_t milliseconds) { db_.SetLockWait(milliseconds); }
    bool Owns(TKSHandle handle) const;

    // Reads the database again when memory may no longer match it.
    void Refresh();

    // The object, held until the next change or Refresh; nullptr when there is none.
    const StoredObject* Load(TKSHandle object) const;
    std::optional<NameHolder> FindName(std::string_view name) const;
    TKSHandle Insert(StoredObject object);  // 0 when no handle is left
    bool InUse(TKSHandle object) const;
    void Remove(TKSHandle object);  // with the memberships of a Type
    TKSHandle FirstOfKind(int32_t kind) const;
    TKSHandle NextOfKind(int32_t kind, TKSHandle after) const;

    std::optional<StoredMember> LoadMember(TKSHandle type, TKSHandle element) const;
    TKSHandle FirstMember(TKSHandle type) const;
    TKSHandle NextMember(TKSHandle type, int64_t afterPosition) const;
    void AppendMember(TKSHandle type, TKSHandle element, StoredMember member);
    std::optional<std::string_view> LoadAttribute(TKSHandle type, TKSHandle element, int32_t attribute) const;
    void StoreAttribute(TKSHandle type, TKSHandle element, int32_t attribute, std::string_view value);

    bool InWork() const;
    void BeginWork();  // reads memory again when another connection has committed since
    void CommitWork();
    void RollbackWork();

    // Makes one call's changes all-or-nothing: undone unless Keep is called.
    class CallScope {
    public:
        explicit CallScope(Repository& repository);
        ~CallScope();
        CallScope(const CallScope&) = delete;
        CallScope& operator=(const CallScope&) = delete;
        void Keep();

    private:
        Repository& repository_;
        bool kept_ = false;
    };

private:
    TKSHandle Handle(int64_t local) const;
    int64_t DataVersion();
    void Reload();
    void RemoveLeftJournal();
    void LoadObjects();
    void LoadMembers();
    // Runs a change of the database; a failure leaves memory to be read again.
    template <class Change>
    void Write(Change change);

    uint32_t slot_;
    Database db_;
    Statements statements_;
    MemoryIndex memory_;
    int64_t dataVersion_ = 0;
    bool stale_ = true;
};

}  // namespace tks

#endif
