#include <memory>
#include <mutex>
#include <new>

#include "cimp/import_context.h"
#include "cimp/import_run.h"
#include "cimport.h"

namespace {

// The stages share fixed file names and process-wide state: one import at a
// time per process.
std::mutex g_importLock;

}  // namespace

extern "C" CIMPORT_API int32_t CIMPORT_CALL DoCImport(TKSHandle repository, const char* headerPath, int32_t,
                                                      int32_t, int32_t, int32_t, const char* preInclude,
                                                      int32_t, int32_t, int32_t keepSystemIncludes,
                                                      CImportCallback callback, void* context) {
    std::lock_guard<std::mutex> lock(g_importLock);
    try {
        auto import = std::make_unique<cimp::ImportContext>(repository, headerPath, preInclude,
                                                            keepSystemIncludes != 0, callback, context);
        const int32_t result = cimp::ImportHeader(*import, cimp::DefaultStages());
        import->sink.Clear();
        return result;
    } catch (...) {
        // Nothing may unwind into the host; a stage that could not finish is a failed import.
        return -1;
    }
}
