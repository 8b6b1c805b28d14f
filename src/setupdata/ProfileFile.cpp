#include "setupdata/ProfileFile.h"

#include <windows.h>

#include "base/FormatText.h"
#include "setupdata/IntegerText.h"

namespace {

constexpr DWORD FirstBufferSize = 1024;
// The platform marks a cut by filling the buffer to its size less this margin:
// one byte for a value, two for a list of names.
constexpr DWORD ValueCutMargin = 1;
constexpr DWORD NameListCutMargin = 2;
// A cut may stop short of that mark by the bytes of a UTF-8 character that did not fit whole.
constexpr DWORD CharacterCutSlack = 3;

// What a profile function `read(buffer, size)` gives, with a buffer that grows until the whole
// text fits, because a cut path or a lost log entry would install or delete the wrong thing.
template <class Read>
std::string ReadUncut(DWORD cutMargin, Read read) {
    for (DWORD size = FirstBufferSize;; size *= 2) {
        std::string buffer(size, '\0');
        const DWORD length = read(buffer.data(), size);
        if (length + cutMargin + CharacterCutSlack < size) {
            buffer.resize(length);
            return buffer;
        }
    }
}

std::string ReadWholeText(const std::string& path, const char* section, const char* key, const char* defaultValue,
                          DWORD cutMargin) {
    return ReadUncut(cutMargin, [&](char* buffer, DWORD size) {
        return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, path.c_str());
    });
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

// The section's lines, "name=value" each, read in one call.
std::vector<std::string> ReadSectionLines(const std::string& path, const char* section) {
    return SplitAtZeroBytes(ReadUncut(NameListCutMargin, [&](char* buffer, DWORD size) {
        return GetPrivateProfileSectionA(section, buffer, size, path.c_str());
    }));
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Each key's value as reading it by name gives it, taken from the section's lines: one call where
// a read per key costs the platform a search of the section each time. Empty when the lines do
// not stand one for one with the key names, or a value is empty, blank-edged or quoted (which a
// read by name treats its own way): the caller then reads key by key.
std::vector<std::string> ValuesFromLines(const std::vector<std::string>& names, const std::vector<std::string>& lines) {
    if (lines.size() != names.size()) return {};
    std::vector<std::string> values;
    values.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const size_t equals = names[i].size();
        if (line.size() <= equals + 1 || line[equals] != '=' || line.compare(0, equals, names[i]) != 0) return {};
        const char first = line[equals + 1];
        const char last = line.back();
        if (IsBlank(first) || IsBlank(last) || ((first == '"' || first == '\'') && last == first)) return {};
        values.push_back(line.substr(equals + 1));
    }
    return values;
}

}  // namespace

std::string ProfileFile::ReadValue(const char* section, const char* key, const char* defaultValue) const {
    return ReadWholeText(path_, section, key, defaultValue, ValueCutMargin);
}

Status ProfileFile::Written(int result) const {
    return result ? Status() : Status::Failed(FormatText(TextId::UnableToWrite, path_.c_str()));
}

Status ProfileFile::WriteValue(const char* section, const char* key, const std::string& value) const {
    return Written(WritePrivateProfileStringA(section, key, value.c_str(), path_.c_str()));
}

Status ProfileFile::WriteSection(const char* section, const EntryList& entries) const {
    // "name=value" lines, each ended by a zero byte, and one more zero byte after the last.
    std::string lines;
    for (const Entry& entry : entries) {
        lines.append(entry.name).append("=").append(entry.value);
        lines += '\0';
    }
    lines += '\0';
    return Written(WritePrivateProfileSectionA(section, lines.c_str(), path_.c_str()));
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
    const std::vector<std::string> values = ValuesFromLines(names, ReadSectionLines(path_, section));
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        const int existing = list.IndexOf(name);
        // A repeated name reads as its first occurrence, the value the list already holds.
        const std::string value = values.empty() ? ReadValue(section, name.c_str(), "")
                                  : existing >= 0 ? list.Value(static_cast<size_t>(existing))
                                                  : values[i];
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
