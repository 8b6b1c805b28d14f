#include "setupdata/ProfileFile.h"

#include <windows.h>

#include "base/FormatText.h"
#include "base/SetupError.h"
#include "setupdata/IntegerText.h"

namespace {

constexpr DWORD FirstBufferSize = 1024;
// The platform marks a cut by filling the buffer to its size less this margin:
// one byte for a value, two for a list of names.
constexpr DWORD ValueCutMargin = 1;
constexpr DWORD NameListCutMargin = 2;

// GetPrivateProfileStringA with a buffer that grows until the whole text fits, because a cut
// path or a lost log entry would install or delete the wrong thing.
std::string ReadWholeText(const std::string& path, const char* section, const char* key, const char* defaultValue,
                          DWORD cutMargin) {
    for (DWORD size = FirstBufferSize;; size *= 2) {
        std::string buffer(size, '\0');
        const DWORD length = GetPrivateProfileStringA(section, key, defaultValue, buffer.data(), size, path.c_str());
        if (length + cutMargin < size) {
            buffer.resize(length);
            return buffer;
        }
    }
}

// Texts separated by zero bytes; an empty name cannot be read back by name, so it is left out.
std::vector<std::string> SplitAtZeroBytes(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\0', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::string ProfileFile::ReadValue(const char* section, const char* key, const char* defaultValue) const {
    return ReadWholeText(path_, section, key, defaultValue, ValueCutMargin);
}

void ProfileFile::WriteValue(const char* section, const char* key, const std::string& value) const {
    if (!WritePrivateProfileStringA(section, key, value.c_str(), path_.c_str()))
        throw SetupError(FormatText("Unable to write to %s", path_.c_str()));
    // The log is later copied as a plain file, so nothing may wait in the platform's cache.
    // This flush call reports failure by design; its result says nothing.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
}

int32_t ProfileFile::ReadNumber(const char* section, const char* key, int32_t defaultValue) const {
    std::string text = ReadValue(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
    return ParseIntegerText(text).value_or(defaultValue);
}

void ProfileFile::ReadKeyNames(const char* section, std::vector<std::string>& names) const {
    names = SplitAtZeroBytes(ReadWholeText(path_, section, nullptr, "", NameListCutMargin));
}

void ProfileFile::ReadEntries(const char* section, EntryList& list) const {
    std::vector<std::string> names;
    ReadKeyNames(section, names);
    for (const std::string& name : names) {
        const std::string value = ReadValue(section, name.c_str(), "");
        const int existing = list.IndexOf(name);
        if (!value.empty()) {
            // A repeated name keeps its place and value but takes this occurrence's letter case.
            if (existing >= 0)
                list.Replace(static_cast<size_t>(existing), name, value);
            else
                list.Append(name, value);
        } else if (existing >= 0) {
            list.Remove(static_cast<size_t>(existing));
        }
    }
}
