// What the parse makes of declarations: the tree and typedef list the builder
// makes, the report it writes, and the language the grammar accepts.
#include "parse_fixture.h"

namespace cimp::parse {
namespace {

struct Case { std::string text, tree, typedefs = "", diagnostics = test::kClean; };

const std::string n(255, 'n'), m(255, 'm'), w(70, 'w'), r3000(3000, '\r');
const std::string one = "\r\n\r\n1 error found during parse.\r\n";

const Case kCases[] = {
    {"", ""}, {"int x; extern char *p; enum E { A, B }; struct X; struct X *q; int f(void);", ""},
    {"struct A { int a; char name[20]; unsigned short s[2][3]; float *p; char t[2][10]; "
     "char u[2][3][4]; int v[3], b; };",
     "A<A>:A{a:int; name:char[l=20]; s:short[r=6][u]; p:float[*]; t:char[r=2][l=10]; "
     "u:char[r=6][l=4]; v:int[r=3]; b:int}"},
    {"struct A { long double d; long int l; short int s; double e; long long q; unsigned char c;"
     " unsigned f; signed g; unsigned long ul; signed char sc; unsigned a : 3, b : 5; };",
     "A<A>:A{d:long double; l:long; s:short; e:double; q:long; c:char[u]; f:int[u]; g:int; "
     "ul:long[u]; sc:char; a:int[u]; b:int[u]}"},
    {"typedef long Q; struct A { struct B { unsigned y, x; } z1, z2; Q q; };",
     "A<A>:A{z1<B>:z1{y:int[u]; x:int[u]}; z2:z1; q:long}", "Q=long, z1=z1, B=z1"},
    {"struct A { int a; }; struct B { struct A x; struct A y[2], *z, w; int *r, s; };",
     "A<A>:A{a:int} | B<B>:B{x:A; y:A[r=2]; z:A[*]; w:A; r:int[*]; s:int}"},
    // A union or enum body inside a structure ends the structure's body.
    {"struct A { int a; union { int x; } u; int b; };", "u<A>:u{a:int; x:int}", "u=u, A=u"},
    {"struct A { union { int x; long y; }; int z; };", "A<A>:A{x:int; y:long}"},
    // Parameter lists are not looked into.
    {"struct S { void (*cb)(char c, int b); int n; struct s (*f)(void); "
     "int (*(*g)(int a))(long b); };", "S<S>:S{cb:cb[*]; n:int; f:s[*]; g:int[*]}"},
    // Array bounds: only decimal constants count, each as one dimension.
    {"struct A { int v[MAX]; long bits[1024 / (8 * sizeof(long))]; int o[010]; int h[0x10]; "
     "char data[]; int big[99999999999][3]; };",
     "A<A>:A{v:int; bits:long[r=8192]; o:int; h:int; data:char; big:int[r=2147483647]}"},
    // File-scope declarations of structure type follow the structures; prototypes make nothing.
    {"struct A { int a; }; int f(void); void g(struct A *p); struct A *h(void); struct A i; "
     "struct B { int b; };", "A<A>:A{a:int} | h:A[*] | i:A | B<B>:B{b:int}"},
    // Nor are the braces of initialisers at file scope.
    {"struct A { int a; }; struct A origin = { 0, 0 }; "
     "static const struct B table[2] = { { 1 }, { 2 } };",
     "A<A>:A{a:int} | origin:A | table:B[r=2]"},
    // Union and enum bodies at file scope are not looked into.
    {"typedef union { int a; long b; } T; typedef enum { RED, GREEN } colour; typedef enum { X }; "
     "int x; union U { struct In { int a; } in; } u; struct S { int x[GREEN]; T v; colour c; };",
     "S<S>:S{x:int; v:T; c:colour}", "T=T, colour=colour"},
    {"struct " + std::string(300, 'n') + " { int " + std::string(260, 'm') + "; };",
     n + "<" + n + ">:" + n + "{" + m + ":int}"},
    // A function body after a structure's closing brace declares no declarators of it.
    {"struct S { int a; } f(void) { struct T *p; int q; }\n"
     "struct U { int u; } g(void) { typedef int X; return 0; } struct V { X x; };",
     "S<S>:S{a:int} | p:T[*] | U<U>:U{u:int} | V<V>:V{x:int}", "X=int"},
    // Typedefs, and what members take from them.
    {"typedef int T; typedef unsigned short U16; typedef U16 W; struct S { T a; U16 v; W w; };",
     "S<S>:S{a:int; v:short[u]; w:short[u]}", "T=int, U16=short[u], W=short[u]"},
    {"typedef char NAME[20]; typedef char C; typedef char ROW[4][16]; typedef int QD[4]; "
     "struct S { NAME x; NAME y[5]; NAME z[3][5]; C a[8]; C b[2][6]; ROW r[2]; QD q[3]; QD s; };",
     "S<S>:S{x:char[l=20]; y:char[r=5][l=20]; z:char[r=15][l=20]; a:char[l=8]; "
     "b:char[r=2][l=6]; r:char[r=8][l=16]; q:int[r=12]; s:int[r=4]}",
     "NAME=char[l=20], C=char, ROW=char[r=4][l=16], QD=int[r=4]"},
    {"typedef int *P, Q; typedef P R; struct S { Q q; R r; };", "S<S>:S{q:int; r:int[*]}",
     "P=int[*], Q=int, R=int[*]"},
    {"typedef struct { int x; } T, *PT; struct U { T t[4]; PT p; };",
     "T<>:T{x:int} | U<U>:U{t:T[r=4]; p:T[*]}", "T=T, T=T, PT=T[*]"},
    {"struct tag { int a; } name[2][3], other; struct B { tag t; name n; };",
     "name<tag>:name[r=6]{a:int} | B<B>:B{t:name[r=6]; n:name[r=6]}",
     "name=name[r=6], tag=name[r=6]"},
    {"typedef struct tag tag_t; typedef struct tag { int a; } real_t; struct B { tag_t b; };",
     "real_t<tag>:real_t{a:int} | B<B>:B{b:real_t}", "tag_t=real_t, real_t=real_t, tag=real_t"},
    {"typedef void *vp; typedef vp (*alloc)(vp o, unsigned n); typedef int (*handler)(void *c); "
     "typedef struct A *(*make)(struct B *b); struct S { handler h; make m; alloc a; };",
     "S<S>:S{h:int[*]; m:A[*]; a:vp[*]}", "vp=vp[*], alloc=vp[*], handler=int[*], make=A[*]"},
    {"typedef int T; struct A { float T; T *x; }; typedef int *S[3]; struct S { int s; }; "
     "typedef int;",
     "A<A>:A{T:float; x:int[*]} | S<S>:int{s:int}", "T=int, S=int[r=3][*], int=int"},
    {"struct A { struct tag *p; int n; }; struct tag { int x; } name;",
     "A<A>:A{p:name[*]; n:int} | name<tag>:name{x:int}", "name=name, tag=name"},
    // Types retargeted after their nodes were made, at nodes made in every way.
    {"typedef struct later T;\n"
     "struct A { T a; T b; struct later *p; struct inner { int y; }; struct { int v; } T, w; };\n"
     "struct C { int c; };\nstruct inner { int n; } inner_name;\nstruct A { int k; } aname;\n"
     "struct C { int d; } cname;\nstruct later { int q; } final;\n",
     "A<A>:aname{a:final; b:final; p:final[*]; inner<inner>:inner_name{y:int}; T<>:final{v:int}; "
     "w:final} | C<C>:cname{c:int} | inner_name<inner>:inner_name{n:int} | aname<A>:aname{k:int} | "
     "cname<C>:cname{d:int} | final<later>:final{q:int}",
     "T=final, T=T, T=T, inner_name=inner_name, inner=inner_name, aname=aname, A=aname, "
     "cname=cname, C=cname, final=final, later=final"},
    // Reports: the first error ends the parse; the tree built before it is kept.
    {"struct A { int x; }", "A<A>:A{x:int}", "",
     "[error 1] line 1: syntax error\r\nactual: [end of file]   expecting: (, POINTER, SEMICOLON, "
     "operator, IDENTIFIER,\r\n    IDENTIFIER" + one},
    // Lines end at a line feed after any number of carriage returns.
    {"/* one\n two" + r3000 + "\n*/ int a;\r\n\r\r\n// three\n" + r3000 + "\nint b\r\r c;", "", "",
     "[error 1] line 7  near \"c\": syntax error\r\n"
     "actual: IDENTIFIER c  expecting: COMMA, SEMICOLON" + one},
    {"int v " + w + ";", "", "",
     "[error 1] line 1  near \"" + w + "\": syntax error\r\nactual: IDENTIFIER " + w +
         "\r\nexpecting: COMMA, SEMICOLON" + one},
    // End of input is accepted there, not shifted, so it is not listed.
    {"struct A { int a; }; }", "A<A>:A{a:int}", "",
     "[error 1] line 1  near \"}\": syntax error\r\n"
     "actual: RC }  expecting: (, POINTER, auto, double, int, struct, long, enum,\r\n"
     "    register, typedef, char, extern, union, const, float, short, UNSIGNED,\r\n"
     "    signed, void, volatile, static, operator, class, virtual, friend, inline,\r\n"
     "    overload, IDENTIFIER, IDENTIFIER" + one},
};

TEST(Builder, TreesTypedefsAndReports) {
    for (const Case& c : kCases) {
        test::ParseOutcome o;
        test::ParseText(c.text, o);
        EXPECT_EQ(o.Tree() + " # " + o.Typedefs() + " # " + o.diagnostics,
                  c.tree + " # " + c.typedefs + " # " + c.diagnostics) << c.text.substr(0, 200);
    }
}

// Texts the grammar accepts (beyond the builder's cases), and rejects at the token named.
const std::pair<std::string, std::string> kLanguage[] = {
    {"static int a; extern const volatile long b; register c; auto int d; typedef int T; "
     "const T e; static T f; struct A; union U { int i; } u; enum E { X, Y = 2, Z = Y + 1, } e; "
     "enum E g; struct T { int x; }; union T; enum T { K }; struct A { float T; }; int U, *T;", ""},
    {"int (*g[2])(void); char **h; void v(int n, ...); int w(a, b); int x[N * 2 + (3 << 1)]; "
     "int (*const cp)(void); int d(int a = 3, char *p = 0); struct B { int : 0; struct { int z; }; "
     "}; int a = 1, b[] = { 1, 2, }, c = sizeof(int) * 2; char *s = \"x\" \"y\"; "
     "struct P { int x; } p = { 1 }; int e[2][2] = { { 1 }, { 2 } };", ""},
    {"counter; handler(int); old(a, b); extern \"C\" { int f(void); struct A { int a; }; } "
     "extern \"C\" int g;", ""},
    {"int f(int a) { int b = a * 2; if (a) b++; else b--; return b; } "
     "static int old(a, b) int a; char *b; { return a; } main() { }", ""},
    {"void f(int n) { int i; for (i = 0; i < n; i++) { continue; } while (n--) break; "
     "do { n += 2; } while (n < 10); switch (n) { case 1: n = 2; break; default: ; } "
     "goto out; out: ; { } if (n) if (n) n = 1; else n = 2; }", ""},
    {"int f(int *p, struct S *s) { return p[0] + s->x + (*s).y + -p[1] * ~2 / !3 % 4 "
     "+ (1 ? 2 : 3) + (p && s || 0) + (1 | 2 ^ 3 & 4) + (1 == 2) + (1 != 2) + (1 <= 2) "
     "+ (1 >= 2) + (1 << 2 >> 1) + sizeof p + sizeof(struct S) + (long)p + f(p, s) + 'c' "
     "+ 1.5 + 017 + 0x1f + s->*m + s.*m; }", ""},
    {"void f(int a) { a = 1; a *= 2; a /= 2; a %= 2; a += 2; a -= 2; a <<= 1; a >>= 1; a &= 1; "
     "a ^= 1; a |= 1; a = a, a; }", ""},
    {"class C { public: int x; C(); ~C(); virtual int f(int a = 3); static int n; "
     "protected: int g() { return x; } private: friend int h(int c); inline int i(); }; "
     "class D; overload f; int operator+(int a, int b); int operator()(void);", ""},
    {"int C::g() { int *p = new int[10]; long *q = new long(3); delete [] p; delete q; "
     "return this->x + ::y + C::z; } C::C() { } C::~C() { }", ""},
    {"int x = " + std::string(100, '(') + "1" + std::string(100, ')') + ";", ""},  // not too deep
    {"int a; ;", ";"}, {"struct A { int a;; };", ";"}, {"int WINAPI f(void);", "f"},
    {"int f(void) __attribute__((cdecl));", "__attribute__"}, {"struct A { int a = 1; };", "="},
    {"class A { A() : x(0) { } int x; };", ":"}, {"template <class T> class X { };", "<"},
    {"struct A { int a; } struct B { int b; };", "struct"}, {"int f(void) { return 0; };", ";"}};

TEST(Grammar, AcceptsAndRejects) {
    for (const auto& [text, near] : kLanguage) {
        test::ParseOutcome o;
        test::ParseText(text, o);
        const std::string& d = o.diagnostics;
        if (near.empty()) EXPECT_EQ(d, test::kClean) << text;
        else EXPECT_TRUE(d.starts_with("[error 1] line 1  near \"" + near + "\": syntax") &&
                         d.ends_with("\r\n\r\n1 error found during parse.\r\n")) << d;
    }
}

}  // namespace
}  // namespace cimp::parse
