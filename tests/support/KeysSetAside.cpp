#include "support/KeysSetAside.h"

#include <utility>

KeysSetAside::KeysSetAside(std::vector<std::string> keyPaths)
    : keyPaths_(std::move(keyPaths)), keptRoot_("Software\\SetupTests\\KeptKeys" + std::to_string(GetCurrentProcessId())) {
    for (size_t i = 0; i < keyPaths_.size(); ++i) {
        HKEY kept = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, (keptRoot_ + "\\" + std::to_string(i)).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &kept, nullptr) != ERROR_SUCCESS)
            continue;
        RegCopyTreeA(HKEY_LOCAL_MACHINE, keyPaths_[i].c_str(), kept);
        RegCloseKey(kept);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, keyPaths_[i].c_str());
    }
}

KeysSetAside::~KeysSetAside() {
    for (size_t i = 0; i < keyPaths_.size(); ++i) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, keyPaths_[i].c_str());
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPaths_[i].c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            continue;
        RegCopyTreeA(HKEY_LOCAL_MACHINE, (keptRoot_ + "\\" + std::to_string(i)).c_str(), key);
        RegCloseKey(key);
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, keptRoot_.c_str());
}
