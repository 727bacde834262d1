// The repository's objects and memberships as the library holds them.
#ifndef TKSBEAPI_STORED_OBJECT_H
#define TKSBEAPI_STORED_OBJECT_H

#include <cstdint>
#include <string>

#include "tksbeapi.h"

namespace tks {

// One object as stored: the fields of its kind are used, the others are 0.
struct StoredObject {
    int32_t kind = 0;
    std::string name;
    int32_t typeClass = 0;       // Type
    int32_t simpleTypeCode = 0;  // Type
    TKSHandle typeHandle = 0;    // Element
    TKSHandle lengthHandle = 0;  // Element
    int32_t value = 0;           // Length
};

struct StoredMember {
    int64_t position = 0;
    int16_t memberFlag = 0;
    int16_t repeating = 0;
};

struct NameHolder {
    TKSHandle handle = 0;
    int32_t kind = 0;
};

}  // namespace tks

#endif
