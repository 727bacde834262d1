/* One of the types that several of cimport's own headers declare, declared once. */
#ifndef _CIMPORT_PTRDIFF_T
#define _CIMPORT_PTRDIFF_T
typedef int ptrdiff_t;
#endif
