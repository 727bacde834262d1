/* cimport's own errno.h: the error numbers of the hosts' C library. */
#ifndef _CIMPORT_ERRNO_H
#define _CIMPORT_ERRNO_H
#define EDOM 33
#define ERANGE 34
#define EILSEQ 42
#endif
