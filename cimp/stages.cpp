#include "cimp/stages.h"

#include "cimp/cpp/preprocessor.h"
#include "cimp/mapping/mapping.h"
#include "cimp/report.h"

namespace cimp {
namespace {

// Stages not yet part of this build fail the way a stage does when it cannot
// run, so an import never reports success without having done its work.
DeclNode* ParserMissing(int, char**, TypedefEntry**, int32_t* status) {
    *status = -2;
    return nullptr;
}

}  // namespace

const ImportStages& DefaultStages() {
    static const ImportStages stages{
        cpp::RunPreprocessor,
        ParserMissing,
        mapping::ImportStructures,
        ReportImport,
    };
    return stages;
}

}  // namespace cimp
