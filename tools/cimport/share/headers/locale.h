/* cimport's own locale.h: the categories; struct lconv is not declared. */
#ifndef _CIMPORT_LOCALE_H
#define _CIMPORT_LOCALE_H
#include <stddef.h>
#define LC_ALL 0
#define LC_COLLATE 1
#define LC_CTYPE 2
#define LC_MONETARY 3
#define LC_NUMERIC 4
#define LC_TIME 5
#endif
