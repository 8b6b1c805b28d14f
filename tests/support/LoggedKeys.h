#pragma once
#include <string>

// Deletes the registry keys that the [RegistryKeys] section of the log at `logPath` names, in
// their order, as an uninstall would; for tests whose install wrote keys it does not uninstall.
void RemoveLoggedKeys(const std::string& logPath);
