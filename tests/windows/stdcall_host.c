/* A host as the modelling tools are: loads cimport.dll, looks its entry up by the decorated
 * name and calls it through a __stdcall pointer many times.  A callee that did not remove its
 * 48 bytes of arguments would move the stack pointer; ESP is compared around every call. */
#include <stdint.h>
#include <stdio.h>
#include <windows.h>

#include "cimport.h"
#include "tksbeapi_host.h"

typedef int32_t(__stdcall* Entry)(TKSHandle, const char*, int32_t, int32_t, int32_t, int32_t,
                                  const char*, int32_t, int32_t, int32_t, CImportCallback, void*);

static void CountMessage(void* context, const char* text) {
    (void)text;
    ++*(long*)context;
}

static uintptr_t StackPointer(void) {
    uintptr_t esp;
    __asm__ volatile("movl %%esp, %0" : "=r"(esp));
    return esp;
}

int main(int argc, char** argv) {
    const long calls = argc > 2 ? atol(argv[2]) : 10000;
    HMODULE dll = LoadLibraryA("cimport.dll");
    Entry entry = dll ? (Entry)(void*)GetProcAddress(dll, "DoCImport@48") : NULL;
    TKSHandle repository = 0;
    if (argc < 2 || entry == NULL || (void*)entry != (void*)GetProcAddress(dll, "DoCImport") ||
        TKSOpenRepository(":memory:", &repository) != TKS_OK) {
        fprintf(stderr, "usage: stdcall_host HEADER [CALLS]; cimport.dll and its entry needed\n");
        return 2;
    }
    long first = -1, moved = 0, failed = 0;
    for (long i = 0; i < calls; ++i) {
        long messages = 0;
        const uintptr_t before = StackPointer();
        const int32_t result =
            entry(repository, argv[1], 0, 0, 0, 0, "", 0, 0, 0, CountMessage, &messages);
        const uintptr_t after = StackPointer();
        if (after != before) ++moved;
        if (result != 0) ++failed;
        if (first < 0) first = messages;
    }
    TKSCloseRepository(repository);
    printf("%ld calls, %ld moved the stack pointer, %ld failed, %ld messages in the first\n",
           calls, moved, failed, first);
    return moved == 0 && failed == 0 && first > 0 ? 0 : 1;
}
