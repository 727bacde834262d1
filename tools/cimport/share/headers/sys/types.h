/* cimport's own sys/types.h: the POSIX types with the data model of the
   32-bit hosts (int and long 32 bits, off_t 32 bits). */
#ifndef _CIMPORT_SYS_TYPES_H
#define _CIMPORT_SYS_TYPES_H
#include <_cimport/size_t.h>
#include <_cimport/time_t.h>
#include <_cimport/clock_t.h>
typedef int ssize_t;
typedef long off_t;
typedef int pid_t;
typedef unsigned int uid_t;
typedef unsigned int gid_t;
typedef unsigned int id_t;
typedef unsigned int mode_t;
typedef unsigned int dev_t;
typedef unsigned long ino_t;
typedef unsigned int nlink_t;
typedef long blksize_t;
typedef long blkcnt_t;
typedef unsigned int useconds_t;
typedef long suseconds_t;
typedef int key_t;
#endif
