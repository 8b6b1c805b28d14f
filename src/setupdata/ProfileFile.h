#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/Status.h"
#include "setupdata/EntryList.h"

// The default that tells a missing key from a present one.
inline constexpr const char* MissingValueMark = "__Oh Oh__";

// One profile (INI) file, read and written through the platform's profile-file functions.
// It caches nothing: every read goes to the file, every write is on disk when it returns.
// Section and key names are passed as plain texts: almost all of them are the fixed names of
// the two files.
class ProfileFile {
public:
    explicit ProfileFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // The key's value, or `defaultValue` when the file, section or key is missing.
    std::string ReadValue(const char* section, const char* key, const char* defaultValue) const;
    // Fails with "Unable to write to <path>" when the write fails.
    Status WriteValue(const char* section, const char* key, const std::string& value) const;
    // Replaces the whole section with `entries` in one write; fails as WriteValue does.
    Status WriteSection(const char* section, const EntryList& entries) const;
    // The key's value by the integer-text rule ("0x" prefix allowed); `defaultValue` when missing or malformed.
    int32_t ReadNumber(const char* section, const char* key, int32_t defaultValue) const;
    // Empties `names`, then lists the section's key names in file order.
    void ReadKeyNames(const char* section, std::vector<std::string>& names) const;
    // Adds the section's distinct keys with non-empty values, in order of first occurrence.
    void ReadEntries(const char* section, EntryList& list) const;

private:
    Status Written(int result) const;

    std::string path_;
};
