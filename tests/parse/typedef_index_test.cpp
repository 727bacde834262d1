// The typedef index answers as the list functions over the same list do.
#include "cimp/parse/typedef_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parse_fixture.h"

namespace cimp::parse {
namespace {

struct Step {
    std::string name;  // empty with a retarget
    std::string type;  // the entry's type, or the retarget's "from"
    std::string to;    // the retarget's "to"
};

const std::vector<Step> kSteps{
    {"a", "int", ""},   {"b", "tag", ""},  {"c", "tag", ""}, {"", "tag", "name"}, {"a", "long", ""},
    {"d", "name", ""},  {"", "name", "x"}, {"", "x", "x"},   {"", "none", "y"},   {"e", "x", ""},
};

// The same steps through the list functions and through the index.
void Build(TypedefEntry*& listHead, TypedefEntry*& indexedHead, std::vector<int>& listCounts,
           std::vector<int>& indexCounts) {
    TypedefIndex index(&indexedHead);
    for (const Step& step : kSteps) {
        if (step.name.empty()) {
            listCounts.push_back(RetargetTypedefs(step.type.c_str(), step.to.c_str(), listHead));
            indexCounts.push_back(index.Retarget(step.type, step.to));
            continue;
        }
        TypedefEntry* entry = NewTypedefEntry(step.name.c_str(), step.type.c_str(), 0, "", 0, 0, 1);
        if (listHead == nullptr) {
            listHead = entry;
        } else {
            LastTypedefEntry(listHead)->next = entry;
        }
        index.Append(NewTypedefEntry(step.name.c_str(), step.type.c_str(), 0, "", 0, 0, 1));
    }
}

TEST(TypedefIndex, RetargetsAsTheListDoes) {
    TypedefEntry* listHead = nullptr;
    TypedefEntry* indexedHead = nullptr;
    std::vector<int> listCounts, indexCounts;
    Build(listHead, indexedHead, listCounts, indexCounts);
    EXPECT_EQ(test::DescribeTypedefs(indexedHead), test::DescribeTypedefs(listHead));
    EXPECT_EQ(test::DescribeTypedefs(indexedHead), "a=int, b=x, c=x, a=long, d=x, e=x");
    EXPECT_EQ(indexCounts, listCounts);
    FreeTypedefList(listHead);
    FreeTypedefList(indexedHead);
}

TEST(TypedefIndex, FindsTheFirstEntryOfAName) {
    TypedefEntry* head = NewTypedefEntry("early", "char", 0, "", 0, 0, 1);
    TypedefIndex index(&head);
    index.Append(NewTypedefEntry("a", "int", 0, "", 0, 0, 1));
    index.Append(NewTypedefEntry("a", "long", 0, "", 0, 0, 1));
    index.Append(nullptr);
    ASSERT_NE(index.Find("a"), nullptr);
    EXPECT_EQ(index.Find("a")->typeName, "int");
    EXPECT_EQ(index.Find("early")->typeName, "char");
    EXPECT_EQ(index.Find("b"), nullptr);
    EXPECT_EQ(test::DescribeTypedefs(head), "early=char, a=int, a=long");
    FreeTypedefList(head);
}

TEST(TypedefIndex, ManyNames) {
    TypedefEntry* head = nullptr;
    TypedefIndex index(&head);
    for (int i = 0; i < 5000; ++i) index.Append(NewTypedefEntry(("n" + std::to_string(i)).c_str(), "int", 0, "", 0, 0, 1));
    for (int i = 0; i < 5000; ++i) EXPECT_TRUE(index.Contains("n" + std::to_string(i)));
    EXPECT_FALSE(index.Contains("n5000"));
    FreeTypedefList(head);
}

// A small tree of structures, members and a nested structure.
DeclNode* SampleTree() {
    DeclNode* root = NewDeclNode("S", "S", "S", 0, 0, 1, 1, kStructureNode, 0, nullptr);
    root->firstChild = NewDeclNode("a", "", "T", 0, 0, 1, 2, kMemberNode, 0, nullptr);
    root->firstChild->nextSibling = NewDeclNode("n", "n", "tag", 0, 0, 1, 2, kStructureNode, 0, nullptr);
    root->firstChild->nextSibling->firstChild = NewDeclNode("b", "", "U", 0, 0, 1, 3, kMemberNode, 0, nullptr);
    root->firstChild->nextSibling->nextSibling = NewDeclNode("c", "", "int", 0, 0, 1, 2, kMemberNode, 0, nullptr);
    root->nextSibling = NewDeclNode("v", "", "tag", 0, 0, 1, 1, kMemberNode, 0, nullptr);
    return root;
}

TEST(TypedefIndex, ResolvesTheTreeAsTheListDoes) {
    TypedefEntry* head = nullptr;
    TypedefIndex index(&head);
    for (const auto& [name, type] : std::vector<std::pair<const char*, const char*>>{
             {"T", "long"}, {"tag", "real"}, {"U", "U"}, {"T", "char"}}) {
        index.Append(NewTypedefEntry(name, type, 0, "", 0, 0, 1));
    }
    DeclNode* byIndex = SampleTree();
    DeclNode* byList = SampleTree();
    index.ResolveTypeNames(byIndex);
    ResolveTypedefNames(byList, head);
    EXPECT_EQ(test::DescribeTree(byIndex), test::DescribeTree(byList));
    EXPECT_EQ(test::DescribeTree(byIndex), "S<S>:S{a:long; n<n>:real{b:U}; c:int} | v:real");
    FreeDeclTree(byIndex);
    FreeDeclTree(byList);
    FreeTypedefList(head);
}

}  // namespace
}  // namespace cimp::parse
