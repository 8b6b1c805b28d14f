#include "app/RunStart.h"

#include <windows.h>

#include "app/PackageScope.h"
#include "app/StartupFolders.h"
#include "app/UserScopeCheck.h"
#include "base/FileContent.h"
#include "base/FormatText.h"
#include "base/QuotedText.h"
#include "base/Texts.h"
#include "base/Utf8Text.h"
#include "fsutil/LogRecord.h"
#include "fsutil/MediaSource.h"
#include "fsutil/SystemFolders.h"
#include "fsutil/WorkFolder.h"
#include "setupdata/ScriptNames.h"
#include "setupdata/UnicodeProfileCopy.h"
#include "setupdata/WindowsKeys.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"

namespace {


// `path` into `field` when it fits its buffer; one that would not fit ends the run, never cut.
Status TakeFittingPath(std::string& field, const std::string& path) {
    if (!FitsPathBuffer(path)) return Status::Fatal(PathTooLongText(path));
    field = path;
    return {};
}

// The folder the current key of `registry` names in its value `name`, into `field`.
Status TakeRegistryFolder(const RegistryAccess& registry, const char* name, std::string& field) {
    const Result<std::string> folder = registry.ReadString(name);
    return folder ? TakeFittingPath(field, folder.Value()) : folder.State();
}

// Leaves the Windows key current: the two folders are read from it next.
Result<std::string> ReadOwner(RegistryAccess& registry) {
    registry.OpenKey(NtVersionKey, false);
    Result<std::string> owner = registry.ReadString("RegisteredOwner");
    registry.OpenKey(VersionKey, false);
    return owner;
}

// The [Package] name of `file`, which is null when its copy failed, into `Setup`.
Status TakePackageName(const ProfileFile* file, const std::string& failure) {
    const std::string name =
        file ? file->ReadValue(PackageSection, PackageNameKey, MissingValueMark) : MissingValueMark;
    if (name == MissingValueMark) return Status::Fatal(failure);
    if (CharacterCount(name) > MaxPackageNameLength)
        return Status::Fatal(FormatText(TextId::PackageNameTooLong,
                                        static_cast<int>(MaxPackageNameLength), Quoted(name).c_str()));
    Setup.PackageName = name;
    return {};
}

// The installed log, read once and checked against the record of its install before anything
// can write to its working copy; the copy holds exactly what was checked.
void CopyInstalledLog(const std::string& logPath, StartedRun& started) {
    const InstalledLogContent log = ReadInstalledLog(Setup.CommandLine);
    Setup.InstalledLogFinalPath = log.finalPath;
    started.logCopied = !log.finalPath.empty() && WriteUnicodeProfile(logPath, log.content);
    if (started.logCopied) started.logTrust = CheckAgainstRecord(log);
}

// The scope `file` states must be the one the run started for (read before anything was made,
// from the same file as it stood then).
Status CheckScope(const ProfileFile& file) {
    const std::string scope = file.ReadValue(PackageSection, ScopeKey, "");
    if (!scope.empty() && !IsUserScope(scope) && lstrcmpiA(scope.c_str(), MachineScopeValue) != 0)
        return Status::Fatal(QuotedIn(TextId::ScopeNotKnown, scope));
    if (IsUserScope(scope) != Setup.UserScope)
        return Status::Fatal(Text(TextId::ScopeChanged));
    return {};
}

}  // namespace

Result<StartedRun> StartRun() {
    StartedRun started;
    // The manifest names Windows 7 and later as the platforms it runs on: every one of them is NT.
    Setup.IsWindowsNT = 1;
    Setup.Registry = std::make_unique<RegistryAccess>();
    RegistryAccess& registry = *Setup.Registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    const Result<std::string> owner = ReadOwner(registry);
    if (!owner) return owner.State();
    started.owner = owner.Value();

    if (const Status fits = TakeFittingPath(Setup.WindowsDir, WindowsFolder()); !fits) return fits;
    if (const Status fits = TakeFittingPath(Setup.SystemDir, SystemFolder()); !fits) return fits;
    // A one-file setup is checked before anything is made.
    if (!Setup.IsUninstallMode())
        if (const Status media = Media().Open(); !media) return Status::Fatal(media.Message());
    const Result<std::string> workFolder = MakeWorkFolder(PlanForThisRun());
    if (!workFolder) return Status::Fatal(workFolder.Message());
    Setup.TempDir = workFolder.Value();
    if (const Status read = TakeRegistryFolder(registry, "ProgramFilesDir", Setup.ProgramFilesDir); !read) return read;
    if (const Status read = TakeRegistryFolder(registry, "CommonFilesDir", Setup.CommonFilesDir); !read) return read;
    registry.CloseKey();
    Setup.LocalAppDataDir = UserShellFolder("Local AppData");
    Setup.AppDataDir = UserShellFolder("AppData");

    std::string logPath;
    if (const Status fits = TakeFittingPath(logPath, Setup.TempDir + LogFileName); !fits) return fits;
    // Install mode starts its log afresh; uninstall mode works on a copy of the installed log.
    if (Setup.IsUninstallMode())
        CopyInstalledLog(logPath, started);
    else if (!CreateUnicodeProfile(logPath))
        return Status::Fatal(Text(TextId::ProblemWithTemp));
    Setup.UninstallLog = std::make_unique<ProfileFile>(logPath);
    if (const Status checked = CheckStartupFolders(); !checked) return checked;
    return started;
}

Status OpenSetupScript() {
    std::string scriptPath;
    if (const Status fits = TakeFittingPath(scriptPath, Setup.TempDir + ScriptFileName); !fits) return fits;
    // The run's working copy, in UTF-16. The working folder is fresh, so a copy that fails leaves
    // nothing of an earlier run to be read in its place.
    const Result<std::string> script = Media().Read(ScriptFileName);
    const bool copied = script && WriteUnicodeProfile(scriptPath, script.Value());
    Setup.InstallScript = std::make_unique<ProfileFile>(scriptPath);
    const Status named =
        TakePackageName(copied ? Setup.InstallScript.get() : nullptr,
                        QuotedIn(TextId::ScriptNotFound, Media().Where(ScriptFileName)));
    if (!named) return named;
    if (const Status scoped = CheckScope(*Setup.InstallScript); !scoped) return scoped;
    // The log's first entries name the package it belongs to, and whom it was for.
    if (const Status logged = LogPackageName(Setup.PackageName); !logged) return logged;
    if (const Status logged = LogLanguage(); !logged) return logged;
    if (!Setup.UserScope) return {};
    if (const Status logged = Setup.UninstallLog->WriteValue(PackageSection, ScopeKey, UserScopeValue); !logged)
        return logged;
    return CheckScriptOfUserScope();
}

Status ReadLoggedPackageName(const StartedRun& started) {
    const Status named =
        TakePackageName(started.logCopied ? Setup.UninstallLog.get() : nullptr,
                        QuotedIn(TextId::LogNotFound, Setup.CommandLine));
    if (!named) return named;
    if (const Status scoped = CheckScope(*Setup.UninstallLog); !scoped) return scoped;
    // A log no install recorded may have been put there by anyone who can write its folder.
    if (started.logTrust == LogTrust::Matches) return Setup.UserScope ? CheckLogOfUserScope() : Status();
    return RefusedUnlessMatching(started.logTrust, Setup.CommandLine);
}
