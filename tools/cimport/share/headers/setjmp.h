/* cimport's own setjmp.h: the hosts' jump buffer is 16 ints. */
#ifndef _CIMPORT_SETJMP_H
#define _CIMPORT_SETJMP_H
typedef int jmp_buf[16];
#endif
