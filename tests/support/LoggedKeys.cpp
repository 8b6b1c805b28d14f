#include "support/LoggedKeys.h"

#include <windows.h>

#include "setupdata/ProfileFile.h"
#include "setupdata/RegistryKeyText.h"

void RemoveLoggedKeys(const std::string& logPath) {
    EntryList keys;
    ProfileFile(logPath).ReadEntries("RegistryKeys", keys);
    for (const Entry& entry : keys) {
        const auto key = SplitRegistryKeyText(entry.value);
        const auto root = key ? UninstallRootKey(key->rootName) : std::nullopt;
        if (root) RegDeleteKeyA(*root, key->keyPath.substr(1).c_str());
    }
}
