/* cimport's own stdbool.h: bool is a byte on the hosts. */
#ifndef _CIMPORT_STDBOOL_H
#define _CIMPORT_STDBOOL_H
#ifndef _Bool
#define _Bool unsigned char
#endif
#define bool _Bool
#define true 1
#define false 0
#define __bool_true_false_are_defined 1
#endif
