#include "model_output.h"

#include <nlohmann/json.hpp>

namespace cimport_cli {

namespace {

using Json = nlohmann::ordered_json;

const char* CompleteMark(bool complete) { return complete ? "" : " (incomplete)"; }

std::string ElementDescription(const ElementEntry& element) {
    std::string text = element.type.empty() ? "no Type" : "Type " + element.type;
    if (element.length)
        text += ", Length " + element.length->name + " = " + std::to_string(element.length->value);
    return text;
}

void PrintMemberText(const MemberEntry& member, std::ostream& out) {
    out << "  " << member.element.name << ": " << ElementDescription(member.element) << "; member flag "
        << member.memberFlag << ", repeating " << member.repeating;
    for (const MemberAttribute& attribute : member.attributes)
        out << "; " << attribute.name << " = " << attribute.value;
    out << '\n';
}

void PrintTypeText(const TypeEntry& type, std::ostream& out) {
    out << "Type " << type.name;
    if (type.typeClass == TKS_TYPE_CLASS_SIMPLE)
        out << " (simple " << SimpleTypeName(type.simpleTypeCode) << ")";
    out << CompleteMark(type.complete) << '\n';
    for (const MemberEntry& member : type.members) PrintMemberText(member, out);
}

Json LengthJson(const LengthEntry& length) {
    return Json{{"name", length.name}, {"value", length.value}, {"complete", length.complete}};
}

Json LengthReferenceJson(const std::optional<LengthEntry>& length) {
    if (!length) return nullptr;
    return Json{{"name", length->name}, {"value", length->value}};
}

Json ElementJson(const ElementEntry& element) {
    return Json{{"name", element.name},
                {"type", element.type.empty() ? Json(nullptr) : Json(element.type)},
                {"length", LengthReferenceJson(element.length)},
                {"complete", element.complete}};
}

Json MemberJson(const MemberEntry& member) {
    Json attributes = Json::object();
    for (const MemberAttribute& attribute : member.attributes) attributes[attribute.name] = attribute.value;
    return Json{{"element", member.element.name},
                {"type", member.element.type.empty() ? Json(nullptr) : Json(member.element.type)},
                {"length", LengthReferenceJson(member.element.length)},
                {"memberFlag", member.memberFlag},
                {"repeating", member.repeating},
                {"attributes", std::move(attributes)}};
}

Json TypeJson(const TypeEntry& type) {
    const bool simple = type.typeClass == TKS_TYPE_CLASS_SIMPLE;
    Json members = Json::array();
    for (const MemberEntry& member : type.members) members.push_back(MemberJson(member));
    return Json{{"name", type.name},
                {"class", simple ? "simple" : "structure"},
                {"simpleType", simple ? Json(SimpleTypeName(type.simpleTypeCode)) : Json(nullptr)},
                {"complete", type.complete},
                {"members", std::move(members)}};
}

template <typename Entry, typename ToJson>
Json ArrayJson(const std::vector<Entry>& entries, ToJson toJson) {
    Json array = Json::array();
    for (const Entry& entry : entries) array.push_back(toJson(entry));
    return array;
}

}  // namespace

void PrintModelText(const MessageModel& model, std::ostream& out) {
    for (const TypeEntry& type : model.types) PrintTypeText(type, out);
    out << "\nElements\n";
    for (const ElementEntry& element : model.elements)
        out << "  " << element.name << ": " << ElementDescription(element) << CompleteMark(element.complete) << '\n';
    out << "\nLengths\n";
    for (const LengthEntry& length : model.lengths)
        out << "  " << length.name << " = " << length.value << CompleteMark(length.complete) << '\n';
}

void PrintModelJson(const MessageModel& model, std::ostream& out) {
    const Json document{{"types", ArrayJson(model.types, TypeJson)},
                        {"elements", ArrayJson(model.elements, ElementJson)},
                        {"lengths", ArrayJson(model.lengths, LengthJson)}};
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace cimport_cli
