#include "install/TestRegistry.h"

#include <cstring>
#include <vector>

#include "support/TestFiles.h"

namespace installtests {

namespace {

constexpr const char* TestKeysPath = "Software\\SetupTests\\";

class OpenedKey {
public:
    OpenedKey(HKEY root, const std::string& path) {
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~OpenedKey() {
        if (key_) RegCloseKey(key_);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

std::optional<std::vector<BYTE>> ReadRawValue(HKEY root, const std::string& path, const std::string& name,
                                              DWORD& type) {
    OpenedKey key(root, path);
    if (!key.Get()) return std::nullopt;
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<BYTE> data(size + 1);
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return data;
}

std::optional<std::vector<BYTE>> ReadValue(HKEY root, const std::string& path, const std::string& name,
                                           DWORD wantedType) {
    DWORD type = REG_NONE;
    auto data = ReadRawValue(root, path, name, type);
    if (type != wantedType) return std::nullopt;
    return data;
}

void WriteShellFolder(HKEY root, const std::string& keyPath, const std::string& name, DWORD type, const BYTE* data,
                      DWORD size) {
    OpenedKey key(root, keyPath);
    RegSetValueExA(key.Get(), name.c_str(), 0, type, data, size);
}

}  // namespace

TestRegistryKey::TestRegistryKey(const std::string& name) : path_(TestKeysPath + name) {
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    MakeKey(HKEY_CURRENT_USER, path_);
}

TestRegistryKey::~TestRegistryKey() { RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }

std::string TestRegistryKey::Path(const std::string& below) const {
    return below.empty() ? path_ : path_ + "\\" + below;
}

std::string TestRegistryKey::Text(const std::string& below) const { return "HKEY_CURRENT_USER\\" + Path(below); }

bool KeyExists(HKEY root, const std::string& path) { return OpenedKey(root, path).Get() != nullptr; }

bool MakeKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::optional<std::string> ReadStringValue(HKEY root, const std::string& path, const std::string& name) {
    const auto data = ReadValue(root, path, name, REG_SZ);
    if (!data) return std::nullopt;
    const char* text = reinterpret_cast<const char*>(data->data());
    return std::string(text, strnlen(text, data->size()));
}

std::optional<DWORD> ReadIntegerValue(HKEY root, const std::string& path, const std::string& name) {
    const auto data = ReadValue(root, path, name, REG_DWORD);
    if (!data || data->size() != sizeof(DWORD)) return std::nullopt;
    return *reinterpret_cast<const DWORD*>(data->data());
}

std::string RegQueryOutput(const std::string& keyName) {
    TempFolder work;
    const std::string outputPath = work / "query.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) return {};
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process{};
    std::string commandLine = "reg.exe query \"" + keyName + "\"";
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(output);
    return ReadTextFile(outputPath);
}

ShellFolderOverride::ShellFolderOverride(HKEY root, const std::string& valueName, const std::string& folder,
                                         const char* keyPath)
    : root_(root),
      keyPath_(keyPath),
      valueName_(valueName),
      previous_(ReadRawValue(root, keyPath, valueName, previousType_)) {
    MakeKey(root_, keyPath_);
    WriteShellFolder(root_, keyPath_, valueName_, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                     static_cast<DWORD>(folder.size() + 1));
}

ShellFolderOverride::~ShellFolderOverride() {
    if (previous_) {
        WriteShellFolder(root_, keyPath_, valueName_, previousType_, previous_->data(), static_cast<DWORD>(previous_->size()));
    } else {
        OpenedKey key(root_, keyPath_);
        RegDeleteValueA(key.Get(), valueName_.c_str());
    }
}

}  // namespace installtests
