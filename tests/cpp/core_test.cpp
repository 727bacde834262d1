// The diagnostic reporter, hide sets, token rows and the built-in macros.
#include <vector>

#include "cimp/cpp/expand.h"
#include "pp_harness.h"

namespace cimp::cpp::testing {
namespace {

using Diagnostics = PpTest;

TEST_F(Diagnostics, Placeholders) {
    PushFile("first  second (x)\n");
    LexLine();
    ReportDiag(pp.diag, kPpWarning, "s=%s d=%d t=%t", "text", -42, row.base[1]);
    ReportDiag(pp.diag, kPpWarning, "row=%r.", row);
    row.current = row.base + 1;
    ReportDiag(pp.diag, kPpWarning, "from second: %r", row);
    ReportDiag(pp.diag, kPpWarning, "100%% %q");
    EXPECT_EQ(diagnostics, "s=text d=-42 t=second\nrow=first second (x).\nfrom second: second (x)\n"
                           "100% q\n");
}

TEST_F(Diagnostics, LevelsAndTheErrorFlag) {
    ReportDiag(pp.diag, kPpWarning, "a warning");
    EXPECT_FALSE(pp.diag.ErrorFlag());
    ReportDiag(pp.diag, kPpError, "an error");
    EXPECT_TRUE(pp.diag.ErrorFlag());
    pp.diag.ClearErrorFlag();
    EXPECT_FALSE(pp.diag.ErrorFlag());
    EXPECT_TRUE(RunUntilFatal(pp.diag, [] {}));
    EXPECT_FALSE(RunUntilFatal(pp.diag, [&] { ReportDiag(pp.diag, kPpFatal, "the end %d", 1); }));
    EXPECT_TRUE(pp.diag.ErrorFlag());
    EXPECT_FALSE(RunUntilFatal(pp.diag, [] { throw std::bad_alloc(); }));
    EXPECT_EQ(diagnostics, "a warning\nan error\nthe end 1\nOut of memory from malloc\n");
}

// Hide sets: shared, ordered by address, at most 30 names.
TEST(HideSets, SharedOrderedAndLimited) {
    PpHideSets sets;
    sets.Init();
    std::vector<PpName> names(40);  // ordered addresses
    const auto members = [&](int set) {
        std::vector<const PpName*> list;
        for (const PpName* const* m = sets.Members(set); m != nullptr && *m != nullptr; ++m) {
            list.push_back(*m);
        }
        return list;
    };
    EXPECT_EQ(sets.Count(), 1);
    EXPECT_TRUE(members(0).empty());
    EXPECT_FALSE(sets.Contains(0, &names[0]));
    const int a = sets.Add(0, &names[0]);
    const int ab = sets.Add(a, &names[1]);
    const int bc = sets.Add(sets.Add(0, &names[2]), &names[1]);
    EXPECT_EQ(sets.Add(sets.Add(0, &names[1]), &names[0]), ab);
    EXPECT_EQ(sets.Add(ab, &names[0]), ab);
    EXPECT_EQ(sets.Count(), 6);
    EXPECT_TRUE(sets.Contains(ab, &names[1]));
    EXPECT_FALSE(sets.Contains(a, &names[1]));
    EXPECT_EQ(members(sets.Union(ab, bc)), (std::vector<const PpName*>{&names[0], &names[1], &names[2]}));
    EXPECT_EQ(sets.Union(a, 0), a);
    EXPECT_EQ(sets.Union(0, ab), ab);
    int set = 0;
    for (int i = 29; i >= 0; --i) set = sets.Add(set, &names[i]);
    ASSERT_NE(set, kPpHideAll);
    EXPECT_EQ(members(set).size(), 30u);
    EXPECT_EQ(members(set)[29], &names[29]);
    const int all = sets.Add(set, &names[30]);
    EXPECT_EQ(all, kPpHideAll);
    EXPECT_TRUE(sets.Contains(all, &names[39]));
    EXPECT_EQ(sets.Add(all, &names[0]), kPpHideAll);
    EXPECT_EQ(sets.Union(0, all), kPpHideAll);
    EXPECT_EQ(sets.Union(all, 0), kPpHideAll);
    sets.Free();
    sets.Init();
    EXPECT_EQ(sets.Count(), 1);
    EXPECT_EQ(sets.Add(0, &names[5]), 1);
}

TEST(TokenRow, BlanksAndNumbers) {
    std::string noBlank;
    for (int kind = 0; kind < kPpKindCount; ++kind) {
        if (IsNoBlank(static_cast<PpKind>(kind))) noBlank += KindSpelling(static_cast<PpKind>(kind));
    }
    EXPECT_EQ(noBlank, "\n[](),;{}");
    char out[16];
    EXPECT_EQ(std::string(out, FormatDecimal(out, 0)), "0");
    EXPECT_EQ(std::string(out, FormatDecimal(out, 32767)), "32767");
    EXPECT_EQ(std::string(out, FormatDecimal(out, -2147483647 - 1)), "-2147483648");
}

using Builtins = PpTest;

TEST_F(Builtins, ExpandWithTheRunsTime) {
    PushFile("__FILE__ __DATE__ __TIME__\n", "dir\\x.h");
    LexLine();
    ExpandRow(pp, row, nullptr);
    EXPECT_EQ(RowText(), "\"dir\\\\x.h\" \"Sep 16 1973\" \"01:03:52\"\n");
    row.current = row.base;
    ExpandBuiltin(pp, row, 99);
    EXPECT_EQ(diagnostics, "cpp botch: unknown internal macro\n");
    EXPECT_EQ(row.current, row.base + 1);
    EXPECT_EQ(RowText(), "\"dir\\\\x.h\" \"Sep 16 1973\" \"01:03:52\"\n");
}

}  // namespace
}  // namespace cimp::cpp::testing
