// Whether an existing Type equals a structure: the same Elements in the same
// order, of the same Types, with the same membership attributes.
#include <algorithm>
#include <cstring>

#include "cimp/mapping/mapper.h"
#include "cimp/mapping/names.h"

namespace cimp::mapping {
namespace {

// Follows a Type's member list from its first member to its end.  The
// result: 0 when the list ended normally, else the failing call's code.
int32_t ListMembersFrom(TKSHandle type, TKSHandle member, std::vector<TKSHandle>& members) {
    while (member != TKS_LAST_MEMBER) {
        members.push_back(member);
        TKSHandle next = 0;
        const int32_t rc = TKSGetNextDefinition(member, type, &next, 1, 1);
        if (rc != TKS_OK) return rc;
        member = next;
    }
    return TKS_OK;
}

}  // namespace

int32_t Mapper::ReadAttribute(TKSHandle type, TKSHandle member, const char* attributeName) {
    std::fill(value_.begin(), value_.end(), '\0');
    const int32_t rc = TKSGetMemberAttrValue(type, member, AttributeNameField(attributeName).c_str(), value_.data(),
                                             static_cast<int32_t>(value_.size()));
    value_.back() = '\0';  // a value that fills the buffer is cut, never read past it
    return rc;
}

int32_t Mapper::CompareTypeMembers(const DeclNode& structure, TKSHandle type, bool& same) {
    same = true;
    std::vector<TKSHandle> members;
    TKSHandle first = 0;
    const int32_t rc = TKSGetNextDefinition(type, 0, &first, 3, 1);
    if (rc != TKS_OK && rc != TKS_NOT_FOUND) return rc;
    const int32_t listed = rc == TKS_OK ? ListMembersFrom(type, first, members) : TKS_OK;
    std::size_t count = 0;
    for (const DeclNode* child = structure.firstChild; child != nullptr; child = child->nextSibling) ++count;
    if (listed != TKS_OK || members.size() != count) {
        // A member list that could not be read to its end never makes the Type equal.
        same = false;
        return listed;
    }
    std::size_t i = 0;
    for (const DeclNode* child = structure.firstChild; child != nullptr; child = child->nextSibling, ++i) {
        const TKSHandle member = members[i];
        if (member != static_cast<TKSHandle>(child->elementHandle)) {
            same = false;
            return TKS_OK;
        }
        ElementDetails details{};
        const int32_t read = TKSGetDetails(member, 0, &details, sizeof details);
        if (read != TKS_OK) {
            same = false;
            return read;
        }
        if (details.typeHandle != child->typeHandle) {
            same = false;
            return TKS_OK;
        }
        const int32_t compared = CompareMember(*child, type, member, same);
        if (compared != TKS_OK || !same) return compared;
    }
    return TKS_OK;
}

int32_t Mapper::CompareMember(const DeclNode& member, TKSHandle type, TKSHandle memberHandle, bool& same) {
    same = true;
    MemberDetails details{};
    int32_t rc = TKSGetMemberDetails(type, memberHandle, &details, sizeof details);
    if (rc != TKS_OK) return rc;
    const int16_t repeats = member.repeatCount > 0 ? 1 : 0;
    if (details.repeating != repeats) {
        same = false;
        return TKS_OK;
    }
    if (member.repeatCount > 0) {
        rc = ReadAttribute(type, memberHandle, "Repeat Count");
        if (ParseDecimal(value_.data()) != member.repeatCount) same = false;
        return rc;
    }
    // Attributes that cannot be read are not compared.
    const struct {
        const char* name;
        int32_t expected;
        bool applies;
    } numeric[] = {
        {"Physical Type", ParseDecimal(member.physicalTypeCode), true},
        {"Length", member.length, true},
        {"Signed", member.isSigned, member.isSigned != kSignNotApplicable},
    };
    for (const auto& attribute : numeric) {
        if (ReadAttribute(type, memberHandle, attribute.name) != TKS_OK || !attribute.applies) continue;
        if (ParseDecimal(value_.data()) != attribute.expected) {
            same = false;
            return TKS_OK;
        }
    }
    if (member.physicalType == kClassString) {
        rc = ReadAttribute(type, memberHandle, "String Justification");
        if (rc != TKS_OK) return rc;
        if (std::strcmp(value_.data(), member.justification) != 0) same = false;
    }
    return TKS_OK;
}

}  // namespace cimp::mapping
