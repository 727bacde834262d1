#include "repository.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

#include "handles.h"
#include "member_attributes.h"
#include "repository_file.h"
#include "schema.h"

namespace tks {
namespace {

void CheckSchema(Database& db) {
    try {
        if (HasSchema(db)) return;
    } catch (const StorageError& error) {
        if ((error.Code() & 0xFF) != SQLITE_NOTADB) throw;
    }
    throw Repository::NotARepository{};
}

// Gives the statements a database that holds the schema, with this connection's triggers.
const Database& WithSchema(Database& db, bool exists) {
    if (exists) {
        CheckSchema(db);
    } else {
        CreateSchema(db);
    }
    AddConnectionTriggers(db);
    return db;
}

}  // namespace

Repository::Repository(uint32_t slot, const std::string& path, bool exists, int32_t lockWait)
    : slot_(slot), db_(path, exists, lockWait), statements_(WithSchema(db_, exists)) {
    // Changes stay in memory until the commit: other connections can read the
    // file all through a unit of work, but for its commit.
    db_.Execute("PRAGMA cache_spill = OFF");
    Refresh();
}

bool Repository::Owns(TKSHandle handle) const {
    return SlotOf(handle) == slot_ && LocalOf(handle) != 0 && LocalOf(handle) <= kMaxLocal;
}

TKSHandle Repository::Handle(int64_t local) const { return ObjectHandle(slot_, local); }

int64_t Repository::DataVersion() {
    Query query(statements_.DataVersion);
    return query.Next() ? query.Int(0) : 0;
}

void Repository::Refresh() {
    if (!stale_) return;
    if (InWork()) {
        Reload();
        return;
    }
    Query(statements_.ReadBegin).Run();
    try {
        Reload();
        Query(statements_.WorkCommit).Run();
    } catch (...) {
        db_.ExecuteQuietly("ROLLBACK");
        throw;
    }
}

void Repository::Reload() {
    stale_ = true;
    noted_.clear();
    memory_.Clear();
    LoadObjects();
    LoadMembers();
    dataVersion_ = DataVersion();
    stale_ = false;
}

void Repository::LoadObjects() {
    Query query(statements_.LoadObjects);
    while (query.Next()) {
        StoredObject object;
        object.kind = static_cast<int32_t>(query.Int(1));
        object.name = query.Text(2);
        object.typeClass = static_cast<int32_t>(query.Int(3));
        object.simpleTypeCode = static_cast<int32_t>(query.Int(4));
        object.typeHandle = Handle(query.Int(5));
        object.lengthHandle = Handle(query.Int(6));
        object.value = static_cast<int32_t>(query.Int(7));
        memory_.AddObject(static_cast<uint32_t>(query.Int(0)), std::move(object));
    }
}

void Repository::LoadMembers() {
    Query members(statements_.LoadMembers);
    while (members.Next()) {
        const StoredMember member{members.Int(2), static_cast<int16_t>(members.Int(3)),
                                  static_cast<int16_t>(members.Int(4))};
        memory_.AddMember(static_cast<uint32_t>(members.Int(0)), static_cast<uint32_t>(members.Int(1)), member);
    }
    Query attributes(statements_.LoadAttributes);
    while (attributes.Next()) {
        memory_.StoreAttribute(static_cast<uint32_t>(attributes.Int(0)), static_cast<uint32_t>(attributes.Int(1)),
                               static_cast<int32_t>(attributes.Int(2)), attributes.Text(3));
    }
}

template <class Change>
void Repository::Write(Change change) {
    try {
        change();
    } catch (...) {
        stale_ = true;
        throw;
    }
}

const StoredObject* Repository::Load(TKSHandle object) const {
    return Owns(object) ? memory_.Find(LocalOf(object)) : nullptr;
}

std::optional<NameHolder> Repository::FindName(std::string_view name) const {
    const uint32_t number = memory_.FindName(name);
    if (number == 0) return std::nullopt;
    return NameHolder{Handle(number), memory_.Find(number)->kind};
}

TKSHandle Repository::Insert(StoredObject object) {
    if (InWork()) {
        if (nextNumber_ > kMaxLocal) return 0;  // numbers used up
        const uint32_t number = nextNumber_++;
        memory_.AddObject(number, std::move(object));
        Record(Noted{Noted::What::Object, 0, number, 0});
        return Handle(number);
    }
    int64_t number = 0;
    Write([&] {
        try {
            InsertRow(0, object);
        } catch (const StorageError& error) {
            if (error.Code() == SQLITE_CONSTRAINT_CHECK) return;  // numbers used up
            throw;
        }
        number = sqlite3_last_insert_rowid(db_.Handle());
        memory_.AddObject(static_cast<uint32_t>(number), std::move(object));
    });
    return Handle(number);
}

bool Repository::InUse(TKSHandle object) const { return memory_.InUse(LocalOf(object)); }

void Repository::Remove(TKSHandle object) {
    const uint32_t local = LocalOf(object);
    memory_.RemoveObject(local);
    if (InWork() && local >= firstNumber_) return;  // made in this unit of work: never written
    Record(Noted{Noted::What::Removal, 0, local, 0});
}

TKSHandle Repository::FirstOfKind(int32_t kind) const { return Handle(memory_.NextOfKind(kind, 0)); }

TKSHandle Repository::NextOfKind(int32_t kind, TKSHandle after) const {
    return Handle(memory_.NextOfKind(kind, LocalOf(after)));
}

std::optional<StoredMember> Repository::LoadMember(TKSHandle type, TKSHandle element) const {
    if (!Owns(type) || !Owns(element)) return std::nullopt;
    const StoredMember* member = memory_.FindMember(LocalOf(type), LocalOf(element));
    return member ? std::optional<StoredMember>(*member) : std::nullopt;
}

TKSHandle Repository::FirstMember(TKSHandle type) const { return NextMember(type, 0); }

TKSHandle Repository::NextMember(TKSHandle type, int64_t afterPosition) const {
    return Handle(memory_.NextMember(LocalOf(type), afterPosition));
}

void Repository::AppendMember(TKSHandle type, TKSHandle element, StoredMember member) {
    member.position = memory_.NextPosition(LocalOf(type));
    memory_.AddMember(LocalOf(type), LocalOf(element), member);
    for (const MemberAttribute& attribute : AllMemberAttributes()) {  // as the trigger stores them
        if (attribute.initialValue) {
            memory_.StoreAttribute(LocalOf(type), LocalOf(element), attribute.id, attribute.initialValue);
        }
    }
    Record(Noted{Noted::What::Member, 0, LocalOf(type), LocalOf(element)});
}

std::optional<std::string_view> Repository::LoadAttribute(TKSHandle type, TKSHandle element, int32_t attribute) const {
    return memory_.FindAttribute(LocalOf(type), LocalOf(element), attribute);
}

void Repository::StoreAttribute(TKSHandle type, TKSHandle element, int32_t attribute, std::string_view value) {
    memory_.StoreAttribute(LocalOf(type), LocalOf(element), attribute, value);
    Record(Noted{Noted::What::Attribute, attribute, LocalOf(type), LocalOf(element)});
}

bool Repository::InWork() const { return sqlite3_get_autocommit(db_.Handle()) == 0; }

void Repository::BeginWork() {
    Query(statements_.WorkBegin).Run();
    RemoveLeftJournal();
    try {
        if (stale_ || DataVersion() != dataVersion_) Reload();
        Query next(statements_.NextNumber);
        nextNumber_ = firstNumber_ = next.Next() ? static_cast<uint32_t>(next.Int(0)) : 1;
    } catch (...) {
        db_.ExecuteQuietly("ROLLBACK");
        throw;
    }
}

// A process killed before its commit may leave a journal that holds nothing to
// restore (one that does is played back and removed when the file is first
// read).  Holding the write lock, nobody else's journal can be there.
void Repository::RemoveLeftJournal() {
    const char* file = sqlite3_db_filename(db_.Handle(), "main");
    if (!file || !*file) return;
    std::error_code error;
    std::filesystem::remove(FilePath(std::string(file) + "-journal"), error);
}

void Repository::CommitWork() {
    WriteNoted();
    Write([&] { Query(statements_.WorkCommit).Run(); });
}

void Repository::RollbackWork() {
    noted_.clear();
    stale_ = true;
    Query(statements_.WorkRollback).Run();
}

// Number 0: the database gives the next one.
void Repository::InsertRow(uint32_t number, const StoredObject& object) {
    Query(statements_.InsertObject)
        .Bind(number)
        .Bind(object.kind)
        .Bind(object.name)
        .Bind(object.typeClass)
        .Bind(object.simpleTypeCode)
        .Bind(LocalOf(object.typeHandle))
        .Bind(LocalOf(object.lengthHandle))
        .Bind(object.value)
        .Run();
}

// Inside a unit of work the change waits for the commit; outside one it is
// written at once, and a failure leaves memory to be read again.
void Repository::Record(const Noted& change) {
    if (InWork())
        noted_.push_back(change);
    else
        Write([&] { WriteOne(change); });
}

void Repository::WriteNoted() {
    if (noted_.empty()) return;
    Query(statements_.WriteBegin).Run();
    try {
        for (const Noted& change : noted_) WriteOne(change);
        Query(statements_.KeepNumbers).Bind(int64_t{nextNumber_} - 1).Run();
        Query(statements_.WriteEnd).Run();
    } catch (...) {
        db_.ExecuteQuietly("ROLLBACK TO write_changes");
        db_.ExecuteQuietly("RELEASE write_changes");
        throw;
    }
    noted_.clear();
}

void Repository::WriteOne(const Noted& change) {
    switch (change.what) {
        case Noted::What::Object:
            if (const StoredObject* object = memory_.Find(change.first)) InsertRow(change.first, *object);
            break;
        case Noted::What::Removal:
            Query(statements_.DeleteObject).Bind(change.first).Run();  // a trigger drops the memberships
            break;
        case Noted::What::Member:
            if (const StoredMember* member = memory_.FindMember(change.first, change.second)) {
                Query(statements_.InsertMember)
                    .Bind(change.first)
                    .Bind(change.second)
                    .Bind(member->position)
                    .Bind(member->memberFlag)
                    .Bind(member->repeating)
                    .Run();
            }
            break;
        case Noted::What::Attribute:
            if (const auto value = memory_.FindAttribute(change.first, change.second, change.attribute)) {
                Query(statements_.StoreAttribute)
                    .Bind(change.first)
                    .Bind(change.second)
                    .Bind(change.attribute)
                    .Bind(*value)
                    .Run();
            }
            break;
    }
}

}  // namespace tks
