// The typedef list the builder records, and what members take from it.
#include <gtest/gtest.h>

#include <string>

#include "cimp/parse/parse_driver.h"
#include "parse_fixture.h"

namespace cimp::parse {
namespace {

struct TypedefCase {
    const char* name;
    std::string text;
    std::string typedefs;
    std::string tree;
};

class BuilderTypedefs : public ::testing::TestWithParam<TypedefCase> {};

TEST_P(BuilderTypedefs, RecordsAndApplies) {
    test::ParseOutcome outcome;
    test::ParseText(GetParam().text, outcome);
    EXPECT_EQ(outcome.Typedefs(), GetParam().typedefs);
    EXPECT_EQ(outcome.Tree(), GetParam().tree);
    EXPECT_EQ(outcome.diagnostics, "No syntax errors found during parse.\r\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Merging, BuilderTypedefs,
    ::testing::Values(
        TypedefCase{"SimpleAndUnsigned", "typedef int T; typedef unsigned short U16; struct S { T a; U16 v; };",
                    "T=int, U16=short[u]", "S<S>:S{a:int; v:short[u]}"},
        TypedefCase{"TypedefOfTypedef", "typedef unsigned short U16; typedef U16 W; struct S { W w; };",
                    "U16=short[u], W=short[u]", "S<S>:S{w:short[u]}"},
        TypedefCase{"CharacterArrays",
                    "typedef char NAME[20]; struct S { NAME x; NAME y[5]; NAME z[3][5]; };",
                    "NAME=char[l=20]", "S<S>:S{x:char[l=20]; y:char[r=5][l=20]; z:char[r=15][l=20]}"},
        TypedefCase{"IntegerArrays", "typedef int QUAD[4]; struct Q { QUAD q[3]; QUAD r; };", "QUAD=int[r=4]",
                    "Q<Q>:Q{q:int[r=12]; r:int[r=4]}"},
        TypedefCase{"PointerTypedefs", "typedef int *P, Q; typedef P R; struct S { Q q; R r; };",
                    "P=int[*], Q=int, R=int[*]", "S<S>:S{q:int; r:int[*]}"},
        TypedefCase{"StructureDeclarators", "typedef struct { int x; } T, *PT; struct U { PT p; };",
                    "T=T, T=T, PT=T[*]", "T<>:T{x:int} | U<U>:U{p:T[*]}"},
        TypedefCase{"TagAndNameBecomeTypedefNames",
                    "struct tag { int a; } name; struct B { tag t; name n; };",
                    "name=name, tag=name", "name<tag>:name{a:int} | B<B>:B{t:name; n:name}"},
        TypedefCase{"EarlierTypedefOfTagRetargeted",
                    "typedef struct tag tag_t; typedef struct tag { int a; } real_t; struct B { tag_t b; };",
                    "tag_t=real_t, real_t=real_t, tag=real_t", "real_t<tag>:real_t{a:int} | B<B>:B{b:real_t}"},
        TypedefCase{"FunctionPointerTypedef",
                    "typedef int (*handler_fn)(void *ctx, int n); struct S { handler_fn h; };",
                    "handler_fn=int[*]", "S<S>:S{h:int[*]}"},
        TypedefCase{"TypedefNameBeforeParenthesis",
                    "typedef void *voidpf; typedef voidpf (*alloc_func)(voidpf opaque, unsigned n); alloc_func f;",
                    "voidpf=voidpf[*], alloc_func=voidpf[*]", ""},
        TypedefCase{"RedeclaredAsMember", "typedef int T; struct A { float T; T *x; };", "T=int",
                    "A<A>:A{T:float; x:int[*]}"},
        TypedefCase{"FileScopeUnionAndEnum",
                    "typedef union { int a; long b; } T; typedef enum { RED, GREEN } colour; struct S { T a; colour c; };",
                    "T=T, colour=colour", "S<S>:S{a:T; c:colour}"},
        TypedefCase{"FunctionTypedefWithStructureParameter",
                    "typedef struct A *(*make_fn)(struct B *b, int n); struct C { make_fn m; };",
                    "make_fn=A[*]", "C<C>:C{m:A[*]}"},
        TypedefCase{"ResolvedAfterTheParse", "struct A { struct tag *p; int n; }; struct tag { int x; } name;",
                    "name=name, tag=name", "A<A>:A{p:name[*]; n:int} | name<tag>:name{x:int}"},
        // Nodes made in every way (first and later file-scope structures,
        // members, a structure-typed member, a nested body, a later declarator
        // of a nested body) whose types are retargeted after they were made.
        TypedefCase{"ResolvedAtEveryKindOfNode",
                    "typedef struct later T;\n"
                    "struct A { T a; T b; struct later *p; struct inner { int y; }; struct { int v; } T, w; };\n"
                    "struct C { int c; };\n"
                    "struct inner { int n; } inner_name;\n"
                    "struct A { int k; } aname;\n"
                    "struct C { int d; } cname;\n"
                    "struct later { int q; } final;\n",
                    "T=final, T=T, T=T, inner_name=inner_name, inner=inner_name, aname=aname, A=aname, "
                    "cname=cname, C=cname, final=final, later=final",
                    "A<A>:aname{a:final; b:final; p:final[*]; inner<inner>:inner_name{y:int}; T<>:final{v:int}; "
                    "w:final} | C<C>:cname{c:int} | inner_name<inner>:inner_name{n:int} | aname<A>:aname{k:int} | "
                    "cname<C>:cname{d:int} | final<later>:final{q:int}"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BuilderTypedefs, NewEntriesFollowTheCallersList) {
    TypedefEntry* head = NewTypedefEntry("FIRST", "long", 0, "", 0, 0, 1);
    test::WriteFileBytes("cprep.tmp", "typedef FIRST SECOND; struct S { SECOND s; };");
    std::string name = "cprep.tmp";
    char* argv[] = {name.data(), name.data()};
    int32_t status = 0;
    DeclNode* root = ParseHeaderFile(2, argv, &head, &status);
    EXPECT_EQ(test::DescribeTypedefs(head), "FIRST=long, SECOND=long");
    EXPECT_EQ(test::DescribeTree(root), "S<S>:S{s:long}");
    FreeDeclTree(nullptr);
    FreeTypedefList(head);
}

}  // namespace
}  // namespace cimp::parse
