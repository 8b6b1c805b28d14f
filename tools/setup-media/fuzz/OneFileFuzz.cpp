// setup-media's one-file reader (what unpack, check --media and manifest read) on files made from
// the input (FuzzedOneFile.h). A damaged file must end in BuildError; anything else that escapes,
// and any read or write outside a buffer, is a fault.
#include <cstdlib>

#include "FuzzedOneFile.h"
#include "media/BuildError.h"
#include "media/OneFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FuzzedOneFile input = OneFileOfInput(data, size);
    try {
        for (const PayloadPart& part : ReadOneFile(input.file, "fuzzed.exe"))
            if (!PlainRelativeName(part.name)) std::abort();
    } catch (const BuildError&) {
    }
    return 0;
}
