#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Helpers of the install engine tests.
namespace installtests {

// A key of the test's own, HKEY_CURRENT_USER\Software\SetupTests\<name>, removed with
// everything below it before and after the test.
class TestRegistryKey {
public:
    explicit TestRegistryKey(const std::string& name);
    ~TestRegistryKey();
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    // The key as a setup script writes it, with `below` appended after a "\" when given.
    std::string Text(const std::string& below = "") const;
    // The path below HKEY_CURRENT_USER.
    std::string Path(const std::string& below = "") const;

private:
    std::string path_;
};

bool KeyExists(HKEY root, const std::string& path);
// Creates the key (and its parents) as a program other than setup would.
bool MakeKey(HKEY root, const std::string& path);
std::optional<std::string> ReadStringValue(HKEY root, const std::string& path, const std::string& name);
std::optional<DWORD> ReadIntegerValue(HKEY root, const std::string& path, const std::string& name);
// What `reg query <key>` prints, run as its own process as a user would run it.
std::string RegQueryOutput(const std::string& keyName);

inline constexpr const char* ShellFoldersPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// The shell rewrites the values above from these whenever it looks a folder up.
inline constexpr const char* UserShellFoldersPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// Sets one value of a shell folders key for the test and puts the old state back after it.
class ShellFolderOverride {
public:
    ShellFolderOverride(HKEY root, const std::string& valueName, const std::string& folder,
                        const char* keyPath = ShellFoldersPath);
    ~ShellFolderOverride();
    ShellFolderOverride(const ShellFolderOverride&) = delete;
    ShellFolderOverride& operator=(const ShellFolderOverride&) = delete;

private:
    HKEY root_;
    std::string keyPath_;
    std::string valueName_;
    DWORD previousType_ = REG_NONE;
    std::optional<std::vector<BYTE>> previous_;
};

}  // namespace installtests
