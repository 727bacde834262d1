/* cimport's own basetsd.h: the sized and pointer-sized integers of 32-bit
   Windows.  The 64-bit types are long long, which the importer reads as 4
   bytes; INT8 is a signed char, which it reads as a one-character string. */
#ifndef _CIMPORT_BASETSD_H
#define _CIMPORT_BASETSD_H
typedef signed char INT8;
typedef unsigned char UINT8;
typedef short INT16;
typedef unsigned short UINT16;
typedef int INT32;
typedef unsigned int UINT32;
typedef long long INT64;
typedef unsigned long long UINT64;
typedef int LONG32;
typedef unsigned int ULONG32;
typedef unsigned int DWORD32;
typedef long long LONG64;
typedef unsigned long long ULONG64;
typedef unsigned long long DWORD64;
typedef int INT_PTR;
typedef unsigned int UINT_PTR;
typedef long LONG_PTR;
typedef unsigned long ULONG_PTR;
typedef unsigned long DWORD_PTR;
typedef unsigned long SIZE_T;
typedef long SSIZE_T;
typedef short HALF_PTR;
typedef unsigned short UHALF_PTR;
typedef unsigned long KAFFINITY;
typedef INT8 *PINT8;
typedef UINT8 *PUINT8;
typedef INT16 *PINT16;
typedef UINT16 *PUINT16;
typedef INT32 *PINT32;
typedef UINT32 *PUINT32;
typedef INT64 *PINT64;
typedef UINT64 *PUINT64;
typedef LONG32 *PLONG32;
typedef ULONG32 *PULONG32;
typedef DWORD32 *PDWORD32;
typedef LONG64 *PLONG64;
typedef ULONG64 *PULONG64;
typedef DWORD64 *PDWORD64;
typedef INT_PTR *PINT_PTR;
typedef UINT_PTR *PUINT_PTR;
typedef LONG_PTR *PLONG_PTR;
typedef ULONG_PTR *PULONG_PTR;
typedef DWORD_PTR *PDWORD_PTR;
typedef SIZE_T *PSIZE_T;
typedef SSIZE_T *PSSIZE_T;
#endif
