#include "sqlite_db.h"

#include <sqlite3.h>

namespace tks {
namespace {

// SQLite may read a name that begins with "file:" as a URI; the same name
// behind "./" is always the plain file of that name.
std::string PlainFileName(const std::string& path) { return path.starts_with("file:") ? "./" + path : path; }

}  // namespace

bool StorageError::Locked() const { return (code_ & 0xFF) == SQLITE_BUSY; }

Database::Database(const std::string& path, bool mustExist, int32_t lockWait) {
    const int flags = SQLITE_OPEN_READWRITE | (mustExist ? 0 : SQLITE_OPEN_CREATE) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(PlainFileName(path).c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "cannot open";
        sqlite3_close(db_);
        throw StorageError(rc, message);
    }
    sqlite3_extended_result_codes(db_, 1);
    SetLockWait(lockWait);
}

void Database::SetLockWait(int32_t milliseconds) { sqlite3_busy_timeout(db_, milliseconds); }

Database::~Database() { sqlite3_close_v2(db_); }

void Database::Execute(const char* sql) {
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) Fail(rc);
}

void Database::ExecuteQuietly(const char* sql) noexcept { sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

void Database::Fail(int code) const { throw StorageError(code, sqlite3_errmsg(db_)); }

Statement::Statement(const Database& db, const char* sql) : db_(db) {
    const int rc = sqlite3_prepare_v3(db.Handle(), sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
    if (rc != SQLITE_OK) db.Fail(rc);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Query::~Query() {
    sqlite3_reset(statement_.stmt_);
    sqlite3_clear_bindings(statement_.stmt_);
}

Query& Query::Bind(int64_t value) {
    const int rc = sqlite3_bind_int64(statement_.stmt_, nextParameter_++, value);
    if (rc != SQLITE_OK) statement_.db_.Fail(rc);
    return *this;
}

Query& Query::Bind(std::string_view text) {
    const int rc = sqlite3_bind_text(statement_.stmt_, nextParameter_++, text.data(), static_cast<int>(text.size()),
                                     SQLITE_STATIC);
    if (rc != SQLITE_OK) statement_.db_.Fail(rc);
    return *this;
}

bool Query::Next() {
    const int rc = sqlite3_step(statement_.stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    statement_.db_.Fail(rc);
}

void Query::Run() {
    while (Next()) {
    }
}

int64_t Query::Int(int column) const { return sqlite3_column_int64(statement_.stmt_, column); }

std::string_view Query::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_.stmt_, column));
    return text ? std::string_view(text, static_cast<size_t>(sqlite3_column_bytes(statement_.stmt_, column)))
                : std::string_view();
}

}  // namespace tks
