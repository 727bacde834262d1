/* cimport's own string.h */
#ifndef _CIMPORT_STRING_H
#define _CIMPORT_STRING_H
#include <_cimport/size_t.h>
#include <_cimport/null.h>
#endif
