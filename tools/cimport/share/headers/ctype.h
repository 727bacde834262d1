/* cimport's own ctype.h: the standard declares only functions here, and
   the importer reads no functions, so nothing is declared. */
#ifndef _CIMPORT_CTYPE_H
#define _CIMPORT_CTYPE_H
#endif
