/* cimport's own winnt.h: the basic types of 32-bit Windows. */
#ifndef _CIMPORT_WINNT_H
#define _CIMPORT_WINNT_H
#include <basetsd.h>
#ifndef VOID
#define VOID void
#endif
typedef char CHAR;
typedef short SHORT;
typedef long LONG;
typedef unsigned short WCHAR;
typedef long long LONGLONG;
typedef unsigned long long ULONGLONG;
typedef unsigned char BOOLEAN;
typedef char CCHAR;
typedef long HRESULT;
typedef unsigned long LCID;
typedef unsigned short LANGID;
typedef void *PVOID;
typedef void *HANDLE;
typedef HANDLE *PHANDLE;
typedef CHAR *PCHAR;
typedef CHAR *LPCH;
typedef CHAR *PCH;
typedef CHAR *LPSTR;
typedef CHAR *PSTR;
typedef const CHAR *LPCSTR;
typedef const CHAR *PCSTR;
typedef WCHAR *PWCHAR;
typedef WCHAR *LPWCH;
typedef WCHAR *LPWSTR;
typedef WCHAR *PWSTR;
typedef const WCHAR *LPCWSTR;
typedef const WCHAR *PCWSTR;
typedef SHORT *PSHORT;
typedef LONG *PLONG;
typedef LONGLONG *PLONGLONG;
typedef ULONGLONG *PULONGLONG;
typedef BOOLEAN *PBOOLEAN;
#ifdef UNICODE
typedef WCHAR TCHAR;
#else
typedef char TCHAR;
#endif
typedef TCHAR *PTCHAR;
typedef TCHAR *LPTSTR;
typedef const TCHAR *LPCTSTR;
#endif
