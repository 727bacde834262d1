#include "repository.h"

#include <sqlite3.h>

#include "handles.h"
#include "schema.h"

namespace tks {
namespace {

// Gives the statements a database that holds the schema.
const Database& WithSchema(Database& db, bool exists) {
    if (!exists) {
        CreateSchema(db);
        return db;
    }
    try {
        if (HasSchema(db)) return db;
    } catch (const StorageError& error) {
        if ((error.Code() & 0xFF) != SQLITE_NOTADB) throw;
    }
    throw Repository::NotARepository{};
}

}  // namespace

Repository::Repository(uint32_t slot, const std::string& path, bool exists)
    : slot_(slot), db_(path, exists), statements_(WithSchema(db_, exists)) {}

bool Repository::Owns(TKSHandle handle) const {
    return SlotOf(handle) == slot_ && LocalOf(handle) != 0 && LocalOf(handle) <= kMaxLocal;
}

TKSHandle Repository::Handle(int64_t local) const { return ObjectHandle(slot_, local); }

TKSHandle Repository::FirstHandle(Statement& statement, std::initializer_list<int64_t> parameters) {
    Query query(statement);
    for (int64_t parameter : parameters) query.Bind(parameter);
    return query.Next() ? Handle(query.Int(0)) : TKS_NO_HANDLE;
}

std::optional<StoredObject> Repository::Load(TKSHandle object) {
    if (!Owns(object)) return std::nullopt;
    Query query(statements_.LoadObject);
    if (!query.Bind(LocalOf(object)).Next()) return std::nullopt;
    StoredObject stored;
    stored.kind = static_cast<int32_t>(query.Int(0));
    stored.name = query.Text(1);
    stored.typeClass = static_cast<int32_t>(query.Int(2));
    stored.simpleTypeCode = static_cast<int32_t>(query.Int(3));
    stored.typeHandle = Handle(query.Int(4));
    stored.lengthHandle = Handle(query.Int(5));
    stored.value = static_cast<int32_t>(query.Int(6));
    return stored;
}

std::optional<NameHolder> Repository::FindName(std::string_view name) {
    Query query(statements_.FindName);
    if (!query.Bind(name).Next()) return std::nullopt;
    return NameHolder{Handle(query.Int(0)), static_cast<int32_t>(query.Int(1))};
}

TKSHandle Repository::Insert(const StoredObject& object) {
    try {
        Query(statements_.InsertObject)
            .Bind(object.kind)
            .Bind(object.name)
            .Bind(object.typeClass)
            .Bind(object.simpleTypeCode)
            .Bind(LocalOf(object.typeHandle))
            .Bind(LocalOf(object.lengthHandle))
            .Bind(object.value)
            .Run();
    } catch (const StorageError& error) {
        if (error.Code() == SQLITE_CONSTRAINT_CHECK) return TKS_NO_HANDLE;  // numbers used up
        throw;
    }
    return Handle(sqlite3_last_insert_rowid(db_.Handle()));
}

bool Repository::InUse(TKSHandle object, int32_t kind) {
    Statement* check = kind == TKS_KIND_TYPE     ? &statements_.TypeInUse
                       : kind == TKS_KIND_LENGTH ? &statements_.LengthInUse
                                                 : &statements_.ElementInUse;
    return FirstHandle(*check, {LocalOf(object)}) != TKS_NO_HANDLE;
}

void Repository::Remove(TKSHandle object) {
    const int64_t local = LocalOf(object);
    Query(statements_.DeleteAttributes).Bind(local).Run();
    Query(statements_.DeleteMembers).Bind(local).Run();
    Query(statements_.DeleteObject).Bind(local).Run();
}

TKSHandle Repository::FirstOfKind(int32_t kind) { return FirstHandle(statements_.FirstOfKind, {kind}); }

TKSHandle Repository::NextOfKind(int32_t kind, TKSHandle after) {
    return FirstHandle(statements_.NextOfKind, {kind, LocalOf(after)});
}

std::optional<StoredMember> Repository::LoadMember(TKSHandle type, TKSHandle element) {
    if (!Owns(type) || !Owns(element)) return std::nullopt;
    Query query(statements_.LoadMember);
    if (!query.Bind(LocalOf(type)).Bind(LocalOf(element)).Next()) return std::nullopt;
    return StoredMember{query.Int(0), static_cast<int16_t>(query.Int(1)), static_cast<int16_t>(query.Int(2))};
}

TKSHandle Repository::FirstMember(TKSHandle type) { return FirstHandle(statements_.FirstMember, {LocalOf(type)}); }

TKSHandle Repository::NextMember(TKSHandle type, int64_t afterPosition) {
    return FirstHandle(statements_.NextMember, {LocalOf(type), afterPosition});
}

void Repository::AppendMember(TKSHandle type, TKSHandle element, const StoredMember& member) {
    int64_t position = 1;
    {
        Query last(statements_.LastPosition);
        if (last.Bind(LocalOf(type)).Next()) position = last.Int(0) + 1;
    }
    Query(statements_.InsertMember)
        .Bind(LocalOf(type))
        .Bind(LocalOf(element))
        .Bind(position)
        .Bind(member.memberFlag)
        .Bind(member.repeating)
        .Run();
}

std::optional<std::string> Repository::LoadAttribute(TKSHandle type, TKSHandle element, int32_t attribute) {
    Query query(statements_.LoadAttribute);
    if (!query.Bind(LocalOf(type)).Bind(LocalOf(element)).Bind(attribute).Next()) return std::nullopt;
    return query.Text(0);
}

void Repository::StoreAttribute(TKSHandle type, TKSHandle element, int32_t attribute, std::string_view value) {
    Query(statements_.StoreAttribute).Bind(LocalOf(type)).Bind(LocalOf(element)).Bind(attribute).Bind(value).Run();
}

bool Repository::InWork() const { return sqlite3_get_autocommit(db_.Handle()) == 0; }

void Repository::BeginWork() { Query(statements_.WorkBegin).Run(); }

void Repository::CommitWork() { Query(statements_.WorkCommit).Run(); }

void Repository::RollbackWork() { Query(statements_.WorkRollback).Run(); }

Repository::CallScope::CallScope(Repository& repository) : repository_(repository) {
    Query(repository_.statements_.CallBegin).Run();
}

Repository::CallScope::~CallScope() {
    if (kept_) return;
    try {
        Query(repository_.statements_.CallUndo).Run();
        Query(repository_.statements_.CallRelease).Run();
    } catch (const StorageError&) {
        // The database has already abandoned the transaction: nothing is left to undo.
    }
}

void Repository::CallScope::Keep() {
    Query(repository_.statements_.CallRelease).Run();
    kept_ = true;
}

}  // namespace tks
