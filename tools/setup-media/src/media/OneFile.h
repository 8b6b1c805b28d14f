#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fsutil/PayloadFormat.h"

// One file of the media as a part of a one-file setup's payload.
struct PayloadPart {
    std::string name;  // as the media name it: "install.ini", "docs\licence.txt", "app.exe" (stored as app.ex_)
    PartKind kind = PartKind::Plain;
    std::string content;  // as installed: a package file uncompressed
    // What the index records as its CRC-32; the content's own when empty, as builds leave it.
    std::optional<uint32_t> crc;
};

// The name under which the media hold `part`.
std::string MediaNameOf(const PayloadPart& part);

// Whether `name` is one the media can hold on every platform: relative, inside the media's
// folder, no stream or device syntax ("docs\licence.txt", never "..\x", "C:x", "\x" or "a:b").
bool PlainRelativeName(const std::string& name);

// The one-file setup of the program `setupExe` (its bytes) carrying `parts` in that order; the
// part of kind Program is `setupExe` itself, which the payload keeps as what the image lacks. The
// program's image without a signature it carries, with the header's digest in its slot, then the
// header, the stream, zeros up to a multiple of 8 (where a signature may go) and the checksum
// set. Throws BuildError when `setupExe` is not a Windows program with an empty slot or carries
// more than its image and a signature. The parts are written as they are given: their names are
// the builder's to check.
std::string MakeOneFile(const std::string& setupExe, const std::vector<PayloadPart>& parts);

// The one-file setup of `setupExe` whose payload is `stream`, an LZMA stream whose first unpacked
// bytes are `index`: what MakeOneFile writes around the stream it made. The stream is taken as it
// is given, so that tests and fuzzing can seal one a build would never make; throws as
// MakeOneFile does.
std::string SealOneFile(const std::string& setupExe, const std::string& index, const std::string& stream);

// The parts of the one-file setup `file`, each checked, the program's own part as the program it
// was built from; throws BuildError, naming `label`, when it is none or is damaged (a part whose
// name is not a plain relative path, or two parts of one media name, included).
std::vector<PayloadPart> ReadOneFile(const std::string& file, const std::string& label);
