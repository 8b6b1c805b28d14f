#include "state/UninstallLog.h"

#include "base/FormatText.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"

namespace {

constexpr const char* NotOpenText = "The uninstall log is not open";

// The counter moves on before the write, so a failed write never hands its number out again.
Status AppendNumbered(const char* section, const char* keyPrefix, int& counter, const std::string& value) {
    if (!Setup.UninstallLog) return Status::Failed(NotOpenText);
    ++counter;
    return Setup.UninstallLog->WriteValue(section, NumberedKey(keyPrefix, counter).c_str(), value);
}

}  // namespace

std::string NumberedKey(const char* keyPrefix, int number) { return FormatText("%s%d", keyPrefix, number); }

Status LogPackageName(const std::string& name) {
    if (!Setup.UninstallLog) return Status::Failed(NotOpenText);
    return Setup.UninstallLog->WriteValue(PackageSection, PackageNameKey, name);
}

Status LogLanguage() {
    if (Setup.LanguageFile.empty()) return {};
    if (!Setup.UninstallLog) return Status::Failed(NotOpenText);
    // One value: its lines joined by tabs, which no text holds.
    std::string lines = Setup.LanguageFile;
    for (char& c : lines)
        if (c == '\n') c = '\t';
    Status logged = Setup.UninstallLog->WriteValue(PackageSection, LanguageKey, Setup.Language);
    if (logged) logged = Setup.UninstallLog->WriteValue(PackageSection, LogTextsKey, lines);
    return logged;
}

Status LogDirectory(const std::string& path) {
    return AppendNumbered(DirectoriesSection, DirectoryKeyPrefix, Setup.DirEntryCount, path);
}

Status LogFile(const std::string& path) {
    return AppendNumbered(LogProgramFilesSection, FileKeyPrefix, Setup.FileEntryCount, path);
}

void AddLoggedFile(EntryList& files, EntryList& records, const std::string& record, const std::string& path) {
    const std::string key = NumberedKey(FileKeyPrefix, ++Setup.FileEntryCount);
    files.Append(key, path);
    if (!record.empty()) records.Append(key, FormatText("%s,%s", record.c_str(), path.c_str()));
}

Status LogFileSections(const EntryList& files, const EntryList& records) {
    if (!Setup.UninstallLog) return Status::Failed(NotOpenText);
    Status logged = Setup.UninstallLog->WriteSection(LogProgramFilesSection, files);
    if (logged) logged = Setup.UninstallLog->WriteSection(FileDigestsSection, records);
    return logged;
}

std::string RecordedPath(const std::string& digestValue) {
    const size_t first = digestValue.find(',');
    const size_t cut = first == std::string::npos ? first : digestValue.find(',', first + 1);
    return cut == std::string::npos ? std::string() : digestValue.substr(cut + 1);
}

Status LogRegistryKey(const std::string& keyText) {
    return AppendNumbered(RegistryKeysSection, RegistryKeyPrefix, Setup.KeyEntryCount, keyText);
}

void NoteFoundInPlace(const std::string& entry) { Setup.FoundInPlace.push_back(entry); }
