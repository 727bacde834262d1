/* cimport's compiler words: read after the user's pre-include and before the
   header.  The words that compilers add to C and that carry no layout the
   importer could use are defined away; the fixed-size integer words become
   the C types of the 32-bit Windows hosts.  Every definition is made only
   when the name is not defined yet, so a pre-include's own definition wins. */

#ifndef __CIMPORT__
#define __CIMPORT__ 1
#endif

/* The hosts: 32-bit Windows on x86.  _MSC_VER is left undefined on purpose:
   headers test it to turn on more of that compiler's own syntax. */
#ifndef _WIN32
#define _WIN32 1
#endif
#ifndef _M_IX86
#define _M_IX86 600
#endif

/* GCC and Clang */
#ifndef __attribute__
#define __attribute__(x)
#endif
#ifndef __attribute
#define __attribute(x)
#endif
#ifndef __extension__
#define __extension__
#endif
#ifndef __inline__
#define __inline__
#endif
#ifndef __inline
#define __inline
#endif
#ifndef __restrict
#define __restrict
#endif
#ifndef __restrict__
#define __restrict__
#endif
#ifndef __asm__
#define __asm__(x)
#endif
#ifndef __asm
#define __asm(x)
#endif
#ifndef __volatile__
#define __volatile__ volatile
#endif
#ifndef __signed__
#define __signed__ signed
#endif
#ifndef __const
#define __const const
#endif

/* Microsoft */
#ifndef __declspec
#define __declspec(x)
#endif
#ifndef __cdecl
#define __cdecl
#endif
#ifndef __stdcall
#define __stdcall
#endif
#ifndef __fastcall
#define __fastcall
#endif
#ifndef __thiscall
#define __thiscall
#endif
#ifndef __forceinline
#define __forceinline
#endif
#ifndef __unaligned
#define __unaligned
#endif
#ifndef __w64
#define __w64
#endif
#ifndef __ptr32
#define __ptr32
#endif
#ifndef __ptr64
#define __ptr64
#endif
#ifndef __pragma
#define __pragma(x)
#endif
#ifndef _Pragma
#define _Pragma(x)
#endif
#ifndef __int8
#define __int8 char
#endif
#ifndef __int16
#define __int16 short
#endif
#ifndef __int32
#define __int32 int
#endif
#ifndef __int64
#define __int64 long long
#endif

/* C99's boolean type, a byte on the hosts */
#ifndef _Bool
#define _Bool unsigned char
#endif
