/* Repository interface: the sixteen calls through which the importer finds,
 * creates, changes and deletes repository objects.  Any library that exports
 * these calls with this binary interface can serve as the repository. */
#ifndef TKSBEAPI_H
#define TKSBEAPI_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define TKS_CALL __stdcall
#else
#define TKS_CALL
#endif

#if defined(_WIN32)
#if defined(TKSBEAPI_BUILD)
#define TKS_API __declspec(dllexport)
#else
#define TKS_API __declspec(dllimport)
#endif
#else
#define TKS_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef uint32_t TKSHandle;

#define TKS_NO_HANDLE ((TKSHandle)0)
#define TKS_LAST_MEMBER ((TKSHandle)0xFFFFFFFFu) /* the "-1" answer after the last member */

/* Object kinds. */
#define TKS_KIND_ELEMENT 103
#define TKS_KIND_TYPE 104
#define TKS_KIND_LENGTH 107

/* Result codes; any other non-zero value is a failure passed on unchanged. */
#define TKS_OK 0
#define TKS_NOT_FOUND (-4)
#define TKS_INVALID_TYPE (-14)
#define TKS_ALREADY_MEMBER (-22)
#define TKS_NAME_TAKEN (-33)
#define TKS_INVALID_ATTR_NAME (-78)
#define TKS_INVALID_ATTR_VALUE (-80)

/* Type classes and simple type codes. */
#define TKS_TYPE_CLASS_SIMPLE 1
#define TKS_TYPE_CLASS_STRUCTURE 3
#define TKS_SIMPLE_STRING 2
#define TKS_SIMPLE_INTEGER 4
#define TKS_SIMPLE_FLOAT 6
#define TKS_SIMPLE_BINARY 10
#define TKS_SIMPLE_BOOLEAN 12

#define TKS_NAME_SIZE 256
#define TKS_ATTR_VALUE_SIZE 32704

/* Detail records: caller-owned buffers with a fixed byte layout.  Bytes 0-23
 * belong to the library; secondName always holds the same text as name. */
typedef struct TypeDetails {
    unsigned char header[24];
    char name[TKS_NAME_SIZE];
    char secondName[TKS_NAME_SIZE];
    int32_t typeClass;
    unsigned char reserved1[4];
    int32_t simpleTypeCode;
    unsigned char reserved2[32];
} TypeDetails;

typedef struct ElementDetails {
    unsigned char header[24];
    char name[TKS_NAME_SIZE];
    char secondName[TKS_NAME_SIZE];
    int32_t typeHandle;
    int32_t lengthHandle;
    unsigned char reserved[288];
} ElementDetails;

typedef struct LengthDetails {
    unsigned char header[24];
    char name[TKS_NAME_SIZE];
    char secondName[TKS_NAME_SIZE];
    int32_t value;
    unsigned char reserved[32];
} LengthDetails;

typedef struct MemberDetails {
    unsigned char header[24];
    int16_t memberFlag;
    int16_t repeating;
    unsigned char reserved[288];
} MemberDetails;

#ifdef __cplusplus
static_assert(sizeof(TypeDetails) == 580, "TypeDetails size");
static_assert(offsetof(TypeDetails, name) == 24, "TypeDetails.name");
static_assert(offsetof(TypeDetails, secondName) == 280, "TypeDetails.secondName");
static_assert(offsetof(TypeDetails, typeClass) == 536, "TypeDetails.typeClass");
static_assert(offsetof(TypeDetails, simpleTypeCode) == 544, "TypeDetails.simpleTypeCode");
static_assert(sizeof(ElementDetails) == 832, "ElementDetails size");
static_assert(offsetof(ElementDetails, name) == 24, "ElementDetails.name");
static_assert(offsetof(ElementDetails, secondName) == 280, "ElementDetails.secondName");
static_assert(offsetof(ElementDetails, typeHandle) == 536, "ElementDetails.typeHandle");
static_assert(offsetof(ElementDetails, lengthHandle) == 540, "ElementDetails.lengthHandle");
static_assert(sizeof(LengthDetails) == 572, "LengthDetails size");
static_assert(offsetof(LengthDetails, name) == 24, "LengthDetails.name");
static_assert(offsetof(LengthDetails, secondName) == 280, "LengthDetails.secondName");
static_assert(offsetof(LengthDetails, value) == 536, "LengthDetails.value");
static_assert(sizeof(MemberDetails) == 316, "MemberDetails size");
static_assert(offsetof(MemberDetails, memberFlag) == 24, "MemberDetails.memberFlag");
static_assert(offsetof(MemberDetails, repeating) == 26, "MemberDetails.repeating");
#endif

TKS_API int32_t TKS_CALL TKSGetDefaultDetails(int32_t kind, void* record, int32_t size);
TKS_API int32_t TKS_CALL TKSGetDetails(TKSHandle object, int32_t reserved, void* record, int32_t size);
TKS_API int32_t TKS_CALL TKSFindDefinition(TKSHandle repository, int32_t kind, TKSHandle* found,
                                           const char* name);
TKS_API int32_t TKS_CALL TKSCreateType(TKSHandle repository, TKSHandle* created, void* typeDetails);
TKS_API int32_t TKS_CALL TKSCreateElement(TKSHandle repository, TKSHandle* created, void* elementDetails);
TKS_API int32_t TKS_CALL TKSCreateLengthID(TKSHandle repository, TKSHandle* created, void* lengthDetails);
TKS_API int32_t TKS_CALL TKSGetFirstDefinition(TKSHandle repository, int32_t kind, TKSHandle* first,
                                               int32_t reserved);
TKS_API int32_t TKS_CALL TKSGetNextDefinition(TKSHandle current, TKSHandle parent, TKSHandle* next,
                                              int32_t mode, int32_t flag);
TKS_API int32_t TKS_CALL TKSGetDefaultMemberDetails2(TKSHandle type, TKSHandle element, int32_t position,
                                                     void* memberDetails, int32_t size);
TKS_API int32_t TKS_CALL TKSInsertMember(TKSHandle type, TKSHandle element, int32_t position,
                                         void* memberDetails);
TKS_API int32_t TKS_CALL TKSGetMemberDetails(TKSHandle type, TKSHandle member, void* memberDetails,
                                             int32_t size);
TKS_API int32_t TKS_CALL TKSSetMemberAttrValue(TKSHandle type, TKSHandle element, const char* attribute,
                                               const char* value);
TKS_API int32_t TKS_CALL TKSGetMemberAttrValue(TKSHandle type, TKSHandle member, const char* attribute,
                                               char* value, int32_t size);
TKS_API int32_t TKS_CALL TKSDelete(TKSHandle object);
TKS_API int32_t TKS_CALL TKSIsComplete(TKSHandle object);
TKS_API int32_t TKS_CALL TKSGetIdentifier(TKSHandle object, char* buffer, int32_t size);

#ifdef __cplusplus
}
#endif

#endif
