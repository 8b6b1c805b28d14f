// The library's helpers that raise its own error types for misused containers and strings. They
// would bring those types, and with them a second string implementation, into the program; the
// program's own error type carries the same message instead. Linked into the shipped program only.
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
void __throw_bad_function_call() { throw SetupError("Empty function called"); }

}  // namespace std
