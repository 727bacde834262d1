/* One of the types that several of cimport's own headers declare, declared once. */
#ifndef _CIMPORT_CLOCK_T
#define _CIMPORT_CLOCK_T
typedef long clock_t;
#endif
