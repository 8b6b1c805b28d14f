#pragma once
#include <windows.h>

#include <string>

// The user's desktop moved to a folder of the test's own for as long as the object lives: wine's
// own is a link to the Linux home folder, through which the uninstall rightly deletes nothing.
// Both the shell's cache and what it fills the cache from are set, and put back as they were.
class DesktopMoved {
public:
    explicit DesktopMoved(const std::string& folder);
    ~DesktopMoved();
    DesktopMoved(const DesktopMoved&) = delete;
    DesktopMoved& operator=(const DesktopMoved&) = delete;

private:
    struct Value {
        const char* key;
        DWORD type = REG_SZ;
        char data[MAX_PATH * 2] = {};
        DWORD size = 0;
    };
    Value values_[2] = {{"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"},
                        {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders"}};
};
