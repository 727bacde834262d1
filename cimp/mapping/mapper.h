// The repository mapping of one import: turns the declaration tree into
// Types, Elements and Lengths through the repository calls.  One Mapper lives
// for one ImportStructures call; its operations are spread over one source
// file per concern (walk, attributes, Types, comparison, Elements, Lengths,
// simple types).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cimp/import_context.h"
#include "cimp/parse/decl_tree.h"
#include "tksbeapi.h"

namespace cimp::mapping {

// Numbered names tried for one conflicting name (name_1 to name_99).
constexpr int32_t kMaxCandidates = 99;
// The mapping's own failure code (repository codes pass through unchanged).
constexpr int32_t kMappingFailure = -1;

// Physical type classes that the base type classification stores in DeclNode.
enum PhysicalClass : int32_t {
    kClassInteger = 1,
    kClassFloat = 2,
    kClassString = 3,
    kClassBinary = 4,
    kClassCompound = 7,
};

// DeclNode::isSigned when signedness does not apply.
constexpr int32_t kSignNotApplicable = -1;

class Mapper {
public:
    explicit Mapper(ImportContext& context);
    Mapper(const Mapper&) = delete;
    Mapper& operator=(const Mapper&) = delete;

    // Structure walk.
    int32_t ImportAll(DeclNode* root);
    int32_t WalkStructure(DeclNode& node, bool& anythingCreated);
    int32_t InsertMember(TKSHandle elementHandle, DeclNode& member, TKSHandle typeHandle, DeclNode& parent);

    // Member attributes.
    int32_t SetMemberAttributes(TKSHandle elementHandle, const DeclNode* member, TKSHandle typeHandle,
                                const DeclNode* parent);
    bool CheckAttributeResult(const char* attributeName, int32_t code);

    // Types.
    int32_t CreateType(DeclNode& structure, bool& anythingCreated);
    int32_t CreateRenamedType(DeclNode& structure, TypeDetails& record, bool& anythingCreated);
    static bool ChildrenComplete(const DeclNode& structure);
    int32_t RollBackElements(const DeclNode& structure);

    // Comparison with an existing Type.
    int32_t CompareTypeMembers(const DeclNode& structure, TKSHandle type, bool& same);
    int32_t CompareMember(const DeclNode& member, TKSHandle type, TKSHandle memberHandle, bool& same);

    // Elements.
    bool IsImportable(const DeclNode& member);
    void ClassifyBaseType(DeclNode& member) const;
    int32_t CreateElement(DeclNode& member, bool& anythingCreated);
    int32_t CreateRenamedElement(DeclNode& member, ElementDetails& record, bool& anythingCreated);

    // Lengths.
    int32_t CreateLength(const std::string& base, int32_t value, TKSHandle& handle, bool& anythingCreated,
                         const std::string& renamedFrom);
    int32_t ExistingLengthValue(const std::string& base);
    bool AssignStringLength(DeclNode& member, ElementDetails& element, bool& anythingCreated,
                            const std::string& upperName);

    // Simple Types and the default character Length.
    bool LoadSimpleTypes();

private:
    // Sends an "Error: " line, given whole or in pieces, and counts it.
    template <typename... Pieces>
    void Error(const Pieces&... pieces) {
        ctx_.sink.Send(pieces...);
        ++ctx_.errorCount;
    }
    // True when name fits a record's name field; else reports and counts it.
    bool NameFits(const std::string& name);
    // Reads one membership attribute into value_ (emptied first).
    int32_t ReadAttribute(TKSHandle type, TKSHandle member, const char* attributeName);
    TKSHandle ElementTypeFor(const DeclNode& member);
    void RefuseMember(DeclNode& member);
    void NoteCreatedElement(DeclNode& member, TKSHandle handle, const ElementDetails& record,
                            bool& anythingCreated);
    void NoteCreatedType(DeclNode& structure, TKSHandle handle, bool& anythingCreated);
    void UseExistingType(DeclNode& structure, TKSHandle found, const std::string& typeName);
    int32_t FinishStructure(DeclNode& node, bool& anythingCreated);
    void AfterChild(DeclNode& node, DeclNode& child, int32_t childResult, bool& anythingCreated);

    ImportContext& ctx_;
    std::vector<char> value_;  // the attribute value buffer shared by every read
};

}  // namespace cimp::mapping
