#include "cimp/parse/decl_tree.h"

#include <gtest/gtest.h>

#include <memory>

namespace cimp {
namespace {

struct TypedefList {
    TypedefEntry* head = nullptr;
    ~TypedefList() { FreeTypedefList(head); }
    void Add(const char* name, const char* type, int32_t pointer, int32_t length, int32_t repeat, int32_t isSigned) {
        TypedefEntry* e = NewTypedefEntry(name, type, pointer, "", length, repeat, isSigned);
        if (TypedefEntry* last = LastTypedefEntry(head))
            last->next = e;
        else
            head = e;
    }
};

struct TreeDeleter {
    void operator()(DeclNode* n) const { FreeDeclTree(n); }
};
using Tree = std::unique_ptr<DeclNode, TreeDeleter>;

Tree Member(const char* name, const char* type, int32_t repeat, int32_t length, const TypedefEntry* list,
            int32_t isSigned = 1, int32_t pointer = 0) {
    return Tree(NewDeclNode(name, "", type, repeat, length, isSigned, 2, kMemberNode, pointer, list));
}

struct MergeCase {
    const char* what;
    int32_t typedefRepeat, typedefLength, typedefSigned;
    int32_t repeat, length;
    int32_t wantRepeat, wantLength, wantSigned;
};

class TypedefMerge : public ::testing::TestWithParam<MergeCase> {};

TEST_P(TypedefMerge, MergesDimensionsOfTheTypedef) {
    const MergeCase& c = GetParam();
    TypedefList list;
    list.Add("T", "char", 0, c.typedefLength, c.typedefRepeat, c.typedefSigned);
    Tree node = Member("x", "T", c.repeat, c.length, list.head);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->typeName, "char");
    EXPECT_EQ(node->repeatCount, c.wantRepeat) << c.what;
    EXPECT_EQ(node->length, c.wantLength) << c.what;
    EXPECT_EQ(node->isSigned, c.wantSigned) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedefMerge,
    ::testing::Values(
        // typedef char NAME[20];
        MergeCase{"NAME x", 0, 20, 1, 0, 0, 0, 20, 1},
        MergeCase{"NAME x[5]", 0, 20, 1, 0, 5, 5, 20, 1},
        MergeCase{"NAME x[3][5]", 0, 20, 1, 3, 5, 15, 20, 1},
        // typedef int QUAD[4]; QUAD y[3]; (the dimension counted as a repeat)
        MergeCase{"QUAD y[3]", 4, 0, 1, 3, 0, 12, 0, 1},
        // A plain typedef keeps a length-only declaration as it is.
        MergeCase{"plain x[8]", 0, 0, 1, 0, 8, 0, 8, 1},
        // R and L set, typedef without length: nothing changes.
        MergeCase{"QUAD z[2][6]", 4, 0, 1, 2, 6, 2, 6, 1},
        // Unsigned typedefs make the member unsigned.
        MergeCase{"unsigned", 0, 0, 0, 0, 0, 0, 0, 0},
        // typedef char ROW[4][16]; ROW r[2]; (the 2 read as a length)
        MergeCase{"ROW r[2]", 4, 16, 1, 0, 2, 8, 16, 1}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(DeclTree, TypedefOfTypedefGivesFinalTargetAndFirstDefinitionWins) {
    TypedefList list;
    list.Add("U16", "short", 0, 0, 0, 0);
    list.Add("WORD", "short", 0, 0, 0, 0);  // already resolved when made
    list.Add("U16", "long", 0, 0, 0, 1);
    Tree node = Member("v", "WORD", 0, 0, list.head);
    EXPECT_EQ(node->typeName, "short");
    EXPECT_EQ(node->isSigned, 0);
    char out[kTypeTextBufferSize] = "untouched";
    EXPECT_EQ(LookupTypedef("U16", out, list.head), 1);
    EXPECT_STREQ(out, "short");
    EXPECT_EQ(LookupTypedef("u16", out, list.head), 0);
    EXPECT_STREQ(out, "short");
    EXPECT_EQ(LookupTypedef("U16", out, nullptr), 0);
}

TEST(DeclTree, PointerTypedefMakesThePointerMember) {
    TypedefList list;
    list.Add("T", "T", 0, 0, 0, 1);
    list.Add("PT", "T", 1, 0, 0, 1);
    Tree viaPointer = Member("p", "PT", 0, 0, list.head);
    EXPECT_EQ(viaPointer->typeName, "T");
    EXPECT_EQ(viaPointer->isPointer, 1);
    Tree plain = Member("t", "T", 0, 0, list.head);
    EXPECT_EQ(plain->isPointer, 0);
    Tree ownStar = Member("q", "T", 0, 0, list.head, 1, 1);
    EXPECT_EQ(ownStar->isPointer, 1);
    EXPECT_EQ(TypedefPointerFlag("PT", list.head), 1);
    EXPECT_EQ(TypedefPointerFlag("nothing", list.head), 0);
}

TEST(DeclTree, StructureNodesIgnoreTypedefs) {
    TypedefList list;
    list.Add("S", "int", 0, 0, 0, 1);
    Tree node(NewDeclNode("S", "S", "S", 0, 0, 1, 1, kStructureNode, 0, list.head));
    EXPECT_EQ(node->typeName, "S");
    EXPECT_EQ(node->tag, "S");
    EXPECT_EQ(node->justification[0], '\0');
    EXPECT_EQ(node->firstChild, nullptr);
}

TEST(DeclTree, EmptyTypedefNameTakesTheTypeName) {
    TypedefList list;
    list.Add("", "point", 0, 0, 0, 1);
    ASSERT_NE(list.head, nullptr);
    EXPECT_EQ(list.head->name, "point");
    EXPECT_EQ(list.head->label, "");
    EXPECT_EQ(LastTypedefEntry(nullptr), nullptr);
}

TEST(DeclTree, SetDeclFieldSetsTextsAndNumbers) {
    Tree node = Member("a", "int", 0, 0, nullptr);
    SetDeclField(kFieldName, "renamed", node.get());
    SetDeclField(kFieldTypeName, "long", node.get());
    SetDeclField(kFieldRepeatCount, "12", node.get());
    SetDeclField(kFieldLength, "", node.get());  // empty text: unchanged
    SetDeclField(kFieldSigned, "0", node.get());
    SetDeclField(kFieldLevel, "3", node.get());
    SetDeclField(kFieldKind, "2", node.get());
    SetDeclField(99, "ignored", node.get());
    EXPECT_EQ(node->name, "renamed");
    EXPECT_EQ(node->typeName, "long");
    EXPECT_EQ(node->repeatCount, 12);
    EXPECT_EQ(node->length, 0);
    EXPECT_EQ(node->isSigned, 0);
    EXPECT_EQ(node->level, 3);
    EXPECT_EQ(node->kind, 2);
}

TEST(DeclTree, FindLastAtLevelDescendsThroughLastChildren) {
    // s1 { a; inner { b; c; } }   followed by s2 at level 1
    Tree s1(NewDeclNode("s1", "s1", "s1", 0, 0, 1, 1, kStructureNode, 0, nullptr));
    DeclNode* a = NewDeclNode("a", "", "int", 0, 0, 1, 2, kMemberNode, 0, nullptr);
    DeclNode* inner = NewDeclNode("inner", "inner", "inner", 0, 0, 1, 2, kStructureNode, 0, nullptr);
    DeclNode* b = NewDeclNode("b", "", "int", 0, 0, 1, 3, kMemberNode, 0, nullptr);
    DeclNode* c = NewDeclNode("c", "", "int", 0, 0, 1, 3, kMemberNode, 0, nullptr);
    s1->firstChild = a;
    a->nextSibling = inner;
    inner->firstChild = b;
    b->nextSibling = c;
    EXPECT_EQ(FindLastAtLevel(s1.get(), 1), s1.get());
    EXPECT_EQ(FindLastAtLevel(s1.get(), 2), inner);
    EXPECT_EQ(FindLastAtLevel(s1.get(), 3), c);
    EXPECT_EQ(FindLastAtLevel(s1.get(), 4), c);  // no deeper node: the last one reached
    Tree empty(NewDeclNode("e", "e", "e", 0, 0, 1, 1, kStructureNode, 0, nullptr));
    EXPECT_EQ(FindLastAtLevel(empty.get(), 2), empty.get());
}

TEST(DeclTree, RetargetAndResolve) {
    TypedefList list;
    list.Add("A", "tagA", 0, 0, 0, 1);
    list.Add("B", "tagA", 0, 0, 0, 1);
    list.Add("C", "int", 0, 0, 0, 1);
    EXPECT_EQ(RetargetTypedefs("tagA", "A", list.head), 2);
    EXPECT_EQ(list.head->typeName, "A");

    Tree top(NewDeclNode("s", "s", "s", 0, 0, 1, 1, kStructureNode, 0, nullptr));
    DeclNode* m1 = NewDeclNode("m1", "", "B", 0, 0, 1, 2, kMemberNode, 0, nullptr);
    DeclNode* nested = NewDeclNode("n", "n", "C", 0, 0, 1, 2, kStructureNode, 0, nullptr);
    DeclNode* m2 = NewDeclNode("m2", "", "C", 0, 0, 1, 3, kMemberNode, 0, nullptr);
    DeclNode* m3 = NewDeclNode("m3", "", "unknown", 0, 0, 1, 2, kMemberNode, 0, nullptr);
    top->firstChild = m1;
    m1->nextSibling = nested;
    nested->firstChild = m2;
    nested->nextSibling = m3;
    ResolveTypedefNames(top.get(), list.head);
    EXPECT_EQ(m1->typeName, "A");
    EXPECT_EQ(nested->typeName, "int");
    EXPECT_EQ(m2->typeName, "int");
    EXPECT_EQ(m3->typeName, "unknown");
}

TEST(DeclTree, FreesLongChainsAndTheProcessWideRoot) {
    DeclNode* top = NewDeclNode("s", "s", "s", 0, 0, 1, 1, kStructureNode, 0, nullptr);
    DeclNode* last = nullptr;
    for (int i = 0; i < 200000; ++i) {
        DeclNode* m = NewDeclNode("m", "", "int", 0, 0, 1, 2, kMemberNode, 0, nullptr);
        if (last != nullptr)
            last->nextSibling = m;
        else
            top->firstChild = m;
        last = m;
    }
    DeclNode* deep = top;
    for (int i = 0; i < 100000; ++i) {
        while (deep->nextSibling != nullptr) deep = deep->nextSibling;
        deep->nextSibling = NewDeclNode("d", "d", "d", 0, 0, 1, 1, kStructureNode, 0, nullptr);
        deep = deep->nextSibling;
        deep->firstChild = NewDeclNode("x", "", "int", 0, 0, 1, 2, kMemberNode, 0, nullptr);
    }
    DeclTreeRoot() = top;
    EXPECT_EQ(FreeDeclTree(nullptr), 1);
    EXPECT_EQ(DeclTreeRoot(), nullptr);
}

}  // namespace
}  // namespace cimp
