#include "setupdata/RegistryAccess.h"

#include <cstring>

#include "base/FormatText.h"
#include "base/QuotedText.h"

namespace {

// RegOpenKeyExA takes paths below the root without the leading "\" the callers give.
const char* BelowRoot(const char* path) {
    const char* p = path;
    while (*p == '\\') ++p;
    return p;
}

// The key below the root, for full access, made when `canCreate` allows; none when that failed.
RegistryKey OpenBelow(HKEY root, const char* path, bool canCreate) {
    HKEY key = nullptr;
    const LONG result = canCreate ? RegCreateKeyExA(root, BelowRoot(path), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                    KEY_ALL_ACCESS, nullptr, &key, nullptr)
                                  : RegOpenKeyExA(root, BelowRoot(path), 0, KEY_ALL_ACCESS, &key);
    return RegistryKey(result == ERROR_SUCCESS ? key : nullptr);
}

}  // namespace

void RegistryAccess::SetRootKey(HKEY root) {
    CloseKey();
    root_ = root;
}

bool RegistryAccess::OpenKey(const char* path, bool canCreate) {
    RegistryKey key = OpenBelow(root_, path, canCreate);
    if (!key.IsValid()) return false;
    current_.Reset(key.Release());
    return true;
}

bool RegistryAccess::CreateKey(const char* path) { return OpenBelow(root_, path, true).IsValid(); }

Result<std::string> RegistryAccess::ReadString(const char* name) const {
    if (!current_.IsValid()) return std::string();
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(current_.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::string();
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return FailedQuoting(TextId::InvalidDataType, name);
    std::string value(size + 1, '\0');
    DWORD got = size + 1;
    if (RegQueryValueExA(current_.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &got) !=
        ERROR_SUCCESS)
        return std::string();
    value.resize(strlen(value.c_str()));  // c_str() ends in a zero even if the data does not
    return value;
}

Status RegistryAccess::WriteData(const char* name, DWORD type, const void* data, DWORD size) {
    const LONG result = current_.IsValid()
                            ? RegSetValueExA(current_.Get(), name, 0, type, static_cast<const BYTE*>(data), size)
                            : ERROR_INVALID_HANDLE;
    if (result == ERROR_SUCCESS) return {};
    return FailedQuoting(TextId::FailedToSetData, name);
}

Status RegistryAccess::WriteString(const char* name, const std::string& value) {
    return WriteData(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

Status RegistryAccess::WriteInteger(const char* name, int32_t value) {
    const DWORD data = static_cast<DWORD>(value);
    return WriteData(name, REG_DWORD, &data, sizeof data);
}

void RegistryAccess::CloseKey() { current_.Reset(); }
