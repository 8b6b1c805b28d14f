#pragma once
#include <string>

#include "base/Status.h"
#include "setupdata/EntryList.h"
#include "setupdata/ScriptNames.h"

// Entries of the uninstall log. Each kind takes the next number of its own counter in
// `Setup` (dir1, dir2, ...), so the uninstaller finds them in the order they were made.
// A failed write fails with "Unable to write to <path>".

// The key of a numbered entry: the prefix and the number (file1, dir2, ...).
std::string NumberedKey(const char* keyPrefix, int number);

// The sections of numbered entries, and the prefix of each one's keys.
struct LogSection {
    const char* name;
    const char* keyPrefix;
};
inline constexpr LogSection LogSections[] = {
    {DirectoriesSection, DirectoryKeyPrefix},
    {LogProgramFilesSection, FileKeyPrefix},
    {RegistryKeysSection, RegistryKeyPrefix},
};

// [Package] name
Status LogPackageName(const std::string& name);
// [Package] language and texts, the run's language file (`Setup.Language`), when it has one.
Status LogLanguage();
// [Directories] dir<n>
Status LogDirectory(const std::string& path);
// [ProgramFiles] file<n>, for installed files and shortcut files alike
Status LogFile(const std::string& path);
// The files of one disk, logged together: [ProgramFiles] file<n> in `files` and [FileDigests] file<n>
// (size and digest as FileDigestRecord gives them, a comma, the path) in `records`, under the next
// number of the files' counter. The platform writes a profile whole for each value written, so a
// write per file made an install's time grow with the square of its file count.
void AddLoggedFile(EntryList& files, EntryList& records, const std::string& record, const std::string& path);
// [ProgramFiles] as `files`, then [FileDigests] as `records`, each section in one write. Readers
// that do not know [FileDigests] pass it by; a file without its record is one a check passes over.
Status LogFileSections(const EntryList& files, const EntryList& records);
// The path a [FileDigests] value ("size,digest,path") records; empty for a value of another form.
std::string RecordedPath(const std::string& digestValue);
// [RegistryKeys] key<n>, the key text as the script gave it
Status LogRegistryKey(const std::string& keyText);
// A folder or key the script asks for that was there already, so is not logged: over an earlier
// install of the package, its entry for it stays (app/UpgradeRemoval.h).
void NoteFoundInPlace(const std::string& entry);
