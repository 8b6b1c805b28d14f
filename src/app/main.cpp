// The process's start and end. The C runtime's start-up code is left out of the link
// (-nostartfiles): it brings an argument parser, signal and floating-point set-up and tables of
// start-up and thread-storage routines, none of which the program uses. What it did that the
// program needs is here: the static objects are made before the run, and the routines that
// destroy them run after it, newest first, as exit() would run them.
#include <windows.h>

#include <cstdlib>

#include "app/SetupProgram.h"
#include "base/SystemLibrary.h"

// The linker's list of the static objects' constructors: a -1, the constructors, a 0.
extern "C" void (*__CTOR_LIST__[])();

namespace {

struct ExitRoutine {
    ExitRoutine* next;
    void (*run)();
};
ExitRoutine* exitRoutines = nullptr;

void MakeStaticObjects() {
    size_t count = 0;
    while (__CTOR_LIST__[count + 1]) ++count;
    // The compiler lists them in reverse order of construction.
    for (size_t i = count; i > 0; --i) __CTOR_LIST__[i]();
}

}  // namespace

// Called by each static object's constructor to have it destroyed at the end.
extern "C" int __cdecl atexit(void (*run)()) {
    auto* routine = static_cast<ExitRoutine*>(malloc(sizeof(ExitRoutine)));
    if (!routine) return -1;
    *routine = ExitRoutine{exitRoutines, run};
    exitRoutines = routine;
    return 0;
}

extern "C" {

#if defined(__i386__)
// Windows starts a 32-bit process with its stack aligned to 4 bytes only.
__attribute__((force_align_arg_pointer))
#endif
void SetupEntry() {
    NarrowDllSearch();
    MakeStaticObjects();
    const int code = RunSetupProgram(GetCommandLineA());
    for (ExitRoutine* routine = exitRoutines; routine; routine = routine->next) routine->run();
    ExitProcess(code);
}

}  // extern "C"
