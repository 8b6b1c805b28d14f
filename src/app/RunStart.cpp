#include "app/RunStart.h"

#include <windows.h>

#include "app/StartupFailure.h"
#include "app/StartupFolders.h"
#include "base/FileContent.h"
#include "base/FormatText.h"
#include "base/QuotedText.h"
#include "base/Utf8Text.h"
#include "fsutil/LogRecord.h"
#include "fsutil/MediaSource.h"
#include "fsutil/SystemFolders.h"
#include "fsutil/WorkFolder.h"
#include "setupdata/ScriptNames.h"
#include "setupdata/UnicodeProfileCopy.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"

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

// The [Package] name of `file`, which is null when its copy failed.
std::string PackageNameOf(const ProfileFile* file, const char* failure) {
    const std::string name =
        file ? file->ReadValue(PackageSection, PackageNameKey, MissingValueMark) : MissingValueMark;
    if (name == MissingValueMark) throw StartupFailure(failure);
    if (CharacterCount(name) > MaxPackageNameLength)
        throw StartupFailure(FormatText("Package name too long (more than %d characters): %s",
                                        static_cast<int>(MaxPackageNameLength), Quoted(name).c_str()));
    return name;
}

// The installed log, read once and checked against the record of its install before anything
// can write to its working copy; the copy holds exactly what was checked.
void CopyInstalledLog(const std::string& logPath, StartedRun& started) {
    const InstalledLogContent log = ReadInstalledLog(Setup.CommandLine);
    Setup.InstalledLogFinalPath = log.finalPath;
    started.logCopied = !log.finalPath.empty() && WriteUnicodeProfile(logPath, log.content);
    if (started.logCopied) started.logTrust = CheckAgainstRecord(log);
}

}  // namespace

StartedRun StartRun() {
    StartedRun started;
    Setup.IsWindowsNT = PlatformIsNT();
    Setup.Registry = std::make_unique<RegistryAccess>();
    RegistryAccess& registry = *Setup.Registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    started.owner = ReadOwner(registry, Setup.IsWindowsNT);

    Setup.WindowsDir = FittingPath(WindowsFolder());
    Setup.SystemDir = FittingPath(SystemFolder());
    // A one-file setup is checked before anything is made.
    if (!Setup.IsUninstallMode())
        if (const Status media = Media().Open(); !media) throw StartupFailure(media.Message());
    const Result<std::string> workFolder = MakeWorkFolder(PlanForThisRun());
    if (!workFolder) throw StartupFailure(workFolder.Message());
    Setup.TempDir = workFolder.Value();
    Setup.ProgramFilesDir = FittingPath(registry.ReadString("ProgramFilesDir"));
    Setup.CommonFilesDir = FittingPath(registry.ReadString("CommonFilesDir"));
    registry.CloseKey();

    const std::string logPath = FittingPath(Setup.TempDir + LogFileName);
    // Install mode starts its log afresh; uninstall mode works on a copy of the installed log.
    if (Setup.IsUninstallMode())
        CopyInstalledLog(logPath, started);
    else if (!CreateUnicodeProfile(logPath))
        throw StartupFailure("Problem with Temp directory");
    Setup.UninstallLog = std::make_unique<ProfileFile>(logPath);
    CheckStartupFolders();
    return started;
}

void OpenSetupScript() {
    const std::string scriptPath = FittingPath(Setup.TempDir + ScriptFileName);
    // The run's working copy, in UTF-16. The working folder is fresh, so a copy that fails leaves
    // nothing of an earlier run to be read in its place.
    const Result<std::string> script = Media().Read(ScriptFileName);
    const bool copied = script && WriteUnicodeProfile(scriptPath, script.Value());
    Setup.InstallScript = std::make_unique<ProfileFile>(scriptPath);
    Setup.PackageName = PackageNameOf(
        copied ? Setup.InstallScript.get() : nullptr,
        FormatText("install.ini not found or invalid: %s", Quoted(Media().Where(ScriptFileName)).c_str()).c_str());
    // The log's first entry names the package it belongs to.
    LogPackageName(Setup.PackageName);
}

void ReadLoggedPackageName(const StartedRun& started) {
    Setup.PackageName =
        PackageNameOf(started.logCopied ? Setup.UninstallLog.get() : nullptr,
                      FormatText("uninstal.ini not found or invalid: %s", Quoted(Setup.CommandLine).c_str()).c_str());
    // A log no install recorded may have been put there by anyone who can write its folder.
    if (started.logTrust != LogTrust::Matches)
        throw StartupFailure(FormatText(started.logTrust == LogTrust::Changed
                                            ? "The uninstall log %s was changed after the install; nothing was removed"
                                            : "The uninstall log %s was not recorded by an install on this computer; "
                                              "nothing was removed",
                                        Quoted(Setup.CommandLine).c_str()));
}
