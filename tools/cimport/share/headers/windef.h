/* cimport's own windef.h: the Windows types of everyday use.  Window,
   module and device handles are plain HANDLEs; the structures of the
   platform (RECT, POINT, ...) are not declared. */
#ifndef _CIMPORT_WINDEF_H
#define _CIMPORT_WINDEF_H
#include <winnt.h>
#include <_cimport/null.h>
#define FALSE 0
#define TRUE 1
#define MAX_PATH 260
#define CONST const
#define FAR
#define NEAR
#define far
#define near
#define WINAPI __stdcall
#define WINAPIV __cdecl
#define CALLBACK __stdcall
#define APIENTRY __stdcall
#define PASCAL __stdcall
#define CDECL __cdecl
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef unsigned long DWORD;
typedef unsigned long ULONG;
typedef unsigned short USHORT;
typedef unsigned char UCHAR;
typedef int BOOL;
typedef int INT;
typedef unsigned int UINT;
typedef float FLOAT;
typedef double DOUBLE;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef WORD ATOM;
typedef DWORD COLORREF;
typedef ULONG *PULONG;
typedef USHORT *PUSHORT;
typedef UCHAR *PUCHAR;
typedef char *PSZ;
typedef FLOAT *PFLOAT;
typedef BOOL *PBOOL;
typedef BOOL *LPBOOL;
typedef BYTE *PBYTE;
typedef BYTE *LPBYTE;
typedef INT *PINT;
typedef INT *LPINT;
typedef WORD *PWORD;
typedef WORD *LPWORD;
typedef LONG *LPLONG;
typedef DWORD *PDWORD;
typedef DWORD *LPDWORD;
typedef UINT *PUINT;
typedef void *LPVOID;
typedef const void *LPCVOID;
typedef DWORD *LPCOLORREF;
typedef HANDLE HWND;
typedef HANDLE HINSTANCE;
typedef HANDLE HMODULE;
typedef HANDLE HDC;
typedef HANDLE HKEY;
typedef HANDLE HGLOBAL;
typedef HANDLE HLOCAL;
typedef HANDLE HICON;
typedef HANDLE HMENU;
typedef HANDLE HBRUSH;
typedef HANDLE HFONT;
typedef HANDLE HBITMAP;
typedef HANDLE HPEN;
typedef HANDLE HCURSOR;
typedef HANDLE HRGN;
#define MAKEWORD(low, high) ((WORD)(((BYTE)(low)) | ((WORD)((BYTE)(high))) << 8))
#define MAKELONG(low, high) ((LONG)(((WORD)(low)) | ((DWORD)((WORD)(high))) << 16))
#define LOWORD(value) ((WORD)((DWORD_PTR)(value) & 0xffff))
#define HIWORD(value) ((WORD)((DWORD_PTR)(value) >> 16))
#define LOBYTE(value) ((BYTE)((DWORD_PTR)(value) & 0xff))
#define HIBYTE(value) ((BYTE)((DWORD_PTR)(value) >> 8))
#endif
