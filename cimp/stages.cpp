#include "cimp/stages.h"

#include "cimp/cpp/preprocessor.h"
#include "cimp/mapping/mapping.h"
#include "cimp/parse/parse_driver.h"
#include "cimp/report.h"

namespace cimp {

const ImportStages& DefaultStages() {
    static const ImportStages stages{
        cpp::RunPreprocessor,
        parse::ParseHeaderFile,
        mapping::ImportStructures,
        ReportImport,
    };
    return stages;
}

}  // namespace cimp
