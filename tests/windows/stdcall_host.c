/* A host as the modelling tools are: loads cimport.dll, looks its entry up by the decorated
 * name and calls it through a __stdcall pointer many times.  A callee that left its 48 bytes
 * of arguments on the stack would move ESP, which is compared around every call. */
#include <stdio.h>
#include <windows.h>

#include "cimport.h"
#include "tksbeapi_host.h"

typedef int32_t(__stdcall* Entry)(TKSHandle, const char*, int32_t, int32_t, int32_t, int32_t,
                                  const char*, int32_t, int32_t, int32_t, CImportCallback, void*);

static void Count(void* context, const char* text) { *(long*)context += text != NULL; }

int main(int argc, char** argv) {
    HMODULE dll = LoadLibraryA("cimport.dll");
    Entry entry = dll ? (Entry)(void*)GetProcAddress(dll, "DoCImport@48") : NULL;
    TKSHandle repository = 0;
    if (argc != 3 || !entry || (void*)entry != (void*)GetProcAddress(dll, "DoCImport") ||
        TKSOpenRepository(":memory:", &repository) != TKS_OK)
        return fprintf(stderr, "usage: stdcall_host HEADER CALLS, beside cimport.dll\n"), 2;
    long calls = atol(argv[2]), moved = 0, failed = 0, messages = 0;
    for (long i = 0; i < calls; ++i) {
        uintptr_t before, after;
        __asm__ volatile("movl %%esp, %0" : "=r"(before));
        const int32_t r = entry(repository, argv[1], 0, 0, 0, 0, "", 0, 0, 0, Count, &messages);
        __asm__ volatile("movl %%esp, %0" : "=r"(after));
        moved += after != before;
        failed += r != 0;
    }
    TKSCloseRepository(repository);
    printf("%ld calls, %ld moved ESP, %ld failed, %ld messages\n", calls, moved, failed, messages);
    return moved == 0 && failed == 0 && messages >= calls ? 0 : 1;
}
