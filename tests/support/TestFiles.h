#pragma once
#include <windows.h>

#include <string>

// A folder of its own below the Temp directory, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing "\".
    const std::string& Path() const { return path_; }
    // Path() + "\" + name.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void WriteTextFile(const std::string& path, const std::string& content);
// The whole file as bytes; the empty text for a missing file.
std::string ReadTextFile(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
void RemoveTree(const std::string& path);
// The current directory, without a trailing "\" (except at a drive root).
std::string CurrentFolder();
// Converts a Linux path to the path wine shows for it (Z:\...).
std::string WinePath(const std::string& unixPath);

// Restores the current directory when it goes out of scope.
class CurrentFolderGuard {
public:
    CurrentFolderGuard() : saved_(CurrentFolder()) {}
    ~CurrentFolderGuard() { SetCurrentDirectoryA(saved_.c_str()); }
    CurrentFolderGuard(const CurrentFolderGuard&) = delete;
    CurrentFolderGuard& operator=(const CurrentFolderGuard&) = delete;

private:
    std::string saved_;
};
