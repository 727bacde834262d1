// The tree builder: runs on every token the parser fetches and builds the
// declaration tree and the typedef list from the token sequence alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "cimp/parse/builder_text.h"
#include "cimp/parse/decl_tree.h"
#include "cimp/parse/typedef_index.h"

namespace cimp::parse {

class TreeBuilder {
public:
    explicit TreeBuilder(TypedefIndex& typedefs) : typedefs_(typedefs) {}
    ~TreeBuilder();  // frees a tree that was not taken
    TreeBuilder(const TreeBuilder&) = delete;
    TreeBuilder& operator=(const TreeBuilder&) = delete;

    void OnToken(int32_t code, std::string_view text);

    DeclNode* Root() const { return root_; }
    // The node made last (null before the first); a caller that feeds the
    // tokens itself learns from it at which token each node was made.
    const DeclNode* LastMade() const { return lastMade_; }
    // Hands the tree over to the caller.
    DeclNode* TakeRoot();

private:
    // Tokens the builder does not look at: parameter lists, array bounds,
    // union or enum bodies and initialisers outside structure bodies.
    bool Skips(int32_t code, std::string_view text);
    bool OpensParameterList(int32_t code) const;
    bool OpensHiddenBody(int32_t code) const;
    void OnBracketToken(int32_t code, std::string_view text);
    void AddDimension(int32_t value);
    bool IsCharacterType() const;

    void Record(int32_t code, std::string_view text);
    void ApplyRules(int32_t code);
    bool TypedefDeclarator(int32_t code);
    bool TypedefWithoutDeclarator(int32_t code);
    bool FileScopeBody(int32_t code);
    bool StructureTypeMember(int32_t code);
    bool StructureDeclarator(int32_t code);
    void MemberOrNesting(int32_t code);

    void ClearTokenBuffers();
    void ClearDeclarator();
    void AppendTypedef(const char* name, const char* typeName, int32_t isPointer);
    DeclNode* NewMember(const char* name, const char* typeName, int32_t level);
    DeclNode* NewStructure(int32_t repeatCount, int32_t length, int32_t level);
    DeclNode* InsertionPoint();
    DeclNode* LastOfChain(std::size_t step, DeclNode* start);
    void LinkAtFileScope(DeclNode* node);
    const TypedefEntry* FindTypedef(std::string_view name) const { return typedefs_.Find(name); }

    TypedefIndex& typedefs_;
    DeclNode* root_ = nullptr;
    DeclNode* currentTop_ = nullptr;
    const DeclNode* lastMade_ = nullptr;
    // The last node found on each chain of the latest insertion point's
    // descent, by step.
    struct ChainEnd {
        DeclNode* start = nullptr;
        DeclNode* last = nullptr;
    };
    std::vector<ChainEnd> chainEnds_;

    bool sawStruct_ = false;
    bool inTypedef_ = false;
    bool inStructBody_ = false;
    bool afterBrace_ = false;
    bool declaratorSeen_ = false;
    int32_t depth_ = 0;
    int32_t lastLevel_ = 0;

    int32_t pendingRepeat_ = 0;
    int32_t pendingLength_ = 0;
    int32_t pendingSigned_ = 1;
    int32_t pendingPointer_ = 0;

    BuilderText identText_;
    BuilderText typeText_;
    BuilderText numberText_;

    // Nesting of the skipped regions and the two tokens fetched before this one.
    int32_t bracketDepth_ = 0;
    int32_t parameterDepth_ = 0;
    int32_t hiddenBraceDepth_ = 0;
    int32_t previous_ = 0;
    int32_t beforePrevious_ = 0;
};

}  // namespace cimp::parse
