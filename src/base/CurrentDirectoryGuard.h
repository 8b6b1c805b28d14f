#pragma once
#include <string>

// The process's current directory, whole; the empty text when the platform cannot tell it.
std::string CurrentDirectory();

// Saves the process's current directory and makes it current again when the guard goes out
// of scope, on every way out, an exception included. The current directory is the setup
// media, where bare names are looked up, so nothing may leave it moved.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard();
    ~CurrentDirectoryGuard();
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

private:
    std::string saved_;
};
