// One open repository: its database and its prepared statements.  Speaks in
// caller handles; the database numbers stay inside.
#ifndef TKSBEAPI_REPOSITORY_H
#define TKSBEAPI_REPOSITORY_H

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "sqlite_db.h"
#include "statements.h"
#include "tksbeapi.h"

namespace tks {

// One object as stored: the fields of its kind are used, the others are 0.
struct StoredObject {
    int32_t kind = 0;
    std::string name;
    int32_t typeClass = 0;       // Type
    int32_t simpleTypeCode = 0;  // Type
    TKSHandle typeHandle = 0;    // Element
    TKSHandle lengthHandle = 0;  // Element
    int32_t value = 0;           // Length
};

struct StoredMember {
    int64_t position = 0;
    int16_t memberFlag = 0;
    int16_t repeating = 0;
};

struct NameHolder {
    TKSHandle handle = 0;
    int32_t kind = 0;
};

class Repository {
public:
    // path ":memory:" is a private in-memory repository.  An existing file
    // must already be a repository (NotARepository otherwise); a missing one
    // is created with the schema.
    Repository(uint32_t slot, const std::string& path, bool exists);

    struct NotARepository {};

    uint32_t Slot() const { return slot_; }
    bool Owns(TKSHandle handle) const;

    std::optional<StoredObject> Load(TKSHandle object);
    std::optional<NameHolder> FindName(std::string_view name);
    TKSHandle Insert(const StoredObject& object);  // 0 when no handle is left
    bool InUse(TKSHandle object, int32_t kind);
    void Remove(TKSHandle object);  // with the memberships of a Type
    TKSHandle FirstOfKind(int32_t kind);
    TKSHandle NextOfKind(int32_t kind, TKSHandle after);

    std::optional<StoredMember> LoadMember(TKSHandle type, TKSHandle element);
    TKSHandle FirstMember(TKSHandle type);
    TKSHandle NextMember(TKSHandle type, int64_t afterPosition);
    void AppendMember(TKSHandle type, TKSHandle element, const StoredMember& member);
    std::optional<std::string> LoadAttribute(TKSHandle type, TKSHandle element, int32_t attribute);
    void StoreAttribute(TKSHandle type, TKSHandle element, int32_t attribute, std::string_view value);

    bool InWork() const;
    void BeginWork();
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
    TKSHandle FirstHandle(Statement& statement, std::initializer_list<int64_t> parameters);

    uint32_t slot_;
    Database db_;
    Statements statements_;
};

}  // namespace tks

#endif
