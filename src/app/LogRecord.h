#pragma once
#include <string>

// The record of an installed uninstall log: the digest of its content, kept in a key of its own
// below HKEY_LOCAL_MACHINE, where only administrators can write, named after the log's path.
// An uninstall carries out a log only while it still matches its record, so editing a log that
// a normal user can write does not turn an administrator's uninstall into deleting anything.

// Makes the record's key for the log that will stand at `installedLog`, and logs what it made
// under [RegistryKeys] so the uninstall removes it. False when the key cannot be made (the log
// then goes without a record, as logs of earlier installs do).
bool PrepareLogRecord(const std::string& installedLog);
// Records the digest of the log's content.
void RecordLogDigest(const std::string& installedLog, const std::string& content);
// The digest recorded for the log at `installedLog`; empty when there is none.
std::string RecordedLogDigest(const std::string& installedLog);
