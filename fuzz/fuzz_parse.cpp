// The scanner, the grammar and the tree builder on arbitrary preprocessed
// text; after each parse the tree and the typedef list must hold: every node
// reachable once, each level one below its parent's, texts of at most 255
// characters without NUL, and a typedef list that ends.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cimp/parse/parse_session.h"
#include "work_dir.h"

namespace {

void Fail(const char* what, const std::string& text) {
    std::fprintf(stderr, "broken invariant: %s: %.300s\n", what, text.c_str());
    std::abort();
}

void CheckText(const std::string& text) {
    if (text.size() > 255) Fail("text longer than 255 characters", text);
    if (text.find('\0') != std::string::npos) Fail("NUL inside a text", text);
}

void CheckTree(const cimp::DeclNode* root) {
    std::set<const cimp::DeclNode*> seen;
    std::vector<std::pair<const cimp::DeclNode*, int32_t>> pending = {{root, 1}};
    while (!pending.empty()) {
        auto [node, level] = pending.back();
        pending.pop_back();
        for (; node != nullptr; node = node->nextSibling) {
            if (!seen.insert(node).second) Fail("node reached twice", node->name);
            if (node->level != level) Fail("level not one below the parent's", node->name);
            for (const std::string* text : {&node->name, &node->tag, &node->typeName})
                CheckText(*text);
            pending.emplace_back(node->firstChild, level + 1);
        }
    }
}

void CheckTypedefs(const cimp::TypedefEntry* head) {
    std::set<const cimp::TypedefEntry*> seen;
    for (const cimp::TypedefEntry* entry = head; entry != nullptr; entry = entry->next) {
        if (!seen.insert(entry).second) Fail("typedef list runs in a circle", entry->name);
        for (const std::string* text : {&entry->name, &entry->typeName, &entry->label})
            CheckText(*text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterWorkDir("parse");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    cimp::TextFile diagnostics;
    if (!diagnostics.Open("errorfile.err", cimp::TextFile::Mode::kWrite)) std::abort();
    cimp::ParsedDeclarations parsed;
    cimp::parse::StringScanInput input(text);
    try {
        cimp::parse::ParseSession session(input, nullptr, diagnostics, &parsed.typedefs);
        session.Run();
        session.ResolveTypedefNames();
        parsed.root = session.TakeRoot();
    } catch (const cimp::parse::ScanError&) {
    } catch (const std::bad_alloc&) {
    }
    CheckTree(parsed.root);
    CheckTypedefs(parsed.typedefs);
    return 0;
}
