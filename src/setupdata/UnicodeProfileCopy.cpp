#include "setupdata/UnicodeProfileCopy.h"

#include <windows.h>

#include "base/FileContent.h"
#include "base/OwnedHandle.h"
#include "base/TextEncoding.h"

namespace {

constexpr wchar_t ByteOrderMark = 0xFEFF;

bool WriteUtf16File(const std::string& path, DWORD disposition, const std::wstring& text) {
    const FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return false;
    const auto size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    DWORD written = 0;
    return WriteFile(file.Get(), text.data(), size, &written, nullptr) && written == size;
}

}  // namespace

bool CopyAsUnicodeProfile(const std::string& source, const std::string& target) {
    std::string content;
    if (!ReadWholeFile(source, content)) return false;
    const std::wstring text = std::wstring(1, ByteOrderMark) + DecodeAuthorText(content);
    if (WriteUtf16File(target, CREATE_ALWAYS, text)) return true;
    DeleteFileA(target.c_str());
    return false;
}

bool CreateUnicodeProfile(const std::string& path) {
    return WriteUtf16File(path, CREATE_NEW, std::wstring(1, ByteOrderMark));
}
