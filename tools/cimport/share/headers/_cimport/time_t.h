/* One of the types that several of cimport's own headers declare, declared once. */
#ifndef _CIMPORT_TIME_T
#define _CIMPORT_TIME_T
typedef long long time_t;
#endif
