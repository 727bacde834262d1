/* cimport's own windows.h: the basic types only (no functions, no
   structures). */
#ifndef _CIMPORT_WINDOWS_H
#define _CIMPORT_WINDOWS_H
#include <windef.h>
#endif
