#include "repository_double.h"

#include <array>
#include <cstring>

#include "store_api.h"

namespace repo_double {
namespace {

constexpr std::size_t kCallCount = 0
#define REPOSITORY_CALL(name) +1
#include "repository_calls.def"
#undef REPOSITORY_CALL
    ;

constexpr std::array<const char*, kCallCount> kCallNames = {
#define REPOSITORY_CALL(name) #name,
#include "repository_calls.def"
#undef REPOSITORY_CALL
};

struct Fault {
    Call call;
    std::string text;  // empty: any call of the function
    int toPass;        // matching calls still let through
    bool once;
    bool spent;
    int32_t code;
};

struct State {
    std::array<int, kCallCount> counts{};
    std::vector<Fault> faults;
    std::vector<CallRecord> log;
};

State& TheState() {
    static State state;
    return state;
}

std::string RecordName(const void* record) {
    const char* name = static_cast<const char*>(record) + 24;
    return std::string(name, strnlen(name, TKS_NAME_SIZE));
}

std::string Str(const char* text) { return text != nullptr ? text : "(null)"; }

// The repository reads an attribute name as a zero-filled field of 116
// bytes; a name passed otherwise is logged with a mark.
constexpr std::size_t kAttributeNameField = 116;

std::string AttributeName(const char* attribute) {
    if (attribute == nullptr) return "(null)";
    const std::size_t length = strnlen(attribute, kAttributeNameField);
    for (std::size_t i = length; i < kAttributeNameField; ++i)
        if (attribute[i] != '\0') return std::string(attribute, length) + " (not in a zero-filled field)";
    return std::string(attribute, length);
}

// Logs the call and answers whether an armed fault replaces it.
bool Intercept(Call call, std::string text, std::vector<TKSHandle> handles, int32_t& code) {
    State& s = TheState();
    ++s.counts[static_cast<std::size_t>(call)];
    CallRecord& record =
        s.log.emplace_back(CallRecord{call, std::string(CallName(call)) + (text.empty() ? "" : " ") + text,
                                      std::move(handles)});
    bool fired = false;
    for (Fault& f : s.faults) {
        if (f.spent || f.call != call || (!f.text.empty() && f.text != record.text)) continue;
        if (f.toPass > 0) {
            --f.toPass;
        } else if (!fired) {
            fired = true;
            code = f.code;
            f.spent = f.once;
        }
    }
    return fired;
}

#define INTERCEPT(call, text, ...)                               \
    do {                                                         \
        int32_t faultCode = 0;                                   \
        if (repo_double::Intercept(repo_double::Call::call, text, {__VA_ARGS__}, faultCode)) \
            return faultCode;                                    \
    } while (0)

}  // namespace

const char* CallName(Call call) { return kCallNames[static_cast<std::size_t>(call)]; }

void Reset() { TheState() = State{}; }

void ArmFault(Call call, int nth, int32_t code, const std::string& text) {
    TheState().faults.push_back({call, text, nth - 1, true, false, code});
}

void ArmFaultFrom(Call call, int nth, int32_t code, const std::string& text) {
    TheState().faults.push_back({call, text, nth - 1, false, false, code});
}

const std::vector<CallRecord>& Log() { return TheState().log; }

std::vector<std::string> Texts(Call call) {
    std::vector<std::string> texts;
    for (const CallRecord& r : TheState().log)
        if (r.call == call) texts.push_back(r.text);
    return texts;
}

std::vector<std::string> AllTexts() {
    std::vector<std::string> texts;
    for (const CallRecord& r : TheState().log) texts.push_back(r.text);
    return texts;
}

int Count(Call call) { return TheState().counts[static_cast<std::size_t>(call)]; }

}  // namespace repo_double

using repo_double::RecordName;
using repo_double::AttributeName;
using repo_double::Str;

