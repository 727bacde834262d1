// One open repository: its database, its prepared statements and the memory
// that answers every read.  Every change goes to memory and is noted as one
// statement.  Outside a unit of work the note is written at once.  Inside one,
// holding the database's write lock, the notes wait and are written at the
// commit, in the same transaction, as one step that leaves the database as it
// was when it fails.  Whenever the two may differ (a
// rolled-back unit of work, a failure of the database, another connection's
// commit seen at the start of a unit of work) memory is read again from the
// database.
// Speaks in caller handles; the database numbers stay inside.
#ifndef TKSBEAPI_REPOSITORY_H
#define TKSBEAPI_REPOSITORY_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    // With the attributes that have an initial value.
    void AppendMember(TKSHandle type, TKSHandle element, StoredMember member);
    std::optional<std::string_view> LoadAttribute(TKSHandle type, TKSHandle element, int32_t attribute) const;
    void StoreAttribute(TKSHandle type, TKSHandle element, int32_t attribute, std::string_view value);

    bool InWork() const;
    void BeginWork();  // reads memory again when another connection has committed since
    void CommitWork();
    void RollbackWork();

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

    void InsertRow(uint32_t number, const StoredObject& object);

    // A change made inside the unit of work, not yet in the database.
    struct Noted {
        enum class What : uint8_t { Object, Removal, Member, Attribute } what;
        int32_t attribute;
        uint32_t first;   // the object, or the Type of a membership
        uint32_t second;  // the Element of a membership
    };
    void Record(const Noted& change);
    // Writes the noted changes that memory still holds: an object made and
    // removed inside the unit of work never reaches the database.
    void WriteNoted();
    void WriteOne(const Noted& change);

    uint32_t slot_;
    Database db_;
    Statements statements_;
    MemoryIndex memory_;
    int64_t dataVersion_ = 0;
    bool stale_ = true;
    std::vector<Noted> noted_;
    uint32_t nextNumber_ = 0;   // inside a unit of work: the next object's number
    uint32_t firstNumber_ = 0;  // the first number given inside it
};

}  // namespace tks

#endif
