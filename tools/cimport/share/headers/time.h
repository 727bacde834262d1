/* cimport's own time.h: time_t is 64 bits on the hosts; struct tm is not
   declared. */
#ifndef _CIMPORT_TIME_H
#define _CIMPORT_TIME_H
#include <_cimport/size_t.h>
#include <_cimport/time_t.h>
#include <_cimport/clock_t.h>
#include <_cimport/null.h>
#define CLOCKS_PER_SEC 1000
#endif
