/* cimport's own stddef.h */
#ifndef _CIMPORT_STDDEF_H
#define _CIMPORT_STDDEF_H
#include <_cimport/size_t.h>
#include <_cimport/ptrdiff_t.h>
#include <_cimport/wchar_t.h>
#include <_cimport/null.h>
#define offsetof(type, member) ((size_t)&(((type *)0)->member))
#endif
