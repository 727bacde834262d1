#include "cimp/cpp/include.h"

#include <memory>
#include <utility>

#include "cimp/cpp/diagnostics.h"
#include "cimp/cpp/directives.h"
#include "cimp/cpp/expand.h"
#include "cimp/cpp/preprocessor.h"
#include "cimp/text_file.h"

namespace cimp::cpp {

bool PpIncludeList::AddDirectory(const char* directory) {
    if (nextSlot_ < 0) return false;
    PpIncludeSlot& slot = slots_[nextSlot_--];
    slot.used = true;
    slot.directory = directory;
    return true;
}

void PpIncludeList::SetMainDirectory(std::string directory) {
    PpIncludeSlot& slot = slots_[kPpMainDirectorySlot];
    slot.used = true;
    slot.forQuotedOnly = true;
    slot.directory = std::move(directory);
}

void PpIncludeList::DeleteAdded() {
    for (int i = kPpMainDirectorySlot - 1; i > nextSlot_; --i) slots_[i].deleted = true;
}

bool IsAbsoluteIncludeName(const std::string& name) {
    if (name.empty()) return false;
    if (name[0] == '/' || name[0] == '\\') return true;
    const char c = name[0];
    return name.size() >= 2 && name[1] == ':' && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
}

namespace {

struct IncludeName {
    std::string name;
    bool quoted = false;
};

// The file name of the directive, with current left on the token after it;
// false on a syntax error.
bool ReadIncludeName(const PpTokenRow& row, const PpToken*& t, IncludeName& out) {
    if (t->kind == PpKind::String) {
        const std::size_t inner = t->length >= 2 ? t->length - 2 : 0;
        out.name.assign(t->text + 1, inner < kPpMaxQuotedName ? inner : kPpMaxQuotedName);
        out.quoted = true;
        ++t;
        return true;
    }
    if (t->kind != PpKind::Less) return false;
    for (++t; t < row.limit && t->kind != PpKind::Greater; ++t) {
        if (IsLineEnd(t->kind)) return false;
        out.name.append(t->text, t->length);
        if (out.name.size() >= kPpMaxAngleName) return false;
    }
    if (t == row.limit) return false;
    ++t;
    return true;
}

std::unique_ptr<PpInput> OpenInclude(const std::string& path) {
    auto file = std::make_unique<TextFile>();
    if (!file->Open(path.c_str(), TextFile::Mode::kRead)) return nullptr;
    return std::make_unique<TextFileInput>(std::move(file));
}

// Searches the include list from its last slot down; path gets the name of
// the file opened.
std::unique_ptr<PpInput> SearchInclude(const PpIncludeList& list, const IncludeName& include, std::string& path) {
    if (IsAbsoluteIncludeName(include.name)) {
        path = include.name;
        return OpenInclude(path);
    }
    for (int i = kPpIncludeSlots - 1; i >= 0; --i) {
        const PpIncludeSlot& slot = list.Slot(i);
        if (!slot.used || slot.deleted || (slot.forQuotedOnly && !include.quoted) ||
            slot.directory.size() + include.name.size() + 2 > kPpMaxIncludePath) {
            continue;
        }
        path = slot.directory + "/" + include.name;
        if (auto input = OpenInclude(path)) return input;
    }
    return nullptr;
}

}  // namespace

void DoInclude(Preprocessor& pre, PpTokenRow& row) {
    PpState& pp = pre.pp;
    ++row.current;
    if (row.current < row.limit && row.current->kind != PpKind::String && row.current->kind != PpKind::Less) {
        const auto offset = row.current - row.base;
        ExpandRow(pp, row, "<include>");
        row.current = row.base + offset;
    }
    const PpToken* t = row.current;
    IncludeName include;
    if (t >= row.limit || !ReadIncludeName(row, t, include) || t >= row.limit || !IsLineEnd(t->kind) ||
        include.name.empty()) {
        ReportDiag(pp.diag, kPpError, "Syntax error in #include");
        return;
    }
    std::string path;
    std::unique_ptr<PpInput> input = SearchInclude(pre.includes, include, path);
    if (input == nullptr) {
        row.current = row.base + 2;
        ReportDiag(pp.diag, kPpError, "Could not find include file %r", row);
        return;
    }
    if (pre.dependencyLevel >= 2 || (pre.dependencyLevel == 1 && include.quoted)) pre.output.WriteDependency(path);
    if (++pre.includeDepth > kPpMaxIncludeDepth) ReportDiag(pp.diag, kPpFatal, "#include too deeply nested");
    PushSource(pp, path, std::move(input));
    pre.output.EmitLineMarker(pp);
}

}  // namespace cimp::cpp
