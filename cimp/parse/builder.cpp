#include "cimp/parse/builder.h"

#include <algorithm>
#include <limits>
#include <string>

#include "cimp/parse/tokens.h"

namespace cimp::parse {
namespace {

constexpr int32_t kMaxCount = std::numeric_limits<int32_t>::max();

bool IsName(int32_t code) { return code == TK_IDENTIFIER || code == TK_TYPEDEF_NAME; }
bool IsTagKeyword(int32_t code) { return code == TK_STRUCT || code == TK_UNION || code == TK_ENUM; }
bool IsUnionOrEnum(int32_t code) { return code == TK_UNION || code == TK_ENUM; }
bool EndsDeclarator(int32_t code) { return code == ';' || code == ','; }

// The decimal value of a constant's digits (a suffix is ignored), capped at
// the largest count.
int32_t DecimalValue(std::string_view text) {
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min<int64_t>(value * 10 + (c - '0'), kMaxCount);
    }
    return static_cast<int32_t>(value);
}

int32_t CappedProduct(int32_t a, int32_t b) {
    return static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(a) * b, kMaxCount));
}

// Links a node into a first-child or next-sibling slot.  A slot that is
// already taken keeps its chain and the node goes at the chain's end, so no
// node is ever dropped.
void Attach(DeclNode*& slot, DeclNode* node) {
    if (slot == nullptr) {
        slot = node;
        return;
    }
    DeclNode* last = slot;
    while (last->nextSibling != nullptr) last = last->nextSibling;
    last->nextSibling = node;
}

}  // namespace

TreeBuilder::~TreeBuilder() {
    if (root_ != nullptr) FreeDeclTree(root_);
}

DeclNode* TreeBuilder::TakeRoot() {
    DeclNode* root = root_;
    root_ = nullptr;
    currentTop_ = nullptr;
    lastMade_ = nullptr;
    chainEnds_.clear();  // the caller may free the nodes
    return root;
}

void TreeBuilder::OnToken(int32_t code, std::string_view text) {
    if (!Skips(code, text)) {
        Record(code, text);
        ApplyRules(code);
    }
    beforePrevious_ = previous_;
    previous_ = code;
}

// ---- Regions the builder does not look into ----

bool TreeBuilder::Skips(int32_t code, std::string_view text) {
    if (parameterDepth_ > 0) {
        if (code == '(') ++parameterDepth_;
        if (code == ')') --parameterDepth_;
        return true;
    }
    if (hiddenBraceDepth_ > 0) {
        if (code == '{') ++hiddenBraceDepth_;
        if (code == '}') --hiddenBraceDepth_;
        return true;
    }
    if (bracketDepth_ > 0 || code == '[' || code == ']') {
        OnBracketToken(code, text);
        return true;
    }
    if (OpensParameterList(code)) {
        parameterDepth_ = 1;
        return true;
    }
    if (OpensHiddenBody(code)) {
        hiddenBraceDepth_ = 1;
        return true;
    }
    return false;
}

// A '(' directly after a ')' or after a name that is not a tag.
bool TreeBuilder::OpensParameterList(int32_t code) const {
    if (code != '(') return false;
    return previous_ == ')' || (previous_ == TK_IDENTIFIER && !IsTagKeyword(beforePrevious_));
}

// The '{' of a union or enum specifier, or of an initialiser, while no
// structure body is open.
bool TreeBuilder::OpensHiddenBody(int32_t code) const {
    if (code != '{' || inStructBody_) return false;
    return previous_ == '=' || IsUnionOrEnum(previous_) || (IsName(previous_) && IsUnionOrEnum(beforePrevious_));
}

// Between '[' and its ']' only decimal constants count, each as a dimension.
void TreeBuilder::OnBracketToken(int32_t code, std::string_view text) {
    if (code == '[') {
        ++bracketDepth_;
    } else if (code == ']') {
        bracketDepth_ = std::max(bracketDepth_ - 1, 0);
    } else if (code == TK_INTEGER_CONSTANT) {
        numberText_.Assign(text);
        AddDimension(DecimalValue(numberText_.View()));
    }
}

