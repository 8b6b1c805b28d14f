#include "fsutil/MediaSource.h"

#include <lzexpand.h>

#include "base/FileContent.h"
#include "base/FormatText.h"
#include "base/PathLimit.h"
#include "base/QuotedText.h"
#include "base/Texts.h"
#include "fsutil/CompressedHeader.h"
#include "fsutil/DestinationFile.h"
#include "fsutil/FileNames.h"
#include "fsutil/FileTransfer.h"
#include "fsutil/LzFile.h"
#include "fsutil/MediaFolder.h"

namespace {

constexpr const char* ProgramPartName = "setup.exe";

// setup-media finds the slot by its tag and writes the digest of the payload's header after it
// when it builds a one-file setup; a program for folder media keeps zeros there. Read through
// volatile, so that the compiler takes it from the image and never from what it was built with.
__attribute__((used)) const volatile char OneFileSlot[8 + DigestTextSize] = {'Q', 'U', 'P', 'S', 'L', 'O', 'T', ':'};

// The full path of the file `name` on the media; the empty text when there is no such file or
// its path is longer than a path may be.
std::string FindOnMedia(const std::string& name) {
    const std::string found = MediaPath(name);
    if (!FitsPathBuffer(found)) return {};
    const DWORD attributes = GetFileAttributesA(found.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? found : std::string();
}

}  // namespace

Status MediaSource::Open() {
    // Opened already, as the run asked what the package is before it started.
    if (carried_) return {};
    char digest[DigestTextSize];
    bool carried = false;
    for (size_t i = 0; i < DigestTextSize; ++i) carried |= (digest[i] = OneFileSlot[8 + i]) != 0;
    // Built for folder media: what follows the image, if anything, is not read.
    if (!carried) return {};
    ownFile_.Reset(CreateFileA(ProgramPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!ownFile_.IsValid())
        return Status::Failed(Text(GetLastError() == ERROR_SHARING_VIOLATION ? TextId::SetupFileInUse : TextId::SetupFileDamaged));
    // The headers of the image that runs, not of whatever file has its name now.
    carried_ = payload_.Open(ownFile_.Get(), ImageFactsOf(GetModuleHandleA(nullptr)), digest);
    return carried_ ? Status() : Status::Failed(Text(TextId::SetupFileDamaged));
}

bool MediaSource::HasDisk(int number) {
    const std::string name = DiskIdFileName(number);
    return carried_ ? payload_.Holds(PartKind::Plain, name) : !FindOnMedia(name).empty();
}

std::string MediaSource::Where(const std::string& name) const { return carried_ ? ProgramPath() : MediaPath(name); }

Result<std::string> MediaSource::Read(const std::string& name) {
    std::string content;
    const PartCopy copied =
        carried_ ? payload_.Copy(PartKind::Plain, name, INVALID_HANDLE_VALUE, &content)
                 : ReadWholeFile(MediaPath(name), content) ? PartCopy::Done : PartCopy::Missing;
    if (copied == PartCopy::Done) return content;
    return Status::Failed(copied == PartCopy::Damaged ? std::string(Text(TextId::SetupFileDamaged))
                                                      : QuotedIn(TextId::CannotOpenFile, Where(name)));
}

PartCopy MediaSource::Expand(const std::string& name, HANDLE out, std::string* text) {
    if (carried_) return payload_.Copy(PartKind::Package, name, out, text);
    const std::string stored = CompressedFileName(name);
    const std::string found = FindOnMedia(stored);
    if (found.empty()) return PartCopy::Missing;
    const LzFile source(found, stored);
    const LONG expanded = source.CopyTo(out, text);
    if (expanded == LZERROR_WRITE) return PartCopy::TargetFailed;
    // A short or damaged copy must not be installed in place of the file.
    return expanded >= 0 && ExpandedAsDeclared(source.Start(), source.StartSize(), static_cast<uint32_t>(expanded))
               ? PartCopy::Done
               : PartCopy::Missing;
}

PartCopy MediaSource::CopyProgram(HANDLE out, std::string* text) {
    if (carried_) return payload_.Copy(PartKind::Program, ProgramPartName, out, text);
    if (text) return ReadWholeFile(ProgramPath(), *text) ? PartCopy::Done : PartCopy::Missing;
    return CopyContent(ProgramPath(), out) ? PartCopy::Done : PartCopy::Missing;
}

MediaSource& Media() {
    // Never destroyed: no exit routine for what the end of the process releases anyway.
    static MediaSource& media = *new MediaSource;
    return media;
}
