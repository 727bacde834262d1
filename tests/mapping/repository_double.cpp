#include "repository_double.h"

#include "store_api.h"

namespace repo_double {
namespace {

struct Fault {
    std::string call;
    std::string text;  // empty: any call of the function
    int toPass;        // matching calls still let through; -1 when spent
    bool every;
    int32_t code;
};

std::vector<Fault> armed;
std::vector<std::string> logged;
std::size_t failingPosition = 0;
int32_t failingCode = 0;

// Logs the call and answers whether an armed fault replaces it.
bool Intercept(const char* call, const std::string& text, int32_t& code) {
    const std::string& line = logged.emplace_back(call + text);
    bool fired = logged.size() == failingPosition;
    if (fired) code = failingCode;
    for (Fault& f : armed) {
        if (f.toPass < 0 || f.call != call || (!f.text.empty() && f.text != line)) continue;
        if (f.toPass > 0) {
            --f.toPass;
        } else if (!fired) {
            fired = true;
            code = f.code;
            f.toPass = f.every ? 0 : -1;
        }
    }
    return fired;
}

// A call's arguments as logged: numbers and texts; handles and buffers are left out.
std::string Arg(int32_t value) { return " " + std::to_string(value); }
std::string Arg(const char* text) { return std::string(" ") + (text != nullptr ? text : "(null)"); }
template <typename T>
std::string Arg(T) { return ""; }
template <typename... A>
std::string Args(A... args) { return (std::string() + ... + Arg(args)); }

}  // namespace

void Reset() {
    armed.clear();
    logged.clear();
    failingPosition = 0;
}

void ArmCallAt(std::size_t position, int32_t code) {
    failingPosition = position;
    failingCode = code;
}

void ArmFault(const std::string& call, int nth, int32_t code, const std::string& text, bool every) {
    armed.push_back({call, text, nth - 1, every, code});
}

const std::vector<std::string>& Log() { return logged; }

}  // namespace repo_double

// Each call: logged with its arguments, then answered by an armed fault or the repository.
#define PASS(call, ...)                                                                   \
    int32_t code = 0;                                                                     \
    if (repo_double::Intercept(#call, repo_double::Args(__VA_ARGS__), code)) return code; \
    return tks::api::call(__VA_ARGS__)
#if defined(_WIN32)
// Callers reach a DLL's function through its import slot: each slot leads to the double.
#define SLOT(f, bytes)                                                   \
    extern const void* const slot##f __asm__("__imp__TKS" #f "@" #bytes) = \
        reinterpret_cast<const void*>(&TKS##f);
#else
#define SLOT(f, bytes)
#endif
#define PASS1(f, A) int32_t TKS_CALL TKS##f(A a) { PASS(f, a); } SLOT(f, 4)
#define PASS3(f, A, B, C) int32_t TKS_CALL TKS##f(A a, B b, C c) { PASS(f, a, b, c); } SLOT(f, 12)
#define PASS4(f, A, B, C, D) \
    int32_t TKS_CALL TKS##f(A a, B b, C c, D d) { PASS(f, a, b, c, d); } SLOT(f, 16)
#define PASS5(f, A, B, C, D, E) \
    int32_t TKS_CALL TKS##f(A a, B b, C c, D d, E e) { PASS(f, a, b, c, d, e); } SLOT(f, 20)

extern "C" {

PASS3(GetDefaultDetails, int32_t, void*, int32_t)
PASS4(GetDetails, TKSHandle, int32_t, void*, int32_t)
PASS4(FindDefinition, TKSHandle, int32_t, TKSHandle*, const char*)
PASS3(CreateType, TKSHandle, TKSHandle*, void*)
PASS3(CreateElement, TKSHandle, TKSHandle*, void*)
PASS3(CreateLengthID, TKSHandle, TKSHandle*, void*)
PASS4(GetFirstDefinition, TKSHandle, int32_t, TKSHandle*, int32_t)
PASS5(GetNextDefinition, TKSHandle, TKSHandle, TKSHandle*, int32_t, int32_t)
PASS5(GetDefaultMemberDetails2, TKSHandle, TKSHandle, int32_t, void*, int32_t)
PASS4(InsertMember, TKSHandle, TKSHandle, int32_t, void*)
PASS4(GetMemberDetails, TKSHandle, TKSHandle, void*, int32_t)
PASS4(SetMemberAttrValue, TKSHandle, TKSHandle, const char*, const char*)
PASS5(GetMemberAttrValue, TKSHandle, TKSHandle, const char*, char*, int32_t)
PASS1(Delete, TKSHandle)
PASS1(IsComplete, TKSHandle)
PASS3(GetIdentifier, TKSHandle, char*, int32_t)

}  // extern "C"
