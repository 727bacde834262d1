/* cimport's own stdlib.h: div_t and ldiv_t are not declared. */
#ifndef _CIMPORT_STDLIB_H
#define _CIMPORT_STDLIB_H
#include <_cimport/size_t.h>
#include <_cimport/wchar_t.h>
#include <_cimport/null.h>
#define EXIT_SUCCESS 0
#define EXIT_FAILURE 1
#define RAND_MAX 32767
#endif
