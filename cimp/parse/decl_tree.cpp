#include "cimp/parse/decl_tree.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace cimp {
namespace {

DeclNode* g_root = nullptr;

const char* TextOrEmpty(const char* text) { return text != nullptr ? text : ""; }

// A new record filled by fill; on running out of memory the message goes to
// standard output and the result is null.
template <typename Record, typename Fill>
Record* NewRecord(Fill fill) {
    try {
        auto record = std::make_unique<Record>();
        fill(*record);
        return record.release();
    } catch (const std::bad_alloc&) {
        std::fputs("Running short on memory...\n", stdout);
        return nullptr;
    }
}

DeclNode* LastSibling(DeclNode* node) {
    while (node->nextSibling != nullptr) node = node->nextSibling;
    return node;
}

int32_t MaxOfOne(int32_t value) { return value > 1 ? value : 1; }

}  // namespace

DeclNode*& DeclTreeRoot() { return g_root; }

DeclNode* NewDeclNode(const char* name, const char* tag, const char* typeName, int32_t repeatCount,
                      int32_t length, int32_t isSigned, int32_t level, int32_t kind, int32_t isPointer,
                      const TypedefEntry* typedefs) {
    return NewRecord<DeclNode>([&](DeclNode& node) {
        node.name = TextOrEmpty(name);
        node.tag = TextOrEmpty(tag);
        const TypedefEntry* entry =
            kind == kMemberNode && typedefs != nullptr ? FindTypedef(TextOrEmpty(typeName), typedefs) : nullptr;
        if (entry != nullptr) {
            node.typeName = entry->typeName;
            ApplyTypedefDimensions(*entry, &repeatCount, &length, &isSigned);
            // A member declared through a pointer typedef is itself a pointer.
            if (entry->isPointer != 0) isPointer = 1;
        } else {
            node.typeName = TextOrEmpty(typeName);
        }
        node.repeatCount = repeatCount;
        node.length = length;
        node.isSigned = isSigned;
        node.level = level;
        node.kind = kind;
        node.isPointer = isPointer;
    });
}

DeclNode* FindLastAtLevel(DeclNode* currentTop, int32_t level) {
    DeclNode* node = currentTop;
    if (node == nullptr) return nullptr;
    while (node->level != level) {
        node = LastSibling(node);
        if (node->firstChild == nullptr) return node;
        node = node->firstChild;
    }
    return LastSibling(node);
}

void SetDeclField(int32_t selector, const char* text, DeclNode* node) {
    if (node == nullptr) return;
    const char* value = TextOrEmpty(text);
    switch (selector) {
        case kFieldName: node->name = value; return;
        case kFieldTag: node->tag = value; return;
        case kFieldTypeName: node->typeName = value; return;
        default: break;
    }
    if (*value == '\0') return;
    const auto number = static_cast<int32_t>(std::strtol(value, nullptr, 10));
    switch (selector) {
        case kFieldRepeatCount: node->repeatCount = number; break;
        case kFieldLength: node->length = number; break;
        case kFieldSigned: node->isSigned = number; break;
        case kFieldLevel: node->level = number; break;
        case kFieldKind: node->kind = number; break;
        default: break;
    }
}

TypedefEntry* NewTypedefEntry(const char* name, const char* typeName, int32_t isPointer, const char*,
                              int32_t length, int32_t repeatCount, int32_t isSigned) {
    // Entries always carry an empty label.
    return NewRecord<TypedefEntry>([&](TypedefEntry& entry) {
        entry.typeName = TextOrEmpty(typeName);
        entry.name = *TextOrEmpty(name) != '\0' ? std::string(name) : entry.typeName;
        entry.isPointer = isPointer;
        entry.repeatCount = repeatCount;
        entry.length = length;
        entry.isSigned = isSigned;
    });
}

TypedefEntry* LastTypedefEntry(TypedefEntry* head) {
    if (head == nullptr) return nullptr;
    while (head->next != nullptr) head = head->next;
    return head;
}