extern "C" {

int32_t TKS_CALL TKSGetDefaultDetails(int32_t kind, void* record, int32_t size) {
    INTERCEPT(GetDefaultDetails, std::to_string(kind) + " " + std::to_string(size));
    return tks::api::GetDefaultDetails(kind, record, size);
}

int32_t TKS_CALL TKSGetDetails(TKSHandle object, int32_t reserved, void* record, int32_t size) {
    INTERCEPT(GetDetails, std::to_string(reserved) + " " + std::to_string(size), object);
    return tks::api::GetDetails(object, reserved, record, size);
}

int32_t TKS_CALL TKSFindDefinition(TKSHandle repository, int32_t kind, TKSHandle* found, const char* name) {
    INTERCEPT(FindDefinition, std::to_string(kind) + " " + Str(name), repository);
    return tks::api::FindDefinition(repository, kind, found, name);
}

int32_t TKS_CALL TKSCreateType(TKSHandle repository, TKSHandle* created, void* typeDetails) {
    const auto* t = static_cast<const TypeDetails*>(typeDetails);
    INTERCEPT(CreateType, RecordName(typeDetails) + " class=" + std::to_string(t->typeClass), repository);
    return tks::api::CreateType(repository, created, typeDetails);
}

int32_t TKS_CALL TKSCreateElement(TKSHandle repository, TKSHandle* created, void* elementDetails) {
    const auto* e = static_cast<const ElementDetails*>(elementDetails);
    INTERCEPT(CreateElement, RecordName(elementDetails), repository, static_cast<TKSHandle>(e->typeHandle),
              static_cast<TKSHandle>(e->lengthHandle));
    return tks::api::CreateElement(repository, created, elementDetails);
}

int32_t TKS_CALL TKSCreateLengthID(TKSHandle repository, TKSHandle* created, void* lengthDetails) {
    const auto* l = static_cast<const LengthDetails*>(lengthDetails);
    INTERCEPT(CreateLengthID, RecordName(lengthDetails) + " " + std::to_string(l->value), repository);
    return tks::api::CreateLengthID(repository, created, lengthDetails);
}

int32_t TKS_CALL TKSGetFirstDefinition(TKSHandle repository, int32_t kind, TKSHandle* first, int32_t reserved) {
    INTERCEPT(GetFirstDefinition, std::to_string(kind) + " " + std::to_string(reserved), repository);
    return tks::api::GetFirstDefinition(repository, kind, first, reserved);
}

int32_t TKS_CALL TKSGetNextDefinition(TKSHandle current, TKSHandle parent, TKSHandle* next, int32_t mode,
                                      int32_t flag) {
    INTERCEPT(GetNextDefinition, std::to_string(mode) + " " + std::to_string(flag), current, parent);
    return tks::api::GetNextDefinition(current, parent, next, mode, flag);
}

int32_t TKS_CALL TKSGetDefaultMemberDetails2(TKSHandle type, TKSHandle element, int32_t position,
                                             void* memberDetails, int32_t size) {
    INTERCEPT(GetDefaultMemberDetails2, std::to_string(position) + " " + std::to_string(size), type, element);
    return tks::api::GetDefaultMemberDetails2(type, element, position, memberDetails, size);
}

int32_t TKS_CALL TKSInsertMember(TKSHandle type, TKSHandle element, int32_t position, void* memberDetails) {
    const auto* m = static_cast<const MemberDetails*>(memberDetails);
    INTERCEPT(InsertMember,
              std::to_string(position) + " flag=" + std::to_string(m->memberFlag) +
                  " repeating=" + std::to_string(m->repeating),
              type, element);
    return tks::api::InsertMember(type, element, position, memberDetails);
}

int32_t TKS_CALL TKSGetMemberDetails(TKSHandle type, TKSHandle member, void* memberDetails, int32_t size) {
    INTERCEPT(GetMemberDetails, std::to_string(size), type, member);
    return tks::api::GetMemberDetails(type, member, memberDetails, size);
}

int32_t TKS_CALL TKSSetMemberAttrValue(TKSHandle type, TKSHandle element, const char* attribute,
                                       const char* value) {
    INTERCEPT(SetMemberAttrValue, AttributeName(attribute) + "=" + Str(value), type, element);
    return tks::api::SetMemberAttrValue(type, element, attribute, value);
}

int32_t TKS_CALL TKSGetMemberAttrValue(TKSHandle type, TKSHandle member, const char* attribute, char* value,
                                       int32_t size) {
    INTERCEPT(GetMemberAttrValue, AttributeName(attribute) + " " + std::to_string(size), type, member);
    return tks::api::GetMemberAttrValue(type, member, attribute, value, size);
}

int32_t TKS_CALL TKSDelete(TKSHandle object) {
    INTERCEPT(Delete, "", object);
    return tks::api::Delete(object);
}

int32_t TKS_CALL TKSIsComplete(TKSHandle object) {
    INTERCEPT(IsComplete, "", object);
    return tks::api::IsComplete(object);
}

int32_t TKS_CALL TKSGetIdentifier(TKSHandle object, char* buffer, int32_t size) {
    INTERCEPT(GetIdentifier, std::to_string(size), object);
    return tks::api::GetIdentifier(object, buffer, size);
}

}  // extern "C"
