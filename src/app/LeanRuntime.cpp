// Smaller stand-ins for pieces of the language runtime and the start-up code, linked into the
// shipped program only. First, the library's helpers that raise its own error types for misused
// containers and strings: they would bring those types, and with them a second string
// implementation, into the program; the program's own error type carries the same message instead.
#include <math.h>

#include <new>

#include "base/SetupError.h"

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_alloc(); }
void __throw_length_error(const char* message) { throw SetupError(message); }
void __throw_logic_error(const char* message) { throw SetupError(message); }
void __throw_out_of_range(const char* message) { throw SetupError(message); }
void __throw_out_of_range_fmt(const char* format, ...) { throw SetupError(format); }
void __throw_invalid_argument(const char* message) { throw SetupError(message); }
void __throw_bad_function_call() { throw SetupError("Unexpected error"); }

}  // namespace std

// The program runs its C++ on one thread, so the exception state needs no per-thread storage
// (which would bring the library's emulated thread-local storage). The layout is the one the C++
// ABI gives this record: the exceptions being handled, and how many are thrown but not yet caught.
namespace {
struct ExceptionGlobals {
    void* caughtExceptions;
    unsigned int uncaughtExceptions;
} exceptionGlobals;
}  // namespace

extern "C" {

void* __cxa_get_globals() noexcept { return &exceptionGlobals; }
void* __cxa_get_globals_fast() noexcept { return &exceptionGlobals; }

// The program does no floating-point mathematics; the start-up code's default report of a maths
// error would bring a console printer with it.
int __cdecl _matherr(struct _exception*) { return 0; }

// The link refuses any import that would need fixing up at start (--disable-runtime-pseudo-reloc
// in CMakeLists.txt), so the start-up code's relocator has nothing to do.
void _pei386_runtime_relocator() {}

}  // extern "C"
