// The state of one import, alive for the duration of one DoCImport call.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "cimp/handle_map.h"
#include "cimp/status_sink.h"
#include "tksbeapi.h"

namespace cimp {

struct ImportContext {
    ImportContext(TKSHandle repo, const char* header, const char* preInc, bool keepSystem,
                  CImportCallback callback, void* callbackContext)
        : sink(callback, callbackContext),
          repository(repo),
          headerPath(header != nullptr ? header : ""),
          preInclude(preInc != nullptr ? preInc : ""),
          keepSystemIncludes(keepSystem) {}

    StatusSink sink;
    int32_t elementsCreated = 0;
    int32_t typesCreated = 0;
    int32_t lengthsCreated = 0;
    int32_t errorCount = 0;
    // Structure type name -> numbered Type name it was created or reused under.
    std::map<std::string, std::string> renamedTypes;
    TKSHandle repository;
    std::string headerPath;
    std::string preInclude;
    bool keepSystemIncludes;
    TKSHandle integerType = 0;
    TKSHandle stringType = 0;
    TKSHandle binaryType = 0;
    TKSHandle booleanType = 0;
    TKSHandle floatType = 0;
    TKSHandle defaultCharLength = 0;
    HandleMap createdTypes;
    HandleMap createdElements;
    HandleMap createdLengths;
};

}  // namespace cimp
