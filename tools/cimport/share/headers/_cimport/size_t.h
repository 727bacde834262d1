/* One of the types that several of cimport's own headers declare, declared once. */
#ifndef _CIMPORT_SIZE_T
#define _CIMPORT_SIZE_T
typedef unsigned int size_t;
#endif
