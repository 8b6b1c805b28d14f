#include "setupdata/UnicodeProfileCopy.h"

#include <windows.h>

#include "base/FileContent.h"
#include "base/OwnedHandle.h"
#include "base/TextEncoding.h"

namespace {

constexpr char ByteOrderMark[] = {'\xFF', '\xFE'};

bool WriteAll(HANDLE file, const char* bytes, DWORD size) {
    DWORD written = 0;
    return WriteFile(file, bytes, size, &written, nullptr) && written == size;
}

// The mark, then the text.
bool WriteUtf16File(const std::string& path, DWORD disposition, const std::string& utf16) {
    const FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsValid() && WriteAll(file.Get(), ByteOrderMark, sizeof ByteOrderMark) &&
           WriteAll(file.Get(), utf16.data(), static_cast<DWORD>(utf16.size()));
}

}  // namespace

bool CopyAsUnicodeProfile(const std::string& source, const std::string& target) {
    std::string content;
    return ReadWholeFile(source, content) && WriteUnicodeProfile(target, content);
}

bool WriteUnicodeProfile(const std::string& path, const std::string& content) {
    if (WriteUtf16File(path, CREATE_ALWAYS, DecodeAuthorText(content))) return true;
    DeleteFileA(path.c_str());
    return false;
}

bool CreateUnicodeProfile(const std::string& path) { return WriteUtf16File(path, CREATE_NEW, {}); }