void TreeBuilder::AddDimension(int32_t value) {
    if (!IsCharacterType()) {
        pendingRepeat_ = pendingRepeat_ == 0 ? value : CappedProduct(pendingRepeat_, value);
        return;
    }
    // A character array's last dimension is its length; earlier ones repeat.
    if (pendingLength_ != 0) {
        pendingRepeat_ = pendingRepeat_ == 0 ? pendingLength_ : CappedProduct(pendingRepeat_, pendingLength_);
    }
    pendingLength_ = value;
}

bool TreeBuilder::IsCharacterType() const {
    if (typeText_.Empty() || typeText_.Is("char")) return true;
    const TypedefEntry* entry = FindTypedef(typeText_.View());
    return entry != nullptr && entry->typeName == "char";
}

// ---- Recording ----

void TreeBuilder::Record(int32_t code, std::string_view text) {
    switch (code) {
    case '*':
        pendingPointer_ = 1;
        break;
    case TK_IDENTIFIER:
    case TK_TYPEDEF_NAME:
        identText_.Assign(text);
        break;
    case TK_INTEGER_CONSTANT:
        numberText_.Assign(text);
        break;
    case TK_UNSIGNED:
        pendingSigned_ = 0;
        [[fallthrough]];
    case TK_SIGNED:
        // Alone, unsigned and signed mean int; a later char, short or long wins.
        if (typeText_.Empty()) typeText_.Assign("int");
        break;
    case TK_DOUBLE:
        typeText_.Assign(typeText_.Is("long") ? "long double" : "double");
        break;
    case TK_INT:
        if (!typeText_.Is("short") && !typeText_.Is("long")) typeText_.Assign("int");
        break;
    case TK_LONG:
    case TK_CHAR:
    case TK_FLOAT:
    case TK_SHORT:
        typeText_.Assign(text);
        break;
    default:
        break;
    }
}

// ---- Rules: the first that applies is carried out ----

void TreeBuilder::ApplyRules(int32_t code) {
    switch (code) {
    case TK_STRUCT:
        sawStruct_ = true;
        ClearTokenBuffers();
        afterBrace_ = false;
        declaratorSeen_ = false;
        return;
    case TK_TYPEDEF:
        inTypedef_ = true;
        ClearTokenBuffers();
        afterBrace_ = false;
        declaratorSeen_ = false;
        sawStruct_ = false;
        return;
    case TK_IDENTIFIER:
    case TK_TYPEDEF_NAME:
        if (typeText_.Empty()) typeText_.Assign(identText_.View());
        return;
    case ';':
    case ',':
    case '{':
    case '}':
        break;
    default:
        return;  // the remaining rules look only at these four tokens
    }
    if (TypedefDeclarator(code) || TypedefWithoutDeclarator(code) || FileScopeBody(code) ||
        StructureTypeMember(code) || StructureDeclarator(code)) {
        return;
    }
    MemberOrNesting(code);
}

// A declarator of a file-scope typedef.
bool TreeBuilder::TypedefDeclarator(int32_t code) {
    if (!inTypedef_ || inStructBody_ || typeText_.Empty() || afterBrace_ || !EndsDeclarator(code)) return false;
    const TypedefEntry* target = FindTypedef(typeText_.View());
    if (target == nullptr) {
        AppendTypedef(identText_.CString(), typeText_.CString(), pendingPointer_);
    } else {
        ApplyTypedefDimensions(*target, &pendingRepeat_, &pendingLength_, &pendingSigned_);
        AppendTypedef(identText_.CString(), target->typeName.c_str(), pendingPointer_ == 1 ? 1 : target->isPointer);
    }
    sawStruct_ = false;
    if (code == ';') {
        ClearTokenBuffers();
        inTypedef_ = false;
    }
    ClearDeclarator();
    return true;
}

