/* cimport's own string.h */
#ifndef _CIMPORT_STRING_H
#define _CIMPORT_STRING_H
#ifndef _CIMPORT_SIZE_T
#define _CIMPORT_SIZE_T
typedef unsigned int size_t;
#endif
#ifndef NULL
#define NULL ((void *)0)
#endif
#endif
