#pragma once
#include <windows.h>

#include <string>

#include "base/OwnedHandle.h"
#include "base/Status.h"
#include "fsutil/PayloadReader.h"

// The setup media as the run reads them, whichever they are: the folder the program was started
// from (the package's files compressed there, each checked against the script's [FileDigests]
// as it is expanded), or the payload of a one-file setup, checked whole when the run starts and
// every part again as it is decoded. The run asks for a file by its name; where the bytes go is
// the caller's.
class MediaSource {
public:
    // Decides which, as an install starts (again: the same answer). A program built as a one-file setup (its image
    // carries the digest of its payload's header) reads its payload and nothing else: its own
    // file is opened once, denying others the right to write it, and must hold the payload the
    // image was built with. The failure is the text to show.
    Status Open();

    // True when the identification file of disk `number` is there.
    bool HasDisk(int number);
    // Where the media's file `name` is read from, for messages.
    std::string Where(const std::string& name) const;
    // The whole file `name` as the media hold it (the script, the licence).
    Result<std::string> Read(const std::string& name);
    // The package file `name` (as the script names it), expanded, into `out`, a plain file open
    // for writing, or appended to `text` when that is given.
    PartCopy Expand(const std::string& name, HANDLE out, std::string* text = nullptr);
    // The setup program as the media were given it, into `out`: what the uninstall runs.
    PartCopy CopyProgram(HANDLE out, std::string* text = nullptr);

private:
    FileHandle ownFile_;
    PayloadReader payload_;
    bool carried_ = false;
};

// The run's media.
MediaSource& Media();
