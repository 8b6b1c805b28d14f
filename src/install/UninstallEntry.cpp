#include <windows.h>

#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "fsutil/InstallFolder.h"
#include "install/InstallRun.h"
#include "setupdata/RegistryKeyText.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"

namespace {

constexpr const char* UninstallKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// One key below the list, whatever the name holds.
std::string EntryKeyPath() {
    std::string name = Setup.PackageName;
    for (char& c : name)
        if (c == '\\') c = '_';
    return UninstallKey + name;
}

// The program copy, quoted, then the argument text, which is taken verbatim and so is not quoted.
std::string CommandLineOf(const std::string& arguments) {
    return "\"" + SetupProgramCopyPath() + "\" " + arguments;
}

// What the logged program files take on the disk, in kilobytes, as a search of each reports it.
DWORD InstalledKilobytes() {
    EntryList files;
    Setup.UninstallLog->ReadEntries(LogProgramFilesSection, files);
    unsigned long long bytes = 0;
    for (const Entry& file : files) {
        WIN32_FIND_DATAA data;
        if (FindHandle(FindFirstFileA(file.value.c_str(), &data)).IsValid())
            bytes += static_cast<unsigned long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    }
    return static_cast<DWORD>((bytes + 1023) / 1024);
}

}  // namespace

void InstallRun::WriteUninstallEntry() {
    if (Setup.InstallScript->ReadValue(PackageSection, UninstallEntryKey, "") != UninstallEntryWanted) return;
    RegistryAccess& registry = *Setup.Registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    const std::string path = EntryKeyPath();
    const bool existed = registry.OpenKey(path.c_str(), false);
    if (!existed && !registry.OpenKey(path.c_str(), true)) {
        FailRun(FormatText("Error creating registry key %s%s", MachineRootName, path.c_str()));
        return;
    }
    if (!existed) LogRegistryKey(MachineRootName + path);
    const std::string installedLog = InstalledLogPath(Setup.InstallFolder);
    registry.WriteString("DisplayName", Setup.PackageName);
    registry.WriteString("UninstallString", CommandLineOf(installedLog));
    registry.WriteString("QuietUninstallString", CommandLineOf("/S " + installedLog));
    registry.WriteString("InstallLocation", Setup.InstallFolder);
    registry.WriteInteger("EstimatedSize", static_cast<int32_t>(InstalledKilobytes()));
    registry.WriteInteger("NoModify", 1);
    registry.WriteInteger("NoRepair", 1);
    registry.CloseKey();
}