bool TreeBuilder::TypedefWithoutDeclarator(int32_t code) {
    if (!inTypedef_ || sawStruct_ || code != ';' || inStructBody_ || afterBrace_) return false;
    ClearTokenBuffers();
    inTypedef_ = false;
    return true;
}

// The '{' of a structure body at file scope.
bool TreeBuilder::FileScopeBody(int32_t code) {
    if (code != '{' || !sawStruct_ || depth_ != 0) return false;
    depth_ = 1;
    lastLevel_ = 1;
    inStructBody_ = true;
    const bool first = root_ == nullptr;
    DeclNode* node = NewStructure(first ? 0 : pendingRepeat_, first ? 0 : pendingLength_, 1);
    LinkAtFileScope(node);
    currentTop_ = node;
    ClearTokenBuffers();
    sawStruct_ = false;
    return true;
}

// A declarator whose type is a structure tag.
bool TreeBuilder::StructureTypeMember(int32_t code) {
    if (!EndsDeclarator(code) || !sawStruct_ || typeText_.Empty()) return false;
    if (DeclNode* parent = InsertionPoint()) {
        DeclNode* node = NewMember(identText_.CString(), typeText_.CString(), depth_ + 1);
        Attach(depth_ == lastLevel_ ? parent->firstChild : parent->nextSibling, node);
        lastLevel_ = depth_ + 1;
    }
    pendingSigned_ = 1;
    ClearDeclarator();
    if (code == ';') {
        ClearTokenBuffers();
        sawStruct_ = false;
    }
    return true;
}

// The declarators after a structure body's closing brace.
bool TreeBuilder::StructureDeclarator(int32_t code) {
    if (!afterBrace_ || sawStruct_ || !EndsDeclarator(code)) return false;
    DeclNode* body = identText_.Empty() ? nullptr : InsertionPoint();
    if (body != nullptr) {
        const std::string declarator(identText_.View());
        std::string name;
        std::string typeName;
        if (!declaratorSeen_) {
            name = body->name;
            typeName = declarator;
            SetDeclField(kFieldName, declarator.c_str(), body);
            SetDeclField(kFieldTypeName, declarator.c_str(), body);
            SetDeclField(kFieldRepeatCount, std::to_string(pendingRepeat_).c_str(), body);
            SetDeclField(kFieldLength, std::to_string(pendingLength_).c_str(), body);
            AppendTypedef(declarator.c_str(), declarator.c_str(), pendingPointer_);
        } else {
            name = declarator;
            typeName = body->typeName;
        }
        if (!declaratorSeen_ || (inTypedef_ && !inStructBody_)) {
            if (const TypedefEntry* earlier = FindTypedef(name)) typeName = earlier->typeName;
            AppendTypedef(name.c_str(), typeName.c_str(), pendingPointer_);
            typedefs_.Retarget(name, typeName);
        } else if (inStructBody_) {
            lastLevel_ = depth_ + 1;
            Attach(body->nextSibling, NewMember(declarator.c_str(), body->typeName.c_str(), lastLevel_));
        }
        declaratorSeen_ = true;
        ClearDeclarator();
    }
    if (code == ';') {
        ClearTokenBuffers();
        afterBrace_ = false;
        declaratorSeen_ = false;
        inTypedef_ = false;
    }
    return true;
}

