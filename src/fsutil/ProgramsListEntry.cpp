#include "fsutil/ProgramsListEntry.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "fsutil/FileNames.h"
#include "fsutil/InstallFolder.h"
#include "fsutil/PathIdentity.h"
#include "fsutil/UserScope.h"
#include "setupdata/EntryList.h"
#include "setupdata/RegistryKeyText.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"

namespace {

constexpr const char* ProgramsListKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The log this run answers for: the one it uninstalls, or the one its install leaves.
std::string OwnLog() {
    return Setup.IsUninstallMode() ? Setup.CommandLine : InstalledLogPath(Setup.InstallFolder);
}

bool SameText(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// The entry an earlier install made, as it was before this run replaced it: each value's name, and
// its type's four bytes before its data (entries, whose list code the program has already).
struct KeptEntry {
    std::string keyPath;
    std::vector<Entry> values;
};

KeptEntry& Kept() {
    // Never destroyed: no exit routine for what the end of the process releases anyway.
    static KeptEntry& entry = *new KeptEntry;
    return entry;
}

}  // namespace

// A package for the user alone has its uninstall program where that user can write.
std::string SetupProgramCopyPath() {
    return WithTrailingBackslash(Setup.UserScope ? Setup.LocalAppDataDir + "\\qupsetup" : Setup.WindowsDir) +
           SetupProgramCopyName;
}

std::string EntryKeyPath(const std::string& packageName) {
    std::string name = packageName;
    // One key below the list, whatever the name holds.
    for (char& c : name)
        if (c == '\\') c = '_';
    return ProgramsListKey + name;
}

std::string EntryCommandLine(const std::string& arguments) {
    return FormatText("\"%s\" %s", SetupProgramCopyPath().c_str(), arguments.c_str());
}

namespace {

// What the entry at `keyPath` holds: whether it is there, and, when its uninstall command is ours,
// the log that command names.
struct EntryCommand {
    bool exists = false;
    bool ours = false;
    std::string log;
};

EntryCommand ReadEntryCommand(const std::string& keyPath) {
    EntryCommand entry;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(ScopeRoot(), keyPath.c_str() + 1, 0, KEY_READ, &opened) != ERROR_SUCCESS) return entry;
    const RegistryKey key(opened);
    entry.exists = true;
    // Room for the longest command of ours; a value that is not text, or longer, is not ours.
    char command[2 * MAX_PATH + 8] = {};
    DWORD type = 0, size = sizeof command - 1;
    if (RegQueryValueExA(opened, "UninstallString", nullptr, &type, reinterpret_cast<BYTE*>(command), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return entry;
    const std::string text = command;
    const std::string ours = EntryCommandLine("");
    if (text.size() <= ours.size() || !SameText(text.substr(0, ours.size()), ours)) return entry;
    entry.ours = true;
    entry.log = text.substr(ours.size());
    return entry;
}

}  // namespace

EntryOwner OwnerOfEntry(const std::string& keyPath, const std::string& ownLog) {
    const EntryCommand entry = ReadEntryCommand(keyPath);
    if (!entry.exists) return EntryOwner::None;
    if (!entry.ours) return EntryOwner::OtherProduct;
    return PathIdentity(entry.log) == PathIdentity(ownLog) ? EntryOwner::ThisLog : EntryOwner::AnotherLog;
}

std::string EntryLogPath(const std::string& keyPath) { return ReadEntryCommand(keyPath).log; }

bool IsEntryOfAnotherInstall(const std::string& keyText) {
    if (!SameText(keyText, ScopeRootName() + EntryKeyPath(Setup.PackageName))) return false;
    const EntryOwner owner = OwnerOfEntry(EntryKeyPath(Setup.PackageName), OwnLog());
    return owner == EntryOwner::AnotherLog || owner == EntryOwner::OtherProduct;
}

bool AnEntryRunsTheProgramCopy(const char* besides) {
    // The list's own key: its path without the leading and the closing "\".
    const std::string listKey = std::string(ProgramsListKey + 1, std::char_traits<char>::length(ProgramsListKey) - 2);
    HKEY opened = nullptr;
    if (RegOpenKeyExA(ScopeRoot(), listKey.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    const RegistryKey list(opened);
    const std::string ours = EntryCommandLine("");
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(opened, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return false;
        char command[2 * MAX_PATH + 8] = {};
        DWORD size = sizeof command - 1;
        if (lstrcmpiA(name, besides) != 0 && RegGetValueA(opened, name, "UninstallString", RRF_RT_REG_SZ, nullptr, command, &size) == ERROR_SUCCESS &&
            SameText(std::string(command).substr(0, ours.size()), ours))
            return true;
    }
}

void KeepEarlierEntry(const std::string& keyPath) {
    KeptEntry& kept = Kept();
    kept = {};
    HKEY opened = nullptr;
    if (keyPath.empty() || RegOpenKeyExA(ScopeRoot(), keyPath.c_str() + 1, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return;
    const RegistryKey key(opened);
    kept.keyPath = keyPath;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        BYTE data[8192];
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        const LSTATUS status = RegEnumValueA(opened, index, name, &nameSize, nullptr, &type, data, &dataSize);
        // Values of the size an entry holds; a larger one, which no install of ours wrote, is passed over.
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) break;
        std::string typed(reinterpret_cast<const char*>(&type), sizeof type);
        typed.append(reinterpret_cast<const char*>(data), dataSize);
        kept.values.push_back({std::string(name, nameSize), typed});
    }
}

void PutBackEarlierEntry() {
    const KeptEntry& kept = Kept();
    HKEY created = nullptr;
    if (kept.keyPath.empty() || RegCreateKeyExA(ScopeRoot(), kept.keyPath.c_str() + 1, 0, nullptr, 0,
                                                KEY_SET_VALUE, nullptr, &created, nullptr) != ERROR_SUCCESS)
        return;
    const RegistryKey key(created);
    for (const Entry& value : kept.values) {
        DWORD type;
        std::memcpy(&type, value.value.data(), sizeof type);
        const auto* data = reinterpret_cast<const BYTE*>(value.value.data()) + sizeof type;
        RegSetValueExA(created, value.name.c_str(), 0, type, data, static_cast<DWORD>(value.value.size() - sizeof type));
    }
}
