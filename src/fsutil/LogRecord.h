#pragma once
#include <windows.h>

#include <string>

#include "base/Status.h"

// The record of an installed uninstall log: the digest of its content, kept in a key of its own
// below HKEY_LOCAL_MACHINE, where only administrators can write, named after what the log is
// (its final path), not how a command line spells it. A log is carried out, or merged into, only
// while it matches its record, so editing a log that others can write does not turn an
// administrator's uninstall into deleting what they chose.

// An installed log as it was read: its final path and the content read through the same handle,
// so that what is checked is what is used.
struct InstalledLogContent {
    std::string finalPath;  // empty when the log could not be opened and read
    std::string content;
};
InstalledLogContent ReadInstalledLog(const std::string& path);

// What the record says of `log`.
enum class LogTrust { Matches, Unrecorded, Changed };
LogTrust CheckAgainstRecord(const InstalledLogContent& log);
// Nothing for a log that matches its record; else the fatal failure that refuses the log `path`.
Status RefusedUnlessMatching(LogTrust trust, const std::string& path);

// Where the records are kept, below HKEY_LOCAL_MACHINE.
inline constexpr const char* LogRecordsKey = "\\Software\\qupsetup";

// The records' key as a key text, with the root of this run's scope.
std::string LogRecordsKeyText();

// Whether more than `beside` logs of this run's scope are recorded: an install whose uninstall the
// program copy still has to carry out.
bool AnyLogRecorded(DWORD beside = 0);

// True when the logged registry key text names the records' key or one below it: the uninstall
// removes a log's record only once the log itself is gone.
bool IsLogRecordKeyText(const std::string& keyText);

// The record about to be written for the log that will stand at `finalLogPath`. Its key goes into
// the run's log first (LogKeys: [RegistryKeys], so the uninstall removes it), then the digest is written
// for the complete log before the log is put in place, and taken back when that fails, so a run
// ended anywhere never leaves a record without its digest.
class PendingLogRecord {
public:
    explicit PendingLogRecord(const std::string& finalLogPath);
    // Logs the record's key, and its parent when this run makes that, unless they were there.
    Status LogKeys() const;
    // Writes the digest of `content`; false when the record cannot be written (the log then goes
    // without a record, as logs of earlier installs did).
    bool Write(const std::string& content);
    // Restores what was recorded before Write.
    void Undo();
    // Says in the run's plan what Write and LogKeys would make (the digest only the run knows).
    void Plan() const;

private:
    std::string finalLogPath_;
    std::string key_;
    std::string before_;  // the digest recorded before, if any
    bool keyExisted_ = false;
    bool parentExisted_ = false;
};
