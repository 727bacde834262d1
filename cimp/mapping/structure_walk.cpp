// The walk over the declaration tree: Elements for the members, a Type for
// each structure, and the members inserted into the Types this import made.
#include <new>
#include <vector>

#include "cimp/mapping/mapper.h"
#include "cimp/mapping/mapping.h"
#include "cimp/mapping/names.h"

namespace cimp::mapping {

Mapper::Mapper(ImportContext& context) : ctx_(context), value_(TKS_ATTR_VALUE_SIZE) {}

bool Mapper::NameFits(const std::string& name) {
    if (name.size() <= kMaxNameLength) return true;
    Error("Error: Name ", name, " is too long and will not be imported.");
    return false;
}

int32_t Mapper::ImportAll(DeclNode* root) {
    if (!LoadSimpleTypes()) return kMappingFailure;
    ctx_.renamedTypes.clear();
    for (DeclNode* node = root; node != nullptr; node = node->nextSibling) {
        bool anythingCreated = false;
        const int32_t rc = WalkStructure(*node, anythingCreated);
        if (rc != TKS_OK) {
            ctx_.sink.Send("C Structure ", node->name, " not imported.");
            ctx_.sink.Send("Errors occurred during import of ", node->name, ".");
        } else if (anythingCreated) {
            ctx_.sink.Send("C Structure ", node->name, " successfully imported.");
        } else {
            ctx_.sink.Send("C Structure ", node->name, " not imported.");
        }
        ctx_.sink.Send("");
    }
    return TKS_OK;
}

// Depth first with an explicit stack, so deep nesting cannot exhaust the
// call stack.  A frame is a structure whose children are being walked.
int32_t Mapper::WalkStructure(DeclNode& node, bool& anythingCreated) {
    if (node.firstChild == nullptr) return CreateElement(node, anythingCreated);
    struct Frame {
        DeclNode* structure;
        DeclNode* child;  // the child walked next
    };
    std::vector<Frame> stack;
    ctx_.sink.Send("Importing C structure ", node.typeName, ".");
    stack.push_back({&node, node.firstChild});
    int32_t result = TKS_OK;
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.child == nullptr) {
            DeclNode* finished = top.structure;
            stack.pop_back();
            result = FinishStructure(*finished, anythingCreated);
            if (!stack.empty()) {
                Frame& parent = stack.back();
                AfterChild(*parent.structure, *parent.child, result, anythingCreated);
                parent.child = parent.child->nextSibling;
            }
            continue;
        }
        DeclNode* child = top.child;
        if (child->firstChild != nullptr) {
            ctx_.sink.Send("Importing C structure ", child->typeName, ".");
            stack.push_back({child, child->firstChild});
            continue;
        }
        AfterChild(*top.structure, *child, CreateElement(*child, anythingCreated), anythingCreated);
        top.child = child->nextSibling;
    }
    return result;
}

// What follows the walk of one child: its failure is reported, and a nested
// structure gets the Element that stands for it in its parent (that
// creation's result is not examined: a missing Element fails the parent).
void Mapper::AfterChild(DeclNode& node, DeclNode& child, int32_t childResult, bool& anythingCreated) {
    if (childResult != TKS_OK) Error("Error: Failed to process Element and Children: ", node.name, ".");
    if (child.level > 1 && child.kind == kStructureNode) CreateElement(child, anythingCreated);
}

// The structure's Type, then its members in declaration order when the Type
// is new.
int32_t Mapper::FinishStructure(DeclNode& node, bool& anythingCreated) {
    const int32_t rc = CreateType(node, anythingCreated);
    if (rc != TKS_OK) return rc;
    if (node.typeCreated != 1) return TKS_OK;
    const TKSHandle type = static_cast<TKSHandle>(node.typeHandle);
    for (DeclNode* child = node.firstChild; child != nullptr; child = child->nextSibling) {
        if (child->elementHandle == 0) return kMappingFailure;
        const int32_t inserted = InsertMember(static_cast<TKSHandle>(child->elementHandle), *child, type, node);
        if (inserted == TKS_OK) continue;
        if (inserted == TKS_ALREADY_MEMBER) {
            ctx_.sink.Send("Error: Invalid C: Duplicate C element ", node.typeName, " in structure.");
            return inserted;
        }
        Error("Error: Failed to insert Element ", child->name, " into Type ", node.name, ".");
        return inserted;
    }
    return TKS_OK;
}

int32_t Mapper::InsertMember(TKSHandle elementHandle, DeclNode& member, TKSHandle typeHandle, DeclNode& parent) {
    TypeDetails type{};
    int32_t rc = TKSGetDetails(typeHandle, 0, &type, sizeof type);
    if (rc != TKS_OK) return rc;
    ElementDetails element{};
    rc = TKSGetDetails(elementHandle, 0, &element, sizeof element);
    if (rc != TKS_OK) return rc;
    MemberDetails details{};
    rc = TKSGetDefaultMemberDetails2(typeHandle, elementHandle, -1, &details, sizeof details);
    if (rc != TKS_OK) return rc;
    details.memberFlag = 1;
    details.repeating = member.repeatCount > 0 ? 1 : 0;
    rc = TKSInsertMember(typeHandle, elementHandle, -1, &details);
    const std::string names = RecordName(element.name) + " into Type " + RecordName(type.name) + ".";
    if (rc != TKS_OK) {
        Error("Error: Failed to insert Element ", names);
        return rc;
    }
    ctx_.sink.Send("Inserted Element ", names);
    SetMemberAttributes(elementHandle, &member, typeHandle, &parent);
    return TKS_OK;
}

int32_t ImportStructures(ImportContext& context, DeclNode* root) {
    try {
        Mapper mapper(context);
        return mapper.ImportAll(root);
    } catch (const std::bad_alloc&) {
        context.sink.Send("Error: Out of memory while importing structures.");
        ++context.errorCount;
        return kMappingFailure;
    }
}

}  // namespace cimp::mapping
