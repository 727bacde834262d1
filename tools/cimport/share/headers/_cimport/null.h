/* NULL, which several of cimport's own headers define, defined once. */
#ifndef NULL
#define NULL ((void *)0)
#endif
