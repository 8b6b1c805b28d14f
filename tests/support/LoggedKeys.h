#pragma once
#include <string>

// Deletes the registry keys that the [RegistryKeys] section of the log at `logPath` names, in
// their order, as an uninstall would; for tests whose install wrote keys it does not uninstall.
void RemoveLoggedKeys(const std::string& logPath);
// Records the log at `logPath` as the install that left it would (its digest under its final
// path), for tests that write a log themselves and then uninstall it through the run's start;
// false when it could not.
bool RecordAsInstalled(const std::string& logPath);
