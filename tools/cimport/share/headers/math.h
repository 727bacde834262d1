/* cimport's own math.h: the standard declares functions and HUGE_VAL only. */
#ifndef _CIMPORT_MATH_H
#define _CIMPORT_MATH_H
#define HUGE_VAL (1e300 * 1e300)
#endif
