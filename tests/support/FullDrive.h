#pragma once
#include <string>

#include "support/TestFiles.h"

// A small drive that fills up: a tmpfs of `kilobytes` mounted by the Linux side and mapped as
// the wine drive `letter`, then filled so that `freePages` pages of 4 KB stay free (tmpfs counts
// whole pages). Mounting needs root; Mounted() tells whether it worked.
class FullDrive {
public:
    FullDrive(char letter, int kilobytes, int freePages);
    ~FullDrive();
    FullDrive(const FullDrive&) = delete;
    FullDrive& operator=(const FullDrive&) = delete;

    bool Mounted() const { return mounted_; }
    // Why it could not be mounted.
    const std::string& Problem() const { return problem_; }
    // "X:\".
    std::string Root() const { return std::string(1, letter_) + ":\\"; }

private:
    char letter_;
    TempFolder mountPoint_;
    bool mounted_ = false;
    std::string problem_;
};
