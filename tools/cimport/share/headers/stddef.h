/* cimport's own stddef.h */
#ifndef _CIMPORT_STDDEF_H
#define _CIMPORT_STDDEF_H
#ifndef _CIMPORT_SIZE_T
#define _CIMPORT_SIZE_T
typedef unsigned int size_t;
#endif
#ifndef _CIMPORT_PTRDIFF_T
#define _CIMPORT_PTRDIFF_T
typedef int ptrdiff_t;
#endif
#ifndef _CIMPORT_WCHAR_T
#define _CIMPORT_WCHAR_T
typedef unsigned short wchar_t;
#endif
#ifndef NULL
#define NULL ((void *)0)
#endif
#define offsetof(type, member) ((size_t)&(((type *)0)->member))
#endif
