/* One of the types that several of cimport's own headers declare, declared once. */
#ifndef _CIMPORT_WCHAR_T
#define _CIMPORT_WCHAR_T
typedef unsigned short wchar_t;
#endif
