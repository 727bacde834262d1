// Counts the repository calls a process makes: loaded ahead of the stand-in
// repository (LD_PRELOAD), each of the importer's sixteen calls is counted
// and passed on to the real one.  At exit the count is appended to the file
// that TKS_CALL_COUNT names.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tksbeapi.h"

namespace {

std::uint64_t g_calls = 0;

struct Report {
    ~Report() {
        const char* path = std::getenv("TKS_CALL_COUNT");
        if (path == nullptr) return;
        if (std::FILE* file = std::fopen(path, "a")) {
            std::fprintf(file, "%llu\n", static_cast<unsigned long long>(g_calls));
            std::fclose(file);
        }
    }
} g_report;

template <typename Function>
Function* Next(const char* name) {
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

}  // namespace

#define COUNTED(name, params, args)                                          \
    extern "C" int32_t name params {                                         \
        static auto* const next = Next<decltype(name)>(#name);               \
        ++g_calls;                                                           \
        return next args;                                                    \
    }

COUNTED(TKSGetDefaultDetails, (int32_t k, void* r, int32_t s), (k, r, s))
COUNTED(TKSGetDetails, (TKSHandle o, int32_t x, void* r, int32_t s), (o, x, r, s))
COUNTED(TKSFindDefinition, (TKSHandle p, int32_t k, TKSHandle* f, const char* n), (p, k, f, n))
COUNTED(TKSCreateType, (TKSHandle p, TKSHandle* c, void* d), (p, c, d))
COUNTED(TKSCreateElement, (TKSHandle p, TKSHandle* c, void* d), (p, c, d))
COUNTED(TKSCreateLengthID, (TKSHandle p, TKSHandle* c, void* d), (p, c, d))
COUNTED(TKSGetFirstDefinition, (TKSHandle p, int32_t k, TKSHandle* f, int32_t x), (p, k, f, x))
COUNTED(TKSGetNextDefinition, (TKSHandle c, TKSHandle p, TKSHandle* n, int32_t m, int32_t f),
        (c, p, n, m, f))
COUNTED(TKSGetDefaultMemberDetails2, (TKSHandle t, TKSHandle e, int32_t i, void* d, int32_t s),
        (t, e, i, d, s))
COUNTED(TKSInsertMember, (TKSHandle t, TKSHandle e, int32_t i, void* d), (t, e, i, d))
COUNTED(TKSGetMemberDetails, (TKSHandle t, TKSHandle m, void* d, int32_t s), (t, m, d, s))
COUNTED(TKSSetMemberAttrValue, (TKSHandle t, TKSHandle e, const char* a, const char* v), (t, e, a, v))
COUNTED(TKSGetMemberAttrValue, (TKSHandle t, TKSHandle m, const char* a, char* v, int32_t s),
        (t, m, a, v, s))
COUNTED(TKSDelete, (TKSHandle o), (o))
COUNTED(TKSIsComplete, (TKSHandle o), (o))
COUNTED(TKSGetIdentifier, (TKSHandle o, char* b, int32_t s), (o, b, s))
