// The import's closing report: the summary of the counters and the objects
// created by this import that the repository still considers incomplete.
#pragma once

#include "cimp/import_context.h"

namespace cimp {

void ReportImport(ImportContext& context);

}  // namespace cimp
