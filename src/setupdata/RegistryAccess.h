#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/OwnedHandle.h"
#include "base/Status.h"

// The registry-access object of the run: a root key (HKEY_CURRENT_USER when made) and at
// most one open current key, which it owns and closes. Key paths given with a leading "\"
// are taken below the root key.
class RegistryAccess {
public:
    void SetRootKey(HKEY root);
    HKEY RootKey() const { return root_; }
    // Opens the key for full access and makes it current; a failed open leaves the current key as it was.
    bool OpenKey(const char* path, bool canCreate);
    // Creates the key below the root (and closes what it created); true on success.
    bool CreateKey(const char* path);
    // The named text value of the current key; the empty text when the value or the key is missing.
    // Fails when the value is not text.
    Result<std::string> ReadString(const char* name) const;
    // Fail with "Failed to set data for '<name>'" when the value cannot be written.
    Status WriteString(const char* name, const std::string& value);
    Status WriteInteger(const char* name, int32_t value);
    void CloseKey();
    bool HasCurrentKey() const { return current_.IsValid(); }

private:
    Status WriteData(const char* name, DWORD type, const void* data, DWORD size);

    HKEY root_ = HKEY_CURRENT_USER;
    RegistryKey current_;
};