// Members of an open structure body, nested bodies and closing braces.
void TreeBuilder::MemberOrNesting(int32_t code) {
    if (inStructBody_ && !sawStruct_ && EndsDeclarator(code) && depth_ <= lastLevel_) {
        const bool first = depth_ == lastLevel_;
        if (DeclNode* parent = InsertionPoint()) {
            lastLevel_ = depth_ + 1;
            Attach(first ? parent->firstChild : parent->nextSibling,
                   NewMember(identText_.CString(), typeText_.CString(), lastLevel_));
        }
        if (code == ';') ClearTokenBuffers();
        ClearDeclarator();
    } else if (code == '{' && sawStruct_) {
        if (lastLevel_ < depth_) return;
        if (DeclNode* parent = InsertionPoint()) {
            DeclNode* node = NewStructure(pendingRepeat_, pendingLength_, depth_ + 1);
            Attach(lastLevel_ == depth_ ? parent->firstChild : parent->nextSibling, node);
        }
        lastLevel_ = depth_ + 1;
        ClearTokenBuffers();
        sawStruct_ = false;
        ++depth_;
    } else if (code == '}' && inStructBody_) {
        afterBrace_ = true;
        ClearTokenBuffers();
        lastLevel_ = depth_;
        --depth_;
        if (depth_ == 0) inStructBody_ = false;
    }
}

// ---- Helpers ----

void TreeBuilder::ClearTokenBuffers() {
    identText_.Clear();
    typeText_.Clear();
    numberText_.Clear();
    pendingSigned_ = 1;
    ClearDeclarator();
}

// A declarator is done: the next one starts without dimensions or star.
void TreeBuilder::ClearDeclarator() {
    pendingRepeat_ = 0;
    pendingLength_ = 0;
    pendingPointer_ = 0;
}

void TreeBuilder::AppendTypedef(const char* name, const char* typeName, int32_t isPointer) {
    typedefs_.Append(NewTypedefEntry(name, typeName, isPointer, "", pendingLength_, pendingRepeat_,
                                     pendingSigned_));
}

// A member node; its type is looked up through the index, so NewDeclNode's own
// search starts at the entry it would find from the head.
DeclNode* TreeBuilder::NewMember(const char* name, const char* typeName, int32_t level) {
    const TypedefEntry* entry = FindTypedef(typeName);
    DeclNode* node = NewDeclNode(name, "", typeName, pendingRepeat_, pendingLength_, pendingSigned_, level,
                                 kMemberNode, pendingPointer_, entry);
    lastMade_ = node;
    return node;
}

// A structure node named after the last identifier (its tag, when it has one).
DeclNode* TreeBuilder::NewStructure(int32_t repeatCount, int32_t length, int32_t level) {
    const char* name = identText_.CString();
    DeclNode* node = NewDeclNode(name, name, name, repeatCount, length, pendingSigned_, level, kStructureNode,
                                 pendingPointer_, typedefs_.Head());
    lastMade_ = node;
    return node;
}

// The node after (or under) which the next node of lastLevel goes; null
// before the first file-scope structure.  This is FindLastAtLevel(currentTop_,
// lastLevel_): down the last siblings and their first children until a chain
// of that level, then its last node.  Chains only ever grow at their end, so
// each chain's walk resumes from the end found last time, and a structure of
// many members costs no more per member than a small one.
DeclNode* TreeBuilder::InsertionPoint() {
    DeclNode* node = currentTop_;
    if (node == nullptr) return nullptr;
    for (std::size_t step = 0;; ++step) {
        const bool atLevel = node->level == lastLevel_;
        node = LastOfChain(step, node);
        if (atLevel || node->firstChild == nullptr) return node;
        node = node->firstChild;
    }
}

// The last node of the chain from start, the chain met at that step of the
// descent.
DeclNode* TreeBuilder::LastOfChain(std::size_t step, DeclNode* start) {
    if (step == chainEnds_.size()) chainEnds_.push_back(ChainEnd{});
    ChainEnd& known = chainEnds_[step];
    DeclNode* last = known.start == start ? known.last : start;
    while (last->nextSibling != nullptr) last = last->nextSibling;
    known = ChainEnd{start, last};
    return last;
}

// A new file-scope structure goes after the last node of the file-scope chain
// (nodes linked after the current structure included).
void TreeBuilder::LinkAtFileScope(DeclNode* node) {
    if (root_ == nullptr) {
        root_ = node;
    } else {
        Attach((currentTop_ != nullptr ? currentTop_ : root_)->nextSibling, node);
    }
}

}  // namespace cimp::parse
