// The language the grammar accepts and what it rejects.
#include <gtest/gtest.h>

#include <string>

#include "parse_fixture.h"

namespace cimp::parse {
namespace {

constexpr const char* kClean = "No syntax errors found during parse.\r\r\n";
constexpr const char* kOneError = "1 error found during parse.\r\n";

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

struct GrammarCase {
    const char* name;
    std::string text;
};

class GrammarAccepts : public ::testing::TestWithParam<GrammarCase> {};

TEST_P(GrammarAccepts, WithoutErrors) {
    test::ParseOutcome outcome;
    test::ParseText(GetParam().text, outcome);
    EXPECT_EQ(outcome.diagnostics, kClean);
}

INSTANTIATE_TEST_SUITE_P(
    Language, GrammarAccepts,
    ::testing::Values(
        GrammarCase{"StorageClassesAndQualifiers",
                    "static int a; extern const volatile long b; register c; auto int d; typedef int T;"},
        GrammarCase{"TypeCombinations",
                    "unsigned long long a; long double b; signed char c; short int d; unsigned e; long unsigned f;"},
        GrammarCase{"SpecifiersWithAndWithoutTags",
                    "struct A; struct A *p; struct { int x; } v; union U { int i; float f; } u; "
                    "enum E { X, Y = 2, Z = Y + 1 } e; enum E f; enum { Q };"},
        GrammarCase{"TypedefNamesAsTypes", "typedef int T; T a; const T b; T *c[3]; static T d;"},
        GrammarCase{"TypedefNameAsTag", "typedef int T; struct T { int x; }; union T; enum T { K };"},
        GrammarCase{"TypedefNameRedeclared", "typedef int T; struct A { float T; }; int T2, *T;"},
        GrammarCase{"RepeatedUnionMemberName",
                    "typedef struct { union { int a; } d_un; } X; typedef struct { union { long b; } d_un; } Y;"},
        GrammarCase{"Declarators",
                    "int *a[3]; int (*f)(int, char *); int (*g[2])(void); char **h; int m[2][3]; "
                    "void v(int n, ...); int w(a, b); int x[N * 2 + (3 << 1)]; int (*const cp)(void);"},
        GrammarCase{"DefaultArguments", "int f(int a = 3, char *p = 0);"},
        GrammarCase{"BitFieldsAndAnonymousMembers",
                    "struct A { unsigned a : 3; int : 0; union { int x; long y; }; struct { int z; }; };"},
        GrammarCase{"TrailingCommaAndFlexibleArray", "enum E { A, B, }; struct F { int n; char d[]; };"},
        GrammarCase{"Initialisers", "int a = 1, b[] = { 1, 2, }, c = sizeof(int) * 2; char *s = \"x\" \"y\"; "
                                    "struct P { int x; } p = { 1 }; int e[2][2] = { { 1 }, { 2 } };"},
        GrammarCase{"TypelessFileScope", "counter; handler(int); old(a, b);"},
        GrammarCase{"LinkageBlock", "extern \"C\" { int f(void); struct A { int a; }; } extern \"C\" int g;"},
        GrammarCase{"FunctionDefinitions",
                    "int f(int a) { int b = a * 2; if (a) b++; else b--; return b; } "
                    "static int old(a, b) int a; char *b; { return a; } main() { }"},
        GrammarCase{"Statements",
                    "void f(int n) { int i; for (i = 0; i < n; i++) { continue; } while (n--) break; "
                    "do { n += 2; } while (n < 10); switch (n) { case 1: n = 2; break; default: ; } "
                    "goto out; out: ; { } }"},
        GrammarCase{"Expressions",
                    "int f(int *p, struct S *s) { return p[0] + s->x + (*s).y + -p[1] * ~2 / !3 % 4 "
                    "+ (1 ? 2 : 3) + (p && s || 0) + (1 | 2 ^ 3 & 4) + (1 == 2) + (1 != 2) + (1 <= 2) "
                    "+ (1 >= 2) + (1 << 2 >> 1) + sizeof p + sizeof(struct S) + (long)p + f(p, s) + 'c' "
                    "+ 1.5 + 017 + 0x1f; }"},
        GrammarCase{"AssignmentOperators",
                    "void f(int a) { a = 1; a *= 2; a /= 2; a %= 2; a += 2; a -= 2; a <<= 1; a >>= 1; a &= 1; "
                    "a ^= 1; a |= 1; a = a, a; }"},
        GrammarCase{"ClassSpecifiers",
                    "class C { public: int x; C(); ~C(); virtual int f(int a = 3); static int n; "
                    "protected: int g() { return x; } private: friend int h(int c); inline int i(); }; "
                    "class D;"},
        GrammarCase{"ClassExpressions",
                    "int C::g() { int *p = new int[10]; long *q = new long(3); delete [] p; delete q; "
                    "return this->x + ::y + C::z; } C::C() { } C::~C() { }"},
        GrammarCase{"MemberPointers", "int f(struct S *s, struct S t) { return s->*m + t.*m; }"},
        GrammarCase{"OverloadAndOperators", "overload f; int operator+(int a, int b); int operator()(void);"},
        GrammarCase{"EmptyInput", ""},
        GrammarCase{"DanglingElse", "void f(int a) { if (a) if (a) a = 1; else a = 2; }"}),
    [](const auto& info) { return std::string(info.param.name); });

class GrammarRejects : public ::testing::TestWithParam<GrammarCase> {};

TEST_P(GrammarRejects, WithOneError) {
    test::ParseOutcome outcome;
    test::ParseText(GetParam().text, outcome);
    EXPECT_TRUE(EndsWith(outcome.diagnostics, kOneError)) << outcome.diagnostics;
    EXPECT_EQ(outcome.diagnostics.rfind("[error 1] line 1", 0), 0u) << outcome.diagnostics;
}

INSTANTIATE_TEST_SUITE_P(
    Language, GrammarRejects,
    ::testing::Values(GrammarCase{"LoneSemicolon", "int a; ;"},
                      GrammarCase{"EmptyMemberDeclaration", "struct A { int a;; };"},
                      GrammarCase{"IdentifierIdentifier", "int WINAPI f(void);"},
                      GrammarCase{"AttributeWord", "int f(void) __attribute__((cdecl));"},
                      GrammarCase{"MemberInitialiser", "struct A { int a = 1; };"},
                      GrammarCase{"ConstructorInitialiser", "class A { A() : x(0) { } int x; };"},
                      GrammarCase{"Template", "template <class T> class X { };"},
                      GrammarCase{"MissingSemicolon", "struct A { int a; } struct B { int b; };"},
                      GrammarCase{"SemicolonAfterFunctionBody", "int f(void) { return 0; };"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cimp::parse
