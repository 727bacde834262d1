// Tree shapes the builder makes from whole declarations.
#include <gtest/gtest.h>

#include <string>

#include "parse_fixture.h"

namespace cimp::parse {
namespace {

struct TreeCase {
    const char* name;
    std::string text;
    std::string tree;
};

class BuilderTrees : public ::testing::TestWithParam<TreeCase> {};

TEST_P(BuilderTrees, BuildsTheTree) {
    test::ParseOutcome outcome;
    test::ParseText(GetParam().text, outcome);
    EXPECT_EQ(outcome.Tree(), GetParam().tree);
    EXPECT_EQ(outcome.diagnostics, "No syntax errors found during parse.\r\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BuilderTrees,
    ::testing::Values(
        TreeCase{"MembersOfEveryKind", "struct A { int a; char name[20]; unsigned short s[2][3]; float *p; };",
                 "A<A>:A{a:int; name:char[l=20]; s:short[r=6][u]; p:float[*]}"},
        TreeCase{"CharacterArrayOfArrays", "struct A { char t[2][10]; char u[2][3][4]; };",
                 "A<A>:A{t:char[r=2][l=10]; u:char[r=6][l=4]}"},
        TreeCase{"TypesFromKeywords",
                 "struct A { long double d; long int l; short int s; double e; long long q; unsigned char c; };",
                 "A<A>:A{d:long double; l:long; s:short; e:double; q:long; c:char[u]}"},
        TreeCase{"UntaggedTypedefStructure", "typedef struct { int x; } POINT; struct B { POINT p[4]; };",
                 "POINT<>:POINT{x:int} | B<B>:B{p:POINT[r=4]}"},
        TreeCase{"NestedStructureRenamed", "struct A { struct B { int y; } z; int q; };",
                 "A<A>:A{z<B>:z{y:int}; q:int}"},
        TreeCase{"NestedStructureWithTwoDeclarators", "struct A { struct B { int y; } z1, z2; int q; };",
                 "A<A>:A{z1<B>:z1{y:int}; z2:z1; q:int}"},
        TreeCase{"PrototypeCreatesNothing", "struct A { int a; }; int f(void); struct C { int c; };",
                 "A<A>:A{a:int} | C<C>:C{c:int}"},
        TreeCase{"DimensionsPerDeclarator", "struct A { int a[3], b; };", "A<A>:A{a:int[r=3]; b:int}"},
        TreeCase{"StructureTagMembers", "struct A { int a; }; struct B { struct A x; struct A y[2], *z; };",
                 "A<A>:A{a:int} | B<B>:B{x:A; y:A[r=2]; z:A[*]}"},
        TreeCase{"PointerOnlyForItsDeclarator", "struct A { int a; }; struct B { struct A *p, q; int *r, s; };",
                 "A<A>:A{a:int} | B<B>:B{p:A[*]; q:A; r:int[*]; s:int}"},
        TreeCase{"BitFieldsIgnored", "struct A { unsigned a : 3, b : 5; int c; };", "A<A>:A{a:int[u]; b:int[u]; c:int}"},
        TreeCase{"FirstDeclaratorRenames", "struct tag { int a; } name, other;", "name<tag>:name{a:int}"},
        TreeCase{"EmptyInput", "", ""},
        TreeCase{"NoStructure", "int x; extern char *p; enum E { A, B };", ""},
        TreeCase{"UnionInsideEndsTheBody", "struct A { int a; union { int x; } u; int b; };",
                 "u<A>:u{a:int; x:int}"},
        // Parameter lists are not looked into.
        TreeCase{"FunctionPointerMember", "struct S { void (*cb)(char c, int b); int n; };",
                 "S<S>:S{cb:cb[*]; n:int}"},
        TreeCase{"TagBeforeParenthesis", "struct T { struct s (*cb)(void); int x; };", "T<T>:T{cb:s[*]; x:int}"},
        TreeCase{"PrototypeParametersIgnored", "struct A { int a; }; void f(struct A *p, int n); struct B { int b; };",
                 "A<A>:A{a:int} | B<B>:B{b:int}"},
        TreeCase{"FunctionReturningFunctionPointer", "struct A { int (*(*f)(int a))(long b); int c; };",
                 "A<A>:A{f:int[*]; c:int}"},
        // Array bounds: only decimal constants count, each as one dimension.
        TreeCase{"NamedBoundLeavesNameAlone", "struct A { int values[VALUES_MAX]; };", "A<A>:A{values:int}"},
        TreeCase{"EveryDecimalInBoundCounts", "struct A { long bits[1024 / (8 * sizeof(long))]; };",
                 "A<A>:A{bits:long[r=8192]}"},
        TreeCase{"OctalAndHexBoundsIgnored", "struct A { int a[010]; int b[0x10]; };", "A<A>:A{a:int; b:int}"},
        TreeCase{"FlexibleArray", "struct F { int n; char data[]; };", "F<F>:F{n:int; data:char}"},
        TreeCase{"HugeBoundIsCapped", "struct A { int a[99999999999][3]; };", "A<A>:A{a:int[r=2147483647]}"},
        // File-scope declarations of structure type follow the structures.
        TreeCase{"FileScopeDeclarationsKept", "struct A { int a; }; struct A *f(void); struct A g; struct B { int b; };",
                 "A<A>:A{a:int} | f:A[*] | g:A | B<B>:B{b:int}"},
        TreeCase{"StructureTypeBeforeAnyBody", "struct X; struct X *p; struct A { int a; };", "A<A>:A{a:int}"},
        // Plain unsigned and signed mean int.
        TreeCase{"PlainUnsignedAndSigned", "struct A { unsigned flags; signed s; unsigned long l; signed char c; };",
                 "A<A>:A{flags:int[u]; s:int; l:long[u]; c:char}"},
        // Union and enum bodies at file scope are not looked into.
        TreeCase{"FileScopeUnionBody", "typedef union { int a; long b; } T; struct S { int a; T v; };",
                 "S<S>:S{a:int; v:T}"},
        TreeCase{"FileScopeEnumBody", "typedef enum { RED, GREEN } colour; struct S { int x[GREEN]; colour c; };",
                 "S<S>:S{x:int; c:colour}"},
        TreeCase{"TaggedUnionWithStructureInside", "union U { struct In { int a; } in; } u; struct S { int s; };",
                 "S<S>:S{s:int}"},
        TreeCase{"AnonymousUnionMember", "struct A { union { int x; long y; }; int z; };", "A<A>:A{x:int; y:long}"},
        TreeCase{"LongNamesCut", "struct " + std::string(300, 'n') + " { int " + std::string(260, 'm') + "; };",
                 std::string(255, 'n') + "<" + std::string(255, 'n') + ">:" + std::string(255, 'n') + "{" +
                     std::string(255, 'm') + ":int}"}),
    [](const auto& info) { return std::string(info.param.name); });

// Long member chains at two levels: every member goes at the end of its own
// chain, and the outer structure goes on after the inner one.
TEST(BuilderTrees, LongMemberChains) {
    std::string inner;
    std::string innerTree;
    for (int i = 0; i < 3000; ++i) {
        inner += " int m" + std::to_string(i) + ";";
        innerTree += (i == 0 ? "m" : "; m") + std::to_string(i) + ":int";
    }
    test::ParseOutcome outcome;
    test::ParseText("struct A { int a; struct B {" + inner + " } b; char c[4]; }; struct C { int z; };", outcome);
    EXPECT_EQ(outcome.Tree(), "A<A>:A{a:int; b<B>:b{" + innerTree + "}; c:char[l=4]} | C<C>:C{z:int}");
}

TEST(BuilderRoot, RootIsTheFirstStructure) {
    test::ParseOutcome outcome;
    test::ParseText("int x; struct A { int a; };", outcome);
    ASSERT_NE(outcome.root, nullptr);
    EXPECT_EQ(outcome.root, DeclTreeRoot());
    EXPECT_EQ(outcome.root->name, "A");
}

TEST(BuilderRoot, TreeBuiltBeforeAnErrorIsKept) {
    test::ParseOutcome outcome;
    test::ParseText("struct A { int x; }", outcome);
    EXPECT_EQ(outcome.Tree(), "A<A>:A{x:int}");
    EXPECT_NE(outcome.diagnostics.find("1 error found during parse."), std::string::npos);
}

}  // namespace
}  // namespace cimp::parse
