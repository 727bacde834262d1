/* cimport's own stdarg.h: an argument list is a pointer to char. */
#ifndef _CIMPORT_STDARG_H
#define _CIMPORT_STDARG_H
typedef char *va_list;
#define va_start(list, last) ((void)0)
#define va_arg(list, type) (*(type *)(list))
#define va_end(list) ((void)0)
#endif
