/* cimport's own time.h: time_t is 64 bits on the hosts; struct tm is not
   declared. */
#ifndef _CIMPORT_TIME_H
#define _CIMPORT_TIME_H
#ifndef _CIMPORT_SIZE_T
#define _CIMPORT_SIZE_T
typedef unsigned int size_t;
#endif
#ifndef _CIMPORT_TIME_T
#define _CIMPORT_TIME_T
typedef long long time_t;
#endif
#ifndef _CIMPORT_CLOCK_T
#define _CIMPORT_CLOCK_T
typedef long clock_t;
#endif
#ifndef NULL
#define NULL ((void *)0)
#endif
#define CLOCKS_PER_SEC 1000
#endif
