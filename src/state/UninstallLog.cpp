#include "state/UninstallLog.h"

#include "base/FormatText.h"
#include "base/SetupError.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"

namespace {

const ProfileFile& OpenLog() {
    if (!Setup.UninstallLog) throw SetupError("The uninstall log is not open");
    return *Setup.UninstallLog;
}

// The counter moves on before the write, so a failed write never hands its number out again.
void AppendNumbered(const char* section, const char* keyPrefix, int& counter, const std::string& value) {
    const ProfileFile& log = OpenLog();
    ++counter;
    log.WriteValue(section, NumberedKey(keyPrefix, counter).c_str(), value);
}

}  // namespace

std::string NumberedKey(const char* keyPrefix, int number) { return FormatText("%s%d", keyPrefix, number); }

void LogPackageName(const std::string& name) { OpenLog().WriteValue(PackageSection, PackageNameKey, name); }

void LogDirectory(const std::string& path) { AppendNumbered(DirectoriesSection, DirectoryKeyPrefix, Setup.DirEntryCount, path); }

void LogFile(const std::string& path) { AppendNumbered(LogProgramFilesSection, FileKeyPrefix, Setup.FileEntryCount, path); }

void LogRegistryKey(const std::string& keyText) {
    AppendNumbered(RegistryKeysSection, RegistryKeyPrefix, Setup.KeyEntryCount, keyText);
}
