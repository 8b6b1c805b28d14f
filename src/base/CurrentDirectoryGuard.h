#pragma once
#include <string>

// The process's current directory, whole; the empty text when the platform cannot tell it.
std::string CurrentDirectory();

// Saves the process's current directory and makes it current again when the guard goes out
// of scope, on every way out. The platform holds the current directory open, so a folder a step
// left current (one walked into, one the user browsed to) could be neither removed nor renamed
// while the run lasts: nothing may leave it moved.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard();
    ~CurrentDirectoryGuard();
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

private:
    std::string saved_;
};
