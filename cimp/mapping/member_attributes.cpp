// The CWF attributes of a membership, set from the member's declaration.
#include <string>

#include "cimp/mapping/mapper.h"
#include "cimp/mapping/names.h"

namespace cimp::mapping {

bool Mapper::CheckAttributeResult(const char* attributeName, int32_t code) {
    switch (code) {
        case TKS_OK:
            return true;
        case TKS_INVALID_ATTR_NAME:
            Error("Error: Failed to set the CWF attribute ", attributeName,
                  " - invalid attribute name.");
            return false;
        case TKS_INVALID_ATTR_VALUE:
            Error("Error: Failed to set the CWF attribute ", attributeName,
                  " - invalid attribute value.");
            return false;
        default:
            Error("Error: Failed to set the CWF attribute ", attributeName, ".");
            return false;
    }
}

int32_t Mapper::SetMemberAttributes(TKSHandle elementHandle, const DeclNode* member, TKSHandle typeHandle,
                                    const DeclNode* parent) {
    if (member == nullptr || parent == nullptr) return kMappingFailure;
    int32_t rc = TKS_OK;
    auto set = [&](const char* name, const std::string& value) {
        rc = TKSSetMemberAttrValue(typeHandle, elementHandle, AttributeNameField(name).c_str(), value.c_str());
        return CheckAttributeResult(name, rc);
    };
    const bool compound = member->physicalType == kClassCompound;
    if (!compound && !set("Physical Type", member->physicalTypeCode)) return rc;
    if (member->level > 1 && member->repeatCount > 0 && !set("Repeat Count", std::to_string(member->repeatCount)))
        return rc;
    if (compound) return TKS_OK;
    if (!set("Length", std::to_string(member->length))) return rc;
    if (member->isSigned == kSignNotApplicable) return TKS_OK;
    const bool numeric = member->physicalType == kClassInteger || member->physicalType == kClassFloat;
    if (numeric && !set("Signed", member->isSigned == 0 ? "0" : "1")) return rc;
    return TKS_OK;
}

}  // namespace cimp::mapping
