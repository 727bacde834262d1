// The name table, the keywords, -D and -U, and a macro table that belongs to
// one run.
#include <gtest/gtest.h>

#include <cstring>

#include "cimp/cpp/macros.h"
#include "pp_harness.h"

namespace cimp::cpp::testing {
namespace {

PpName* Find(PpState& pp, const char* name) {
    return pp.names.Find(name, std::strlen(name));
}

TEST(Names, KeywordsHaveTheirCodesAndFlags) {
    PpState pp;
    StartRun(pp);
    struct Expected {
        const char* name;
        int code;
        int flags;
    };
    for (const Expected& e : {Expected{"if", 0, kPpDirective}, Expected{"ifdef", 1, kPpDirective},
                              Expected{"ifndef", 2, kPpDirective}, Expected{"elif", 3, kPpDirective},
                              Expected{"else", 4, kPpDirective}, Expected{"endif", 5, kPpDirective},
                              Expected{"include", 6, kPpDirective}, Expected{"define", 7, kPpDirective},
                              Expected{"undef", 8, kPpDirective}, Expected{"line", 9, kPpDirective},
                              Expected{"error", 10, kPpDirective}, Expected{"pragma", 11, kPpDirective},
                              Expected{"eval", 18, kPpDirective}, Expected{"defined", 2, kPpDefined | kPpNoRedefine},
                              Expected{"__LINE__", 13, kPpBuiltin | kPpNoRedefine},
                              Expected{"__FILE__", 14, kPpBuiltin | kPpNoRedefine},
                              Expected{"__DATE__", 15, kPpBuiltin | kPpNoRedefine},
                              Expected{"__TIME__", 16, kPpBuiltin | kPpNoRedefine},
                              Expected{"__STDC__", 17, kPpNoRedefine}}) {
        const PpName* entry = Find(pp, e.name);
        ASSERT_NE(entry, nullptr) << e.name;
        EXPECT_EQ(entry->keyword, e.code) << e.name;
        EXPECT_EQ(entry->flags, e.flags) << e.name;
    }
    const PpName* defined = pp.names.definedEntry;
    ASSERT_NE(defined, nullptr);
    ASSERT_NE(defined->value, nullptr);
    ASSERT_EQ(defined->value->Size(), 1);
    EXPECT_EQ(std::string(defined->value->base->text, defined->value->base->length), "defined");
    EXPECT_EQ(defined->parameters, nullptr);
}

TEST(Names, LookupInstallsAtTheHeadOfItsChain) {
    PpState pp;
    char ab[] = "ab";
    char ba[] = "ba";
    const PpToken first{PpKind::Name, 0, 0, 0, 2, ab};
    const PpToken second{PpKind::Name, 0, 0, 0, 2, ba};
    EXPECT_EQ(LookupName(pp, first, false), nullptr);
    PpName* a = LookupName(pp, first, true);
    PpName* b = LookupName(pp, second, true);
    EXPECT_NE(a, b);
    EXPECT_EQ(b->next, a);  // same byte sum, so the same chain
    EXPECT_EQ(LookupName(pp, first, false), a);
    EXPECT_STREQ(a->name, "ab");
    EXPECT_EQ(a->flags, 0);
    EXPECT_EQ(a->value, nullptr);
    EXPECT_TRUE(QuickLook(pp.lexer, first));
}

struct OptionCase {
    const char* argument;
    char letter;
    const char* use;
    const char* output;
    const char* diagnostics;
};

class Options : public ::testing::TestWithParam<OptionCase> {};

TEST_P(Options, DefineAndUndefine) {
    PpHarness harness;
    ASSERT_TRUE(harness.Option("foo=old", 'D'));
    const bool completed = harness.Option(GetParam().argument, GetParam().letter);
    EXPECT_EQ(completed, GetParam().diagnostics[0] == '\0');
    EXPECT_EQ(harness.diagnostics(), GetParam().diagnostics);
    if (completed) {
        EXPECT_EQ(harness.Run(GetParam().use), GetParam().output);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, Options,
    ::testing::Values(OptionCase{"foo", 'D', "[foo]\n", "[1]\n", ""},
                      OptionCase{"foo=", 'D', "[foo]\n", "[]\n", ""},
                      OptionCase{"foo=a  b", 'D', "[foo]\n", "[a b]\n", ""},
                      OptionCase{"bar=(x)", 'D', "[bar foo]\n", "[(x) old]\n", ""},
                      OptionCase{"__STDC__", 'D', "__STDC__\n", " 1\n", ""},
                      OptionCase{"foo", 'U', "[foo]\n", "[foo]\n", ""},
                      OptionCase{"never", 'U', "[never]\n", "[never]\n", ""},
                      OptionCase{"3", 'D', "", "", "Illegal -D or -U argument 3\n"},
                      OptionCase{"", 'D', "", "", "Illegal -D or -U argument \n"},
                      OptionCase{"foo bar", 'D', "", "", "Illegal -D or -U argument foo bar\n"},
                      OptionCase{"foo bar", 'U', "", "", "Illegal -D or -U argument foo bar\n"},
                      OptionCase{"foo=1", 'U', "", "", "Illegal -D or -U argument foo=1\n"}));

TEST(Macros, UndefKeepsTheEntry) {
    PpHarness harness;
    harness.Run("#define A 1\n#undef A\n");
    const PpName* entry = Find(harness.pp(), "A");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->flags & kPpDefined, 0);
}

TEST(Macros, NoMacroSurvivesARun) {
    {
        PpHarness first;
        EXPECT_EQ(first.Run("#define KEEP 1\nKEEP\n"), "\n 1\n");
    }
    PpHarness second;
    EXPECT_EQ(second.Run("KEEP\n"), "KEEP\n");
    EXPECT_EQ(Find(second.pp(), "KEEP"), nullptr);
}

TEST(Macros, StoredBodiesDoNotPointIntoTheInput) {
    PpHarness harness;
    harness.Run("#define BODY alpha + beta\n");
    const PpName* entry = Find(harness.pp(), "BODY");
    ASSERT_NE(entry, nullptr);
    ASSERT_EQ(entry->value->Size(), 3);
    const PpToken& plus = entry->value->base[1];
    EXPECT_EQ(plus.spaceLength, 1u);
    EXPECT_EQ(plus.text[-1], ' ');
    EXPECT_EQ(entry->value->base[0].spaceLength, 0u);
    // The input buffer is gone; the body is still readable.
    EXPECT_EQ(harness.Run("BODY\n"), " alpha + beta\n");
}

}  // namespace
}  // namespace cimp::cpp::testing
