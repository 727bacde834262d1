// The declaration tree handed from the parser to the repository mapping, and
// the typedef list beside it.
#pragma once

#include <cstdint>
#include <string>

namespace cimp {

enum DeclKind : int32_t { kMemberNode = 1, kStructureNode = 2 };

struct DeclNode {
    std::string name;      // structure: tag, later its first declarator; member: declarator name
    std::string tag;       // structure: the tag at creation; member: empty
    std::string typeName;  // member: declared type text (typedefs resolved); structure: tag / declarator
    int32_t repeatCount = 0;
    int32_t length = 0;
    int32_t isSigned = 1;
    char justification[4] = {};
    int32_t level = 0;
    int32_t kind = kMemberNode;
    int32_t isPointer = 0;
    int32_t elementCreated = 0;
    int32_t typeCreated = 0;
    char physicalTypeCode[4] = {};
    int32_t physicalType = 0;
    int32_t typeHandle = 0;
    int32_t elementHandle = 0;
    int32_t lengthHandle = 0;
    DeclNode* firstChild = nullptr;
    DeclNode* nextSibling = nullptr;
};

struct TypedefEntry {
    std::string name;
    std::string typeName;  // already resolved through earlier entries
    int32_t isPointer = 0;
    int32_t repeatCount = 0;
    int32_t length = 0;
    int32_t isSigned = 1;
    int32_t reserved = 0;
    std::string label;
    TypedefEntry* next = nullptr;
};

// Selectors of SetDeclField.
enum DeclField : int32_t {
    kFieldName = 1,
    kFieldTag = 2,
    kFieldTypeName = 3,
    kFieldRepeatCount = 4,
    kFieldLength = 5,
    kFieldSigned = 6,
    kFieldLevel = 7,
    kFieldKind = 8,
};

// Size of the caller's buffer that LookupTypedef fills.
constexpr int kTypeTextBufferSize = 256;

// The process-wide tree root: set by the parser, freed by FreeDeclTree(nullptr).
DeclNode*& DeclTreeRoot();

DeclNode* NewDeclNode(const char* name, const char* tag, const char* typeName, int32_t repeatCount,
                      int32_t length, int32_t isSigned, int32_t level, int32_t kind, int32_t isPointer,
                      const TypedefEntry* typedefs);
DeclNode* FindLastAtLevel(DeclNode* currentTop, int32_t level);
void SetDeclField(int32_t selector, const char* text, DeclNode* node);

// An empty name takes the type name, so the entry is named after its type.
TypedefEntry* NewTypedefEntry(const char* name, const char* typeName, int32_t isPointer, const char* label,
                              int32_t length, int32_t repeatCount, int32_t isSigned);
TypedefEntry* LastTypedefEntry(TypedefEntry* head);
int LookupTypedef(const char* name, char* out, const TypedefEntry* head);
const TypedefEntry* FindTypedef(const char* name, const TypedefEntry* head);
int32_t TypedefPointerFlag(const char* name, const TypedefEntry* head);
void ApplyTypedefDimensions(const TypedefEntry& entry, int32_t* repeatCount, int32_t* length, int32_t* isSigned);
int RetargetTypedefs(const char* from, const char* to, TypedefEntry* head);
void ResolveTypedefNames(DeclNode* first, const TypedefEntry* head);
int FreeDeclTree(DeclNode* node);
void FreeTypedefList(TypedefEntry* head);

// Owns the tree and the typedef list of one parse and releases both on every
// way out, whether the tree is the process-wide root or not.
struct ParsedDeclarations {
    ParsedDeclarations() = default;
    ParsedDeclarations(const ParsedDeclarations&) = delete;
    ParsedDeclarations& operator=(const ParsedDeclarations&) = delete;
    ~ParsedDeclarations();

    DeclNode* root = nullptr;
    TypedefEntry* typedefs = nullptr;
};

}  // namespace cimp