const TypedefEntry* FindTypedef(const char* name, const TypedefEntry* head) {
    if (name == nullptr) return nullptr;
    for (const TypedefEntry* e = head; e != nullptr; e = e->next)
        if (e->name == name) return e;
    return nullptr;
}

int LookupTypedef(const char* name, char* out, const TypedefEntry* head) {
    const TypedefEntry* entry = FindTypedef(name, head);
    if (entry == nullptr) return 0;
    if (out != nullptr) {
        // The caller's buffer holds kTypeTextBufferSize bytes; longer texts are cut.
        const std::size_t n = entry->typeName.size() < kTypeTextBufferSize - 1 ? entry->typeName.size()
                                                                                : kTypeTextBufferSize - 1;
        std::memcpy(out, entry->typeName.data(), n);
        out[n] = '\0';
    }
    return 1;
}

int32_t TypedefPointerFlag(const char* name, const TypedefEntry* head) {
    const TypedefEntry* entry = FindTypedef(name, head);
    return entry != nullptr ? entry->isPointer : 0;
}

void ApplyTypedefDimensions(const TypedefEntry& entry, int32_t* repeatCount, int32_t* length, int32_t* isSigned) {
    int32_t& r = *repeatCount;
    int32_t& l = *length;
    const int32_t m = MaxOfOne(entry.repeatCount);
    if (entry.isSigned == 0) *isSigned = 0;
    if (r > 0 && l > 0) {
        if (entry.length != 0) {
            r = l * r * m;
            l = entry.length;
        }
    } else if (r == 0 && l >= 1) {
        if (entry.repeatCount != 0 || entry.length != 0) {
            r = l * m;
            l = entry.length;
        }
    } else if (r > 0 && l == 0) {
        r = r * m;
    } else {
        r = entry.repeatCount;
        l = entry.length;
    }
}

int RetargetTypedefs(const char* from, const char* to, TypedefEntry* head) {
    if (from == nullptr || to == nullptr) return 0;
    int replaced = 0;
    for (TypedefEntry* e = head; e != nullptr; e = e->next) {
        if (e->typeName == from) {
            e->typeName = to;
            ++replaced;
        }
    }
    return replaced;
}

void ResolveTypedefNames(DeclNode* first, const TypedefEntry* head) {
    // Depth first in source order without recursion: the stack holds the
    // siblings still to visit after a child chain.
    std::vector<DeclNode*> pending;
    DeclNode* node = first;
    while (node != nullptr || !pending.empty()) {
        if (node == nullptr) {
            node = pending.back();
            pending.pop_back();
            continue;
        }
        const TypedefEntry* entry = FindTypedef(node->typeName.c_str(), head);
        if (entry != nullptr && entry->typeName != node->typeName)
            SetDeclField(kFieldTypeName, entry->typeName.c_str(), node);
        if (node->firstChild != nullptr) {
            if (node->nextSibling != nullptr) pending.push_back(node->nextSibling);
            node = node->firstChild;
        } else {
            node = node->nextSibling;
        }
    }
}

int FreeDeclTree(DeclNode* node) {
    if (node == nullptr) {
        node = g_root;
        g_root = nullptr;
    }
    // Iterative: long sibling chains and deep nesting never grow the call stack.
    std::vector<DeclNode*> pending;
    if (node != nullptr) pending.push_back(node);
    while (!pending.empty()) {
        DeclNode* n = pending.back();
        pending.pop_back();
        if (n->firstChild != nullptr) pending.push_back(n->firstChild);
        if (n->nextSibling != nullptr) pending.push_back(n->nextSibling);
        if (n == g_root) g_root = nullptr;
        delete n;
    }
    return 1;
}

void FreeTypedefList(TypedefEntry* head) {
    while (head != nullptr) {
        TypedefEntry* next = head->next;
        delete head;
        head = next;
    }
}

ParsedDeclarations::~ParsedDeclarations() {
    if (root != nullptr) FreeDeclTree(root == g_root ? nullptr : root);
    g_root = nullptr;
    FreeTypedefList(typedefs);
}

}  // namespace cimp
