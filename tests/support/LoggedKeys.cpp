#include "support/LoggedKeys.h"

#include <windows.h>

#include "fsutil/FinalPath.h"
#include "fsutil/LogRecord.h"
#include "setupdata/ProfileFile.h"
#include "setupdata/RegistryKeyText.h"
#include "state/SetupState.h"
#include "support/SetupStateScope.h"
#include "support/TestFiles.h"

void RemoveLoggedKeys(const std::string& logPath) {
    EntryList keys;
    ProfileFile(logPath).ReadEntries("RegistryKeys", keys);
    for (const Entry& entry : keys) {
        const auto key = SplitRegistryKeyText(entry.value);
        const auto root = key ? UninstallRootKey(key->rootName) : std::nullopt;
        if (root) RegDeleteKeyA(*root, key->keyPath.substr(1).c_str());
    }
}

bool RecordAsInstalled(const std::string& logPath) {
    const InstalledLogContent log = ReadInstalledLog(logPath);
    // The record's key is logged, as the install logs it, into a log of no account.
    const SetupStateScope state;
    const TempFolder scratch;
    Setup.UninstallLog = std::make_unique<ProfileFile>(scratch / "record.ini");
    return !log.finalPath.empty() && PendingLogRecord(log.finalPath).Write(log.content);
}
