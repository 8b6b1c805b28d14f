#include "fsutil/ProgramsListEntry.h"

#include <windows.h>

#include <exception>

#include "fsutil/FileNames.h"
#include "fsutil/InstallFolder.h"
#include "fsutil/PathIdentity.h"
#include "setupdata/RegistryAccess.h"
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

}  // namespace

std::string SetupProgramCopyPath() { return WithTrailingBackslash(Setup.WindowsDir) + SetupProgramCopyName; }

std::string EntryKeyPath(const std::string& packageName) {
    std::string name = packageName;
    // One key below the list, whatever the name holds.
    for (char& c : name)
        if (c == '\\') c = '_';
    return ProgramsListKey + name;
}

std::string EntryCommandLine(const std::string& arguments) {
    return "\"" + SetupProgramCopyPath() + "\" " + arguments;
}

EntryOwner OwnerOfEntry(const std::string& keyPath, const std::string& ownLog) {
    RegistryAccess registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKey(keyPath.c_str(), false)) return EntryOwner::None;
    std::string command;
    try {
        command = registry.ReadString("UninstallString");
    } catch (const std::exception&) {
        return EntryOwner::OtherProduct;  // not even text: not ours
    }
    const std::string ours = EntryCommandLine("");
    if (command.size() <= ours.size() || !SameText(command.substr(0, ours.size()), ours)) return EntryOwner::OtherProduct;
    return PathIdentity(command.substr(ours.size())) == PathIdentity(ownLog) ? EntryOwner::ThisLog
                                                                             : EntryOwner::AnotherLog;
}

bool IsEntryOfAnotherInstall(const std::string& keyText) {
    if (!SameText(keyText, MachineRootName + EntryKeyPath(Setup.PackageName))) return false;
    const EntryOwner owner = OwnerOfEntry(EntryKeyPath(Setup.PackageName), OwnLog());
    return owner == EntryOwner::AnotherLog || owner == EntryOwner::OtherProduct;
}
