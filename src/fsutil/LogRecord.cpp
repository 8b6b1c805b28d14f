#include "fsutil/LogRecord.h"

#include <windows.h>

#include "base/ContentDigest.h"
#include "base/FormatText.h"
#include "base/QuotedText.h"
#include "fsutil/FinalPath.h"
#include "fsutil/UserScope.h"
#include "setupdata/RegistryAccess.h"
#include "setupdata/RegistryKeyText.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"

namespace {

constexpr const char* DigestValue = "Digest";
constexpr const char* LogValue = "Log";

bool StartsWithRecordsKey(const std::string& keyText, const std::string& records) {
    return keyText.size() >= records.size() &&
           (keyText.size() == records.size() || keyText[records.size()] == '\\') &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, keyText.c_str(), static_cast<int>(records.size()),
                          records.c_str(), static_cast<int>(records.size())) == CSTR_EQUAL;
}

// One key per log, however its path is spelt; empty when it has no final path or no digest.
std::string RecordKey(const std::string& finalLogPath) {
    const std::string name = finalLogPath.empty() ? finalLogPath : ContentDigest(finalLogPath);
    return name.empty() ? name : FormatText("%s\\%s", LogRecordsKey, name.c_str());
}

// The record's key opened as the current key of `registry`, made when `canCreate` allows.
bool OpenRecord(RegistryAccess& registry, const std::string& key, bool canCreate) {
    // A package for the user alone keeps its records in that user's part of the registry, which is
    // all that user may write; a log of such a package is carried out only as far as that user may
    // act anyway (fsutil/UserScope.h).
    registry.SetRootKey(ScopeRoot());
    return !key.empty() && registry.OpenKey(key.c_str(), canCreate);
}

std::string ReadDigest(RegistryAccess& registry) {
    const Result<std::string> digest = registry.ReadString(DigestValue);
    return digest ? digest.Value() : std::string();  // a value of another type is no digest
}

// The whole file behind `file`, read from its start.
bool ReadThrough(HANDLE file, std::string& content) {
    char buffer[16384];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
        if (got == 0) return true;
        content.append(buffer, got);
    }
    return false;
}

}  // namespace

InstalledLogContent ReadInstalledLog(const std::string& path) {
    InstalledLogContent log;
    // Opened as a file, not through a final link; nobody may change it while it is read.
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.IsValid() || !ReadThrough(file.Get(), log.content)) return {};
    log.finalPath = FinalPathOf(file.Get());
    if (log.finalPath.empty()) log.content.clear();
    return log;
}

LogTrust CheckAgainstRecord(const InstalledLogContent& log) {
    RegistryAccess registry;
    const std::string recorded = OpenRecord(registry, RecordKey(log.finalPath), false) ? ReadDigest(registry) : "";
    if (recorded.empty()) return LogTrust::Unrecorded;
    return recorded == ContentDigest(log.content) ? LogTrust::Matches : LogTrust::Changed;
}

Status RefusedUnlessMatching(LogTrust trust, const std::string& path) {
    if (trust == LogTrust::Matches) return {};
    return Status::Fatal(QuotedIn(trust == LogTrust::Changed ? TextId::LogChanged : TextId::LogNotRecorded, path));
}

bool IsLogRecordKeyText(const std::string& keyText) {
    return StartsWithRecordsKey(keyText, std::string(MachineRootName).append(LogRecordsKey)) ||
           StartsWithRecordsKey(keyText, std::string(UserRootName).append(LogRecordsKey));
}

std::string LogRecordsKeyText() { return FormatText("%s%s", ScopeRootName(), LogRecordsKey); }

bool AnyLogRecorded(DWORD beside) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(ScopeRoot(), LogRecordsKey + 1, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    const RegistryKey records(opened);
    DWORD count = 0;
    return RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS &&
           count > beside;
}

PendingLogRecord::PendingLogRecord(const std::string& finalLogPath)
    : finalLogPath_(finalLogPath), key_(RecordKey(finalLogPath)) {
    RegistryAccess registry;
    parentExisted_ = OpenRecord(registry, LogRecordsKey, false);
    keyExisted_ = OpenRecord(registry, key_, false);
    if (keyExisted_) before_ = ReadDigest(registry);
}

Status PendingLogRecord::LogKeys() const {
    if (keyExisted_ || key_.empty()) return {};
    // Keys are removed in the order they are logged, so the record goes before its parent.
    if (const Status logged = LogRegistryKey(ScopeRootName() + key_); !logged) return logged;
    return parentExisted_ ? Status() : LogRegistryKey(LogRecordsKeyText());
}

bool PendingLogRecord::Write(const std::string& content) {
    RegistryAccess registry;
    if (!OpenRecord(registry, key_, true)) return false;
    if (registry.WriteString(LogValue, finalLogPath_) && registry.WriteString(DigestValue, ContentDigest(content)))
        return true;
    Undo();
    return false;
}

void PendingLogRecord::Undo() {
    RegistryAccess registry;
    if (!keyExisted_) {
        if (!key_.empty()) RegDeleteKeyA(ScopeRoot(), key_.c_str() + 1);
        return;
    }
    if (!OpenRecord(registry, key_, false)) return;
    // Should this fail, nothing better can be done: the record no longer matches and the log is refused.
    static_cast<void>(registry.WriteString(DigestValue, before_));
}

void PendingLogRecord::Plan() const {
    if (key_.empty()) return;
    const std::string key = ScopeRootName() + key_;
    Setup.Plan->Add(PlanKind::Key, PlanRole::Record, LogRecordsKeyText(), parentExisted_);
    Setup.Plan->Add(PlanKind::Key, PlanRole::Record, key, keyExisted_);
    Setup.Plan->AddValue(PlanRole::Record, key, LogValue, true, finalLogPath_);
    Setup.Plan->AddValue(PlanRole::Record, key, DigestValue, true, {}, false);
}
