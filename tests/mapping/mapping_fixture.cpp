#include "mapping_fixture.h"

#include <cstdio>
#include <cstring>
#include <ostream>

#include "cimp/mapping/mapping.h"
#include "cimp/report.h"
#include "store_api.h"

namespace mapping_test {
namespace {

void Collect(void* context, const char* text) { static_cast<std::vector<std::string>*>(context)->push_back(text); }

std::string NameField(const char* field) { return std::string(field, strnlen(field, TKS_NAME_SIZE)); }

// Creates an object of kind named name from the default record, as fill changes it.
template <typename Record, typename Fill>
TKSHandle MakeObject(TKSHandle repository, int32_t kind, const std::string& name,
                     int32_t (*create)(TKSHandle, TKSHandle*, void*), Fill fill) {
    Record record{};
    EXPECT_EQ(tks::api::GetDefaultDetails(kind, &record, sizeof record), 0);
    std::snprintf(record.name, sizeof record.name, "%s", name.c_str());
    std::snprintf(record.secondName, sizeof record.secondName, "%s", name.c_str());
    fill(record);
    TKSHandle handle = 0;
    EXPECT_EQ(create(repository, &handle, &record), 0) << name;
    return handle;
}

}  // namespace

DeclNode* Tree::Member(const std::string& name, const std::string& type, int32_t repeat, int32_t length,
                       int32_t isSigned, int32_t isPointer) {
    DeclNode& node = nodes_.emplace_back();
    node.name = name;
    node.typeName = type;
    node.repeatCount = repeat;
    node.length = length;
    node.isSigned = isSigned;
    node.isPointer = isPointer;
    node.kind = cimp::kMemberNode;
    return &node;
}

DeclNode* Tree::Struct(const std::string& name, std::initializer_list<DeclNode*> members) {
    DeclNode& node = nodes_.emplace_back();
    node.name = name;
    node.tag = name;
    node.typeName = name;
    node.kind = cimp::kStructureNode;
    DeclNode** link = &node.firstChild;
    for (DeclNode* m : members) {
        *link = m;
        link = &m->nextSibling;
    }
    return &node;
}

DeclNode* Tree::Top(std::initializer_list<DeclNode*> structures) {
    DeclNode* previous = nullptr;
    std::vector<std::pair<DeclNode*, int32_t>> pending;
    for (DeclNode* s : structures) {
        if (previous != nullptr) previous->nextSibling = s;
        previous = s;
        pending.push_back({s, 1});
    }
    while (!pending.empty()) {
        auto [node, level] = pending.back();
        pending.pop_back();
        node->level = level;
        for (DeclNode* c = node->firstChild; c != nullptr; c = c->nextSibling) pending.push_back({c, level + 1});
    }
    return structures.size() > 0 ? *structures.begin() : nullptr;
}

void PrintTo(const Counters& c, std::ostream* os) {
    *os << "{errors " << c.errors << ", types " << c.types << ", elements " << c.elements << ", lengths "
        << c.lengths << "}";
}

std::string Summary(const Counters& c) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "Summary: \r\nNo. of Errors:\t\t\t%d\r\nNo. of Types created:\t\t%d\r\nNo. of Elements "
                  "created:\t%d\r\nNo. of Lengths created:\t\t%d\r\n",
                  c.errors, c.types, c.elements, c.lengths);
    return text;
}

void MappingTest::SetUp() {
    repo_double::Reset();
    ASSERT_EQ(tks::api::OpenRepository(":memory:", &repository_), 0);
}

void MappingTest::TearDown() {
    tks::api::CloseRepository(repository_);
    repo_double::Reset();
}

std::unique_ptr<cimp::ImportContext> MappingTest::NewContext() {
    messages_.clear();
    return std::make_unique<cimp::ImportContext>(repository_, "test.h", "", true, Collect, &messages_);
}

std::vector<std::string> MappingTest::Import(DeclNode* root, bool report) {
    auto context = NewContext();
    cimp::mapping::ImportStructures(*context, root);
    if (report) cimp::ReportImport(*context);
    counters_ = {context->errorCount, context->typesCreated, context->elementsCreated, context->lengthsCreated};
    return messages_;
}

void MappingTest::ImportBefore(DeclNode* root) {
    Import(root);
    repo_double::Reset();
}

