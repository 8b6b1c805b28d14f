#include <windows.h>

#include "app/MainForm.h"
#include "app/StartupFailure.h"
#include "app/StartupFolders.h"
#include "app/SystemFolders.h"
#include "app/TempCopy.h"
#include "base/FormatText.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"
#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"

// The start of the run: fills the shared record, checks the folders, makes the Temp copies
// and shows the page of the mode. It stops at the first check that fails.

namespace {

constexpr const char* NtVersionKey = "\\Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* VersionKey = "\\Software\\Microsoft\\Windows\\CurrentVersion";

int PlatformIsNT() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT ? 1 : 0;
}

// A path that would not fit its buffer ends the run; it is never cut.
std::string FittingPath(const std::string& path) {
    if (!FitsPathBuffer(path)) throw StartupFailure(PathTooLongText(path));
    return path;
}

// Leaves the Windows key current: the two folders are read from it next.
std::string ReadOwner(RegistryAccess& registry, bool windowsNT) {
    std::string owner;
    if (windowsNT) {
        registry.OpenKey(NtVersionKey, false);
        owner = registry.ReadString("RegisteredOwner");
    }
    registry.OpenKey(VersionKey, false);
    if (!windowsNT) owner = registry.ReadString("RegisteredOwner");
    return owner;
}

// Install mode starts its log afresh; uninstall mode works on a copy of the installed log.
// False when the log to read could not be copied.
bool PrepareTempLog(const std::string& logPath) {
    if (Setup.IsUninstallMode()) return CopyReplacing(Setup.CommandLine, logPath);
    if (!RemoveStaleFile(logPath)) throw StartupFailure(FormatText("Unable to write to %s", logPath.c_str()));
    return true;
}

// The [Package] name of `file`, which is null when its copy failed.
std::string PackageNameOf(const ProfileFile* file, const char* failure) {
    const std::string name =
        file ? file->ReadValue(PackageSection, PackageNameKey, MissingValueMark) : MissingValueMark;
    if (name == MissingValueMark) throw StartupFailure(failure);
    if (name.size() > MaxPackageNameLength)
        throw StartupFailure(FormatText("Package name too long (more than %d characters): %s",
                                        static_cast<int>(MaxPackageNameLength), name.c_str()));
    return name;
}

}  // namespace

void TMainForm::FormActivate() {
    try {
        StartRun();
    } catch (const StartupFailure& failure) {
        Application::Instance().ShowMessageBox(failure.what(), "Fatal Error", MB_OK | MB_ICONERROR);
        Close();
    } catch (const std::exception& error) {
        // A read or write the layers refused: what follows it was never set up, so the run ends.
        ReportHandlerError(error);
        Close();
    }
}

void TMainForm::StartRun() {
    Setup.IsWindowsNT = PlatformIsNT();
    Setup.Registry = std::make_unique<RegistryAccess>();
    RegistryAccess& registry = *Setup.Registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    ShowGreeting(ReadOwner(registry, Setup.IsWindowsNT));

    Setup.WindowsDir = FittingPath(WindowsFolder());
    Setup.SystemDir = FittingPath(SystemFolder());
    Setup.TempDir = FittingPath(TempFolderPath());
    Setup.ProgramFilesDir = FittingPath(registry.ReadString("ProgramFilesDir"));
    Setup.CommonFilesDir = FittingPath(registry.ReadString("CommonFilesDir"));
    registry.CloseKey();

    const std::string logPath = FittingPath(Setup.TempDir + LogFileName);
    const bool logCopied = PrepareTempLog(logPath);
    Setup.UninstallLog = std::make_unique<ProfileFile>(logPath);
    CheckStartupFolders();

    if (Setup.IsUninstallMode())
        ShowUninstallPage(logCopied);
    else
        ShowInstallPage();
}

void TMainForm::ShowGreeting(const std::string& owner) {
    const std::string greeting = "Hi " + owner + " !";
    Label4.SetCaption(greeting);
    Label5.SetCaption(greeting);
}

void TMainForm::ShowUninstallPage(bool logCopied) {
    TabSheet1.SetTabVisible(false);
    PageControl1.SetActivePage(TabSheet2);
    ShowPackageName(PackageNameOf(logCopied ? Setup.UninstallLog.get() : nullptr, "uninstal.ini not found or invalid"));
}

void TMainForm::ShowInstallPage() {
    TabSheet2.SetTabVisible(false);
    PageControl1.SetActivePage(TabSheet1);
    const std::string scriptPath = FittingPath(Setup.TempDir + ScriptFileName);
    const bool copied = CopyReplacing(ScriptFileName, scriptPath);
    Setup.InstallScript = std::make_unique<ProfileFile>(scriptPath);
    ShowPackageName(PackageNameOf(copied ? Setup.InstallScript.get() : nullptr, "install.ini not found or invalid"));
    // The log's first entry names the package it belongs to.
    LogPackageName(Setup.PackageName);
}

void TMainForm::ShowPackageName(const std::string& name) {
    Label2.SetCaption(name);
    Label7.SetCaption(name);
    Setup.PackageName = name;
    SetCaption(FormatText("Setup for %s", name.c_str()));
}
