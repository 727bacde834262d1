/* cimport's own assert.h: assertions take no part in a declaration. */
#undef assert
#define assert(expression) ((void)0)
