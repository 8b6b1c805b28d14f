// Loads lz32.dll by its bare name, as a program that does nothing against planted DLLs does;
// given "narrowed", it first narrows the DLL search as setup.exe does.
#include <windows.h>

#include <cstring>

#include "base/SystemLibrary.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "narrowed") == 0) NarrowDllSearch();
    return LoadLibraryA("lz32.dll") ? 0 : 1;
}
