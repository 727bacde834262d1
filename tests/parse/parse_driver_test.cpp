// The parse stage's entry (files, status codes, fatal errors and the root),
// the list functions of the declaration tree and the freeing of trees.
#include "parse_fixture.h"

namespace cimp::parse {
namespace {

struct DriverCase {
    std::vector<std::string> args;
    std::string source;  // "-": no "cprep.tmp"
    std::string outcome;
    std::string blocked = "";  // a folder in the place of this file
    TypedefEntry* typedefs = nullptr;
};

// Parses over a stale root and a diagnostics file holding "<"; the status, tree,
// typedefs, diagnostics and standard error, flagging a stale root or a file left wrong.
std::string Outcome(DriverCase& c) {
    if (!c.blocked.empty()) std::filesystem::create_directory(c.blocked);
    test::WriteFileBytes("errorfile.err", "<");
    if (c.source == "-") RemoveFile("cprep.tmp");
    else test::WriteFileBytes("cprep.tmp", c.source);
    DeclNode* stale = DeclTreeRoot() = NewDeclNode("", "", "", 0, 0, 1, 1, kMemberNode, 0, nullptr);
    std::vector<char*> argv;
    for (auto& a : c.args) argv.push_back(a.data());
    int32_t status = 7;
    testing::internal::CaptureStderr();
    DeclNode* root = ParseHeaderFile(int(argv.size()), argv.data(), &c.typedefs, &status);
    std::string out = std::to_string(status) + " " + test::DescribeTree(root) + " " +
                      test::DescribeTypedefs(c.typedefs) + " | " +
                      (c.blocked == "errorfile.err" ? "" : test::ReadFileBytes("errorfile.err")) +
                      testing::internal::GetCapturedStderr();
    if (DeclTreeRoot() != root) out += "[!root]";
    if (FileExists("out.tmp") != (c.blocked == "out.tmp")) out += "[!echo file]";
    if (c.source != "-" && !FileExists("cprep.tmp")) out += "[!source removed]";
    if (!c.blocked.empty()) std::filesystem::remove_all(c.blocked);
    RemoveFile("errorfile.err");
    FreeDeclTree(stale);
    FreeDeclTree(nullptr);
    FreeTypedefList(c.typedefs);
    return out;
}

TEST(ParseDriver, StatusesFilesAndFatalErrors) {
    const std::vector<std::string> args{"cprep.tmp", "cprep.tmp"};
    const std::string deep = std::string(2000, '(') + "1" + std::string(2000, ')');
    const std::string clean = "| <" + test::kClean;
    TypedefEntry* given = NewTypedefEntry("FIRST", "long", 0, "", 0, 0, 1);
    given->next = NewTypedefEntry("E", "tag", 0, "", 0, 0, 1);
    DriverCase cases[] = {
        // Only the second argument is read.
        {{"missing.tmp", "cprep.tmp"}, "struct A { int a; }; $ @\n", "7 A<A>:A{a:int}  " + clean},
        {{"cprep.tmp"}, "", "-2   | <Internal Error: Too few arguments to preprocessor\r\n"},
        {args, "-", "-4   | <Failed to open source program file cprep.tmp\r\n"},
        {args, "", "-1   | ", "errorfile.err"},
        {args, "", "-3   | <Internal Error: Failed to open output file 'out.tmp'\r\n", "out.tmp"},
        {args, "struct A { int a; }; struct B { int " + std::string(600, 'x') + "; };",
         "7   | <\r\nFatal error occurred during parse.\r\npclex input buffer overflowed\n"},
        // Too deep a nesting ends the parse without a syntax error.
        {args, "struct A { int a; }; int x = " + deep + "; struct B { int b; };",
         "7 A<A>:A{a:int}  | <payacc stack overflow\r\n" + test::kClean},
        // A run after an unfinished one starts afresh.
        {args, "struct A { int a", "7 A<A>:A{}  | <[error 1] line 1: syntax error\r\nactual: [end "
         "of file]   expecting: COMMA, SEMICOLON\r\n\r\n1 error found during parse.\r\n"},
        // The caller's typedefs are known, retargeted and followed by the new ones.
        {args, "typedef FIRST SECOND; struct tag { int a; } name; struct S { SECOND s; E e; };",
         "7 name<tag>:name{a:int} | S<S>:S{s:long; e:name} FIRST=long, E=name, SECOND=long, "
         "name=name, tag=name " + clean, "", given}};
    for (DriverCase& c : cases) EXPECT_EQ(Outcome(c), c.outcome);
}

// Over a parsed tree: retargeting and resolving through a list, and the last node
// of a level (down the last siblings and their first children).
TEST(DeclTree, ListFunctionsOverAParsedTree) {
    test::ParseOutcome o;
    test::ParseText("struct S { int a; struct N { long b; int c; } n; }; struct V { int v; };", o);
    TypedefEntry* list = NewTypedefEntry("int", "tag", 0, "", 0, 0, 1);
    LastTypedefEntry(list)->next = NewTypedefEntry("long", "tag", 0, "", 0, 0, 1);
    EXPECT_EQ(RetargetTypedefs("tag", "I", list) + RetargetTypedefs("none", "x", list), 2);
    ResolveTypedefNames(o.root, list);
    EXPECT_EQ(o.Tree(), "S<S>:S{a:I; n<N>:n{b:I; c:I}} | V<V>:V{v:I}");
    std::string last;
    for (int32_t level : {1, 2, 3, 4}) last += FindLastAtLevel(o.root->firstChild, level)->name;
    EXPECT_EQ(last + FindLastAtLevel(o.root, 1)->name, "cnccV");
    EXPECT_TRUE(FindLastAtLevel(nullptr, 1) == nullptr && LastTypedefEntry(nullptr) == nullptr);
    FreeTypedefList(list);
}

// Freeing never recurses, however long the chains; freeing the root clears it.
TEST(DeclTree, FreesLongChainsAndTheProcessWideRoot) {
    const auto node = [] { return NewDeclNode("s", "s", "s", 0, 0, 1, 1, 2, 0, nullptr); };
    DeclNode* last = DeclTreeRoot() = node();
    for (int i = 0; i < 300000; ++i)
        last = (i % 3 == 0 ? last->firstChild : last->nextSibling) = node();
    EXPECT_TRUE(FreeDeclTree(nullptr) == 1 && DeclTreeRoot() == nullptr);
    DeclTreeRoot() = node();
    EXPECT_TRUE(FreeDeclTree(DeclTreeRoot()) == 1 && DeclTreeRoot() == nullptr);
}

}  // namespace
}  // namespace cimp::parse
