#include "base/FileContent.h"

#include "base/OwnedHandle.h"

namespace {

FileHandle OpenForReading(const std::string& path) {
    return FileHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& content) {
    const FileHandle file = OpenForReading(path);
    if (!file.IsValid()) return false;
    content.clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
        if (got == 0) return true;
        content.append(buffer, got);
    }
    return false;
}

bool WriteWholeFile(const std::string& path, const std::string& content) {
    const FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file.IsValid() && WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
           written == content.size();
}
