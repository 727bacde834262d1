// Thin RAII layer over SQLite: a connection, prepared statements that are kept
// and reused, and one run of a statement that resets it when done.  Every
// SQLite failure becomes a StorageError.
#ifndef TKSBEAPI_SQLITE_DB_H
#define TKSBEAPI_SQLITE_DB_H

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace tks {

class StorageError : public std::runtime_error {
public:
    StorageError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    int Code() const { return code_; }  // SQLite's extended result code
    bool Locked() const;                // another connection held the file too long

private:
    int code_;
};

class Database {
public:
    // mustExist: open an existing file only; otherwise create it when absent.
    // lockWait: how long to wait for another connection's lock, in milliseconds.
    Database(const std::string& path, bool mustExist, int32_t lockWait = 0);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void SetLockWait(int32_t milliseconds);
    void Execute(const char* sql);
    void ExecuteQuietly(const char* sql) noexcept;  // for clean-up paths: failures are ignored
    sqlite3* Handle() const { return db_; }
    [[noreturn]] void Fail(int code) const;

private:
    sqlite3* db_ = nullptr;
};

class Statement {
public:
    Statement(const Database& db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

private:
    friend class Query;
    const Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// One run of a prepared statement: parameters are bound in order (bound texts
// must outlive the run: they are not copied), rows are
// read with Next, and the statement is reset for its next use on destruction.
class Query {
public:
    explicit Query(Statement& statement) : statement_(statement) {}
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& Bind(int64_t value);
    Query& Bind(std::string_view text);
    bool Next();  // true while a row is available
    void Run();   // runs a statement that yields no row
    int64_t Int(int column) const;
    std::string_view Text(int column) const;  // valid until the next row

private:
    Statement& statement_;
    int nextParameter_ = 1;
};

}  // namespace tks

#endif