TKSHandle MappingTest::Find(int32_t kind, const std::string& name) const {
    TKSHandle found = 0;
    return tks::api::FindDefinition(repository_, kind, &found, name.c_str()) == 0 ? found : 0;
}

std::string MappingTest::NameOf(TKSHandle handle) const {
    ElementDetails record{};  // the largest record; every kind's name sits at the same place
    if (tks::api::GetDetails(handle, 0, &record, sizeof record) != 0) return "?";
    return NameField(record.name);
}

std::vector<std::string> MappingTest::MemberNames(const std::string& typeName) const {
    std::vector<std::string> names;
    const TKSHandle type = Find(TKS_KIND_TYPE, typeName);
    TKSHandle member = 0;
    if (tks::api::GetNextDefinition(type, 0, &member, 3, 1) != 0) return names;
    while (member != TKS_LAST_MEMBER && names.size() < 1000) {
        names.push_back(NameOf(member));
        if (tks::api::GetNextDefinition(member, type, &member, 1, 1) != 0) break;
    }
    return names;
}

std::string MappingTest::Attribute(const std::string& typeName, const std::string& elementName,
                                   const std::string& attribute) const {
    std::vector<char> value(TKS_ATTR_VALUE_SIZE, '\0');
    const int32_t rc = tks::api::GetMemberAttrValue(Find(TKS_KIND_TYPE, typeName), Find(TKS_KIND_ELEMENT, elementName),
                                                    attribute.c_str(), value.data(), TKS_ATTR_VALUE_SIZE);
    return rc == 0 ? std::string(value.data()) : "<rc " + std::to_string(rc) + ">";
}

int32_t MappingTest::LengthValue(const std::string& lengthName) const {
    LengthDetails record{};
    if (tks::api::GetDetails(Find(TKS_KIND_LENGTH, lengthName), 0, &record, sizeof record) != 0) return -1;
    return record.value;
}

std::string MappingTest::ElementTypeName(const std::string& elementName) const {
    ElementDetails record{};
    if (tks::api::GetDetails(Find(TKS_KIND_ELEMENT, elementName), 0, &record, sizeof record) != 0) return "?";
    return record.typeHandle == 0 ? "" : NameOf(static_cast<TKSHandle>(record.typeHandle));
}

std::string MappingTest::ElementLengthName(const std::string& elementName) const {
    ElementDetails record{};
    if (tks::api::GetDetails(Find(TKS_KIND_ELEMENT, elementName), 0, &record, sizeof record) != 0) return "?";
    return record.lengthHandle == 0 ? "" : NameOf(static_cast<TKSHandle>(record.lengthHandle));
}

TKSHandle MappingTest::MakeType(const std::string& name, int32_t typeClass, int32_t simpleTypeCode) {
    return MakeObject<TypeDetails>(repository_, TKS_KIND_TYPE, name, tks::api::CreateType, [&](TypeDetails& r) {
        r.typeClass = typeClass;
        r.simpleTypeCode = simpleTypeCode;
    });
}

TKSHandle MappingTest::MakeElement(const std::string& name, TKSHandle type, TKSHandle length) {
    return MakeObject<ElementDetails>(repository_, TKS_KIND_ELEMENT, name, tks::api::CreateElement,
                                      [&](ElementDetails& r) {
                                          r.typeHandle = static_cast<int32_t>(type);
                                          r.lengthHandle = static_cast<int32_t>(length);
                                      });
}

TKSHandle MappingTest::MakeLength(const std::string& name, int32_t value) {
    return MakeObject<LengthDetails>(repository_, TKS_KIND_LENGTH, name, tks::api::CreateLengthID,
                                     [&](LengthDetails& r) { r.value = value; });
}

TKSHandle MappingTest::SimpleType(int32_t code) const {
    TKSHandle handle = 0;
    tks::api::GetFirstDefinition(repository_, TKS_KIND_TYPE, &handle, 0);
    while (handle != 0) {
        TypeDetails record{};
        if (tks::api::GetDetails(handle, 0, &record, sizeof record) != 0) return 0;
        if (record.typeClass == TKS_TYPE_CLASS_SIMPLE && record.simpleTypeCode == code) return handle;
        TKSHandle next = 0;
        tks::api::GetNextDefinition(handle, 0, &next, 1, 0);
        handle = next;
    }
    return 0;
}

}  // namespace mapping_test
