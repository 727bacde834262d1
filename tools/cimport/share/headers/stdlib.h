/* cimport's own stdlib.h: div_t and ldiv_t are not declared. */
#ifndef _CIMPORT_STDLIB_H
#define _CIMPORT_STDLIB_H
#ifndef _CIMPORT_SIZE_T
#define _CIMPORT_SIZE_T
typedef unsigned int size_t;
#endif
#ifndef _CIMPORT_WCHAR_T
#define _CIMPORT_WCHAR_T
typedef unsigned short wchar_t;
#endif
#ifndef NULL
#define NULL ((void *)0)
#endif
#define EXIT_SUCCESS 0
#define EXIT_FAILURE 1
#define RAND_MAX 32767
#endif
