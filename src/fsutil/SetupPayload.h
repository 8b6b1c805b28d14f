#pragma once
#include <string>

// The media a one-file setup carries after the program's image (fsutil/PayloadFormat.h). The
// program's own file is opened once, denying others the right to write it, checked whole, and
// held for the rest of the run: every part is read through that handle, so what was checked is
// what is used, even when the file sits in a folder another process can write.

// Looks at the program's own file. Without a payload (nothing after the image but a signature
// or other data without the payload's mark) nothing is held and the run reads its media as before. The text to show when the file cannot be used (damaged, or open for writing
// elsewhere); null when the run may go on.
const char* OpenSetupPayload();
// True once OpenSetupPayload found and checked a payload.
bool HasSetupPayload();
// True when the payload holds a part of that name (compared as the platform compares names).
bool PayloadHolds(const std::string& name);
// Writes the part `name` into the file `target`, replacing it; false when there is no such
// part or it cannot be written, and then no part of `target` is left.
bool UnpackPayloadPart(const std::string& name, const std::string& target);

// A part unpacked for as long as the object lives, when the program carries a payload.
class UnpackedPart {
public:
    UnpackedPart(const std::string& name, const std::string& path);
    ~UnpackedPart();
    UnpackedPart(const UnpackedPart&) = delete;
    UnpackedPart& operator=(const UnpackedPart&) = delete;

    // Whether the part comes from a payload rather than from media folders.
    bool Carried() const { return carried_; }
    // The unpacked file; empty when the payload has no such part or it could not be written.
    const std::string& Path() const { return path_; }

private:
    bool carried_;
    std::string path_;
};
