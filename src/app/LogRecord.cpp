#include "app/LogRecord.h"

#include <windows.h>

#include "base/ContentDigest.h"
#include "fsutil/PathIdentity.h"
#include "setupdata/RegistryAccess.h"
#include "setupdata/RegistryKeyText.h"
#include "state/UninstallLog.h"

namespace {

constexpr const char* RecordsKey = "\\Software\\qupsetup";
constexpr const char* DigestValue = "Digest";
constexpr const char* LogValue = "Log";

// One key per log path, however the path is spelt; empty when no digest can be made.
std::string RecordKey(const std::string& installedLog) {
    const std::string id = ContentDigest(PathIdentity(installedLog));
    return id.empty() ? id : std::string(RecordsKey) + "\\" + id;
}

// The record's key opened as the current key of `registry`, made when `canCreate` allows.
bool OpenRecord(RegistryAccess& registry, const std::string& key, bool canCreate) {
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    return !key.empty() && registry.OpenKey(key.c_str(), canCreate);
}

}  // namespace

bool PrepareLogRecord(const std::string& installedLog) {
    RegistryAccess registry;
    const bool parentExisted = OpenRecord(registry, RecordsKey, false);
    const std::string key = RecordKey(installedLog);
    if (OpenRecord(registry, key, false)) return true;
    if (!OpenRecord(registry, key, true)) return false;
    // Keys are removed in the order they are logged, so the record goes before its parent.
    LogRegistryKey(MachineRootName + key);
    if (!parentExisted) LogRegistryKey(std::string(MachineRootName) + RecordsKey);
    return true;
}

void RecordLogDigest(const std::string& installedLog, const std::string& content) {
    RegistryAccess registry;
    if (!OpenRecord(registry, RecordKey(installedLog), false)) return;
    registry.WriteString(DigestValue, ContentDigest(content));
    registry.WriteString(LogValue, installedLog);
}

std::string RecordedLogDigest(const std::string& installedLog) {
    RegistryAccess registry;
    if (!OpenRecord(registry, RecordKey(installedLog), false)) return {};
    return registry.ReadString(DigestValue);
}
