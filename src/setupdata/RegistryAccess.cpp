#include "setupdata/RegistryAccess.h"

#include <cstring>

#include "toolkit/FormatText.h"
#include "toolkit/SetupError.h"

namespace {

// RegOpenKeyExA takes paths below the root without the leading "\" the callers give.
const char* BelowRoot(const std::string& path) {
    const char* p = path.c_str();
    while (*p == '\\') ++p;
    return p;
}

LONG CreateBelow(HKEY root, const std::string& path, HKEY& key) {
    return RegCreateKeyExA(root, BelowRoot(path), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                           nullptr);
}

}  // namespace

RegistryAccess::~RegistryAccess() { CloseKey(); }

void RegistryAccess::SetRootKey(HKEY root) {
    CloseKey();
    root_ = root;
}

bool RegistryAccess::OpenKey(const std::string& path, bool canCreate) {
    HKEY key = nullptr;
    const LONG result =
        canCreate ? CreateBelow(root_, path, key) : RegOpenKeyExA(root_, BelowRoot(path), 0, KEY_ALL_ACCESS, &key);
    if (result != ERROR_SUCCESS) return false;
    CloseKey();
    current_ = key;
    return true;
}

bool RegistryAccess::CreateKey(const std::string& path) {
    HKEY key = nullptr;
    if (CreateBelow(root_, path, key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::string RegistryAccess::ReadString(const std::string& name) const {
    if (!current_) return {};
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(current_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw SetupError(FormatText("Invalid data type for '%s'", name.c_str()));
    std::string value(size + 1, '\0');
    DWORD got = size + 1;
    if (RegQueryValueExA(current_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &got) !=
        ERROR_SUCCESS)
        return {};
    value.resize(strnlen(value.c_str(), value.size()));
    return value;
}

void RegistryAccess::WriteString(const std::string& name, const std::string& value) {
    const LONG result = current_ ? RegSetValueExA(current_, name.c_str(), 0, REG_SZ,
                                                  reinterpret_cast<const BYTE*>(value.c_str()),
                                                  static_cast<DWORD>(value.size() + 1))
                                 : ERROR_INVALID_HANDLE;
    if (result != ERROR_SUCCESS) throw SetupError(FormatText("Failed to set data for '%s'", name.c_str()));
}

void RegistryAccess::WriteInteger(const std::string& name, int32_t value) {
    const DWORD data = static_cast<DWORD>(value);
    const LONG result = current_ ? RegSetValueExA(current_, name.c_str(), 0, REG_DWORD,
                                                  reinterpret_cast<const BYTE*>(&data), sizeof data)
                                 : ERROR_INVALID_HANDLE;
    if (result != ERROR_SUCCESS) throw SetupError(FormatText("Failed to set data for '%s'", name.c_str()));
}

void RegistryAccess::CloseKey() {
    if (current_) RegCloseKey(current_);
    current_ = nullptr;
}

bool RegistryAccess::DeleteKey(const std::string& path) {
    return RegDeleteKeyA(root_, BelowRoot(path)) == ERROR_SUCCESS;
}
