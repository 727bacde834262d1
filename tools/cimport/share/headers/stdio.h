/* cimport's own stdio.h: FILE is declared without its members. */
#ifndef _CIMPORT_STDIO_H
#define _CIMPORT_STDIO_H
#include <_cimport/size_t.h>
#include <_cimport/null.h>
typedef struct _cimport_file FILE;
typedef long long fpos_t;
#define EOF (-1)
#define BUFSIZ 512
#define FILENAME_MAX 260
#define FOPEN_MAX 20
#define L_tmpnam 14
#define TMP_MAX 32767
#define SEEK_SET 0
#define SEEK_CUR 1
#define SEEK_END 2
#define _IOFBF 0
#define _IOLBF 64
#define _IONBF 4
#endif
