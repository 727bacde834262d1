#include "cimp/stages.h"

#include "cimp/cpp/preprocessor.h"

namespace cimp {
namespace {

// Stages not yet part of this build fail the way a stage does when it cannot
// run, so an import never reports success without having done its work.
DeclNode* ParserMissing(int, char**, TypedefEntry**, int32_t* status) {
    *status = -2;
    return nullptr;
}
int32_t MappingMissing(ImportContext&, DeclNode*) { return -1; }
void ReportMissing(ImportContext&) {}

}  // namespace

const ImportStages& DefaultStages() {
    static const ImportStages stages{
        cpp::RunPreprocessor,
        ParserMissing,
        MappingMissing,
        ReportMissing,
    };
    return stages;
}

}  // namespace cimp
