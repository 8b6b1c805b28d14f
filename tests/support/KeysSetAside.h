#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Keys below HKEY_LOCAL_MACHINE taken away for as long as the object lives, and put back whole
// afterwards: a test that needs the machine to hold no records or entries of earlier tests.
class KeysSetAside {
public:
    explicit KeysSetAside(std::vector<std::string> keyPaths);
    ~KeysSetAside();
    KeysSetAside(const KeysSetAside&) = delete;
    KeysSetAside& operator=(const KeysSetAside&) = delete;

private:
    std::vector<std::string> keyPaths_;
    std::string keptRoot_;
};
