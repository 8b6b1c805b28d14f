// Smaller stand-ins for pieces of the language runtime, linked into the shipped program only. The
// program is built without C++ exceptions: where the library would raise one (no memory left, a
// string beyond its largest size), the run cannot go on, and it ends here with the fatal-error
// message, as a start-up check that fails ends it.
#include <windows.h>

#include <cstdlib>

#include "app/UnattendedRun.h"
#include "state/RunFace.h"
#include "state/SetupState.h"

namespace {

// An unattended run writes the message to its log and ends as a failed run; on the screen the
// message is shown, and a run that was not started unattended ends with 0. A failure met while
// the message is written (memory is short) ends the process at once.
[[noreturn]] void EndRunWith(const char* message) {
    static bool ending = false;
    if (!ending) {
        ending = true;
        ReportFailure(Status::Fatal(message));
    }
    ExitProcess(Setup.Face ? ExitFailed : ExitSuccess);
}

}  // namespace

namespace std {

void __throw_bad_alloc() { EndRunWith("Out of memory"); }
void __throw_bad_array_new_length() { EndRunWith("Out of memory"); }
// A text or list longer than memory can hold. The library's own words (the name of the function
// that refused) tell the user nothing, and they would be in every download.
void __throw_length_error(const char*) { EndRunWith("Out of memory"); }
// A position past the end, a string made from no text: faults of the program, which the user can
// do nothing about (and the format's numbers would not be filled in).
void __throw_logic_error(const char*) { EndRunWith("Internal error"); }
void __throw_out_of_range(const char*) { EndRunWith("Internal error"); }
void __throw_out_of_range_fmt(const char*, ...) { EndRunWith("Internal error"); }
void __throw_invalid_argument(const char*) { EndRunWith("Internal error"); }

}  // namespace std

// The library's own would raise its error type when memory runs out.
void* operator new(size_t size) {
    if (void* memory = malloc(size ? size : 1)) return memory;
    EndRunWith("Out of memory");
}
void operator delete(void* memory) noexcept { free(memory); }
void operator delete(void* memory, size_t) noexcept { free(memory); }
// The library's array forms carry unwind tables, which the program would then keep for them alone.
void* operator new[](size_t size) { return operator new(size); }
void operator delete[](void* memory) noexcept { free(memory); }
void operator delete[](void* memory, size_t) noexcept { free(memory); }
