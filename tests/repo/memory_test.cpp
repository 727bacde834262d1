// Random sequences of calls (fixed seeds) with units of work, rollbacks, calls the database
// refuses and changes by another connection: after each step outside a unit of work, every
// answer of the calls must be what the file holds, read back with plain queries.
#include <sqlite3.h>

#include <filesystem>
#include <random>

#include "repo_fixture.h"

using namespace repo_test;

namespace {

const char* const kAttributes[] = {"Physical Type", "Repeat Count", "Length", "Signed",
                                   "String Justification"};

// The rows of a query, one a line, the columns joined by '|'.
std::string Rows(sqlite3* db, const char* sql) {
    std::string rows;
    sqlite3_exec(db, sql, [](void* out, int count, char** values, char**) {
        for (int n = 0; n < count; ++n)
            *static_cast<std::string*>(out) += std::string(values[n] ? values[n] : "") +
                                               (n + 1 < count ? "|" : "\n");
        return 0;
    }, &rows, nullptr);
    return rows;
}

class MemoryTest : public RepositoryTest {
protected:
    void SetUp() override {
        std::filesystem::remove("memory_test.repo");
        ASSERT_EQ(TKSOpenRepository("memory_test.repo", &repository), TKS_OK);
        ASSERT_EQ(sqlite3_open("memory_test.repo", &other), SQLITE_OK);
    }
    void TearDown() override { sqlite3_close(other), RepositoryTest::TearDown(); }

    int Sql(const std::string& sql) { return sqlite3_exec(other, sql.c_str(), 0, 0, 0); }

    // The objects, then the members of each Type: the rows the file holds, and the same rows
    // made of the calls' answers (1: the name finds the object).
    std::string FromFile() {
        const std::string slot = std::to_string(repository << 24);
        return Rows(other, ("SELECT handle, 1, name, name, CASE kind WHEN 104 THEN type_class ||"
                            " '|' || simple_code WHEN 107 THEN length_value ELSE (type_handle +"
                            " (type_handle > 0) * " + slot + ") || '|' || (length_handle +"
                            " (length_handle > 0) * " + slot + ") END FROM object"
                            " ORDER BY kind, handle").c_str()) +
               Rows(other, "SELECT type_handle, element_handle, member_flag, repeating, (SELECT"
                           " group_concat(attribute || '=' || value) FROM (SELECT * FROM"
                           " member_attribute a WHERE a.type_handle = m.type_handle AND"
                           " a.element_handle = m.element_handle ORDER BY attribute))"
                           " FROM member m ORDER BY type_handle, position");
    }
    std::string FromCalls() {
        std::string objects, members;
        for (int kind : {TKS_KIND_ELEMENT, TKS_KIND_TYPE, TKS_KIND_LENGTH}) {
            TKSHandle at = 0, found = 0;
            TKSGetFirstDefinition(repository, kind, &at, 0);
            for (; at; TKSGetNextDefinition(at, 0, &at, 1, 0)) {
                TKSFindDefinition(repository, kind, &found, Identifier(at).c_str());
                const std::string fields = kind == 103   ? Details<ElementDetails>(at)
                                           : kind == 104 ? Details<TypeDetails>(at)
                                                         : Details<LengthDetails>(at);
                objects += Join(at & 0xFFFFFF, found == at, fields) + "\n";
                if (kind == TKS_KIND_TYPE) members += Members(at);
            }
        }
        return objects + members;
    }
    std::string Members(TKSHandle type) {
        std::string lines;
        TKSHandle at = 0;
        MemberDetails m;
        char value[40];
        for (TKSGetNextDefinition(type, 0, &at, 3, 1); at && at != TKS_LAST_MEMBER;
             TKSGetNextDefinition(at, type, &at, 1, 1)) {
            std::string values;
            for (int n = 0; n < 5; ++n)
                if (TKSGetMemberAttrValue(type, at, kAttributes[n], value, sizeof value) == 0)
                    values += (values.empty() ? "" : ",") + Join(n + 1) + "=" + value;
            EXPECT_EQ(TKSGetMemberDetails(type, at, &m, sizeof m), 0);
            lines += Join(type & 0xFFFFFF, at & 0xFFFFFF, Fields(m), values) + "\n";
        }
        return lines;
    }

    // One call with random arguments; handles up to the highest made so far.
    void RandomCall(std::mt19937& rng) {
        auto any = [&] { return rng() % (top + 2) ? (repository << 24) | (1 + rng() % top) : 0; };
        const std::string name = "N" + std::to_string(rng() % 12);
        const TKSHandle type = any(), element = any();
        TKSHandle made = 0;
        MemberDetails m;
        switch (rng() % 6) {
            case 0: Create(repository, TypeRecord(name.c_str()), made); break;
            case 1: Create(repository, ElementRecord(name.c_str(), any(), any()), made); break;
            case 2: Create(repository, LengthRecord(name.c_str(), int(rng() % 3)), made); break;
            case 3:
                if (TKSGetDefaultMemberDetails2(type, element, -1, &m, sizeof m) == 0)
                    TKSInsertMember(type, element, -1, &m);
                break;
            case 4: TKSSetMemberAttrValue(type, element, kAttributes[rng() % 5], "7"); break;
            default: TKSDelete(type);
        }
        top = std::max(top, made & 0xFFFFFF);
    }

    sqlite3* other = nullptr;
    uint32_t top = 5;
};

TEST_F(MemoryTest, AnswersMatchTheFile) {
    for (unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 rng(seed);
        for (int step = 0; step < 200; ++step) {
            const unsigned what = rng() % 10;
            if (what == 7) {  // another connection commits; the next unit of work sees it
                const std::string sql = "INSERT INTO object (kind, name, length_value) VALUES"
                                        " (107, 'X" + Join(seed * 1000 + step) + "', 3)";
                ASSERT_EQ(Sql(sql), SQLITE_OK);
                top = std::max(top, uint32_t(sqlite3_last_insert_rowid(other)));
                ASSERT_EQ(TKSBeginWork(repository), 0);
                ASSERT_EQ(TKSCommitWork(repository), 0);
            } else if (what == 8) {  // changes fail while another connection holds the file
                ASSERT_EQ(Sql("BEGIN IMMEDIATE"), SQLITE_OK);
                RandomCall(rng);
                ASSERT_EQ(Sql("ROLLBACK"), SQLITE_OK);
            } else if (what == 9) {  // a unit of work of a few calls, kept or undone
                ASSERT_EQ(TKSBeginWork(repository), 0);
                for (unsigned n = rng() % 6; n > 0; --n) RandomCall(rng);
                const bool keep = rng() % 2;
                ASSERT_EQ(keep ? TKSCommitWork(repository) : TKSRollbackWork(repository), 0);
            } else {
                RandomCall(rng);
            }
            ASSERT_EQ(FromCalls(), FromFile()) << "seed " << seed << ", step " << step;
        }
    }
}

}  // namespace
