#include "app/SystemFolders.h"

#include <windows.h>

namespace {

// Asks with a buffer of one path; a longer answer is fetched whole, never cut.
template <class Query>
std::string QueryFolder(Query query) {
    std::string text(MAX_PATH, '\0');
    DWORD length = query(text.data(), static_cast<DWORD>(text.size()));
    if (length >= text.size()) {
        text.resize(length);
        length = query(text.data(), length);
    }
    text.resize(length < text.size() ? length : 0);
    return text;
}

}  // namespace

std::string WindowsFolder() {
    return QueryFolder([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string SystemFolder() {
    return QueryFolder([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
}

std::string TempFolderPath() {
    return WithTrailingBackslash(QueryFolder([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); }));
}

std::string WithTrailingBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}
