#include "app/UserScopeCheck.h"

#include <algorithm>

#include "base/FormatText.h"
#include "base/FullPath.h"
#include "fsutil/PathMacros.h"
#include "fsutil/UserScope.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"

namespace {

// A path entry, its macros replaced when `expand` says; one that is not a full path yet (it
// names the install folder, not chosen yet) is judged with the install folder.
Status CheckPath(const std::string& value, bool expand) {
    std::string path = value;
    if (expand) {
        const Result<std::string> expanded = ExpandPathMacros(value);
        if (!expanded) return expanded.State();
        path = expanded.Value();
    }
    if (IsFullPath(path) && !InPersonsAreas(path)) return Status::Fatal(NeedsAdministratorRightsText(value));
    return {};
}

Status CheckSection(const ProfileFile& file, const char* section, bool expand) {
    EntryList entries;
    file.ReadEntries(section, entries);
    for (const Entry& entry : entries)
        if (const Status checked = CheckPath(entry.value, expand); !checked) return checked;
    return {};
}

Status CheckKeys(const ProfileFile& file) {
    EntryList keys;
    file.ReadEntries(RegistryKeysSection, keys);
    for (const Entry& key : keys)
        if (IsMachineKey(key.value)) return Status::Fatal(NeedsAdministratorRightsText(key.value));
    return {};
}

}  // namespace

Status CheckScriptOfUserScope() {
    const ProfileFile& script = *Setup.InstallScript;
    if (const Status checked = CheckPath(script.ReadValue(InstallFolderSection, InstallFolderKey, ""), true); !checked)
        return checked;
    // The install folder's subfolders, once it is chosen; the first entry is the proposal itself.
    EntryList subfolders;
    if (!Setup.InstallFolder.empty()) script.ReadEntries(InstallFolderSection, subfolders);
    for (size_t i = 1; i < subfolders.Count(); ++i)
        if (const Status checked =
                CheckPath(FormatText("%s\\%s", Setup.InstallFolder.c_str(), subfolders.Value(i).c_str()), false);
            !checked)
            return checked;
    if (const Status checked = CheckSection(script, OtherFoldersSection, false); !checked) return checked;
    // No more disks than a section name can number; the run itself refuses a count beyond.
    const int disks = std::min(script.ReadNumber(DisksSection, DiskCountKey, 0), 999);
    for (int disk = 1; disk <= disks; ++disk)
        if (const Status checked = CheckSection(script, ProgramFilesSection(disk).c_str(), true); !checked)
            return checked;
    return CheckKeys(script);
}

Status CheckLogOfUserScope() {
    const ProfileFile& log = *Setup.UninstallLog;
    if (const Status checked = CheckPath(Setup.CommandLine, false); !checked) return checked;
    for (const char* section : {DirectoriesSection, LogProgramFilesSection})
        if (const Status checked = CheckSection(log, section, false); !checked) return checked;
    return CheckKeys(log);
}
