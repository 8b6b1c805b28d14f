#include "app/UnattendedRun.h"

#include <windows.h>

#include "app/DowngradeCheck.h"
#include "app/Elevation.h"
#include "app/InstallCheck.h"
#include "app/InstallUndo.h"
#include "app/InstalledLog.h"
#include "app/PackageScope.h"
#include "app/PrepareFolders.h"
#include "app/RunEnd.h"
#include "app/RunLanguage.h"
#include "base/Texts.h"
#include "fsutil/RunLock.h"
#include "app/RunStart.h"
#include "app/UnattendedFace.h"
#include "app/UpgradeRemoval.h"
#include "base/FormatText.h"
#include "base/FullPath.h"
#include "base/QuotedText.h"
#include "dialogs/InstallForm.h"
#include "fsutil/DestinationFile.h"
#include "fsutil/InstallFolder.h"
#include "fsutil/ProgramsListEntry.h"
#include "install/InstallRun.h"
#include "state/SetupState.h"
#include "uninstall/ProgramsInUse.h"
#include "uninstall/UninstallRun.h"

namespace {

void ShowError(const std::string& text, const char* caption) {
    Face().Ask(text, caption, MB_OK | MB_ICONERROR);
}

// Refused before anything is made: a folder taken relative to wherever the tool runs setup.
std::string GivenFolderProblem(const std::optional<std::string>& folder) {
    if (!folder) return {};
    if (folder->empty()) return Text(TextId::NoInstallFolderGiven);
    if (!IsFullPath(*folder)) return QuotedIn(TextId::InstallFolderNotFull, *folder);
    return {};
}

// The folder after "/D=", else the one the destination dialog would propose; false when it is
// refused, which was told.
Result<bool> ChooseInstallFolder(const UnattendedCommand& command) {
    if (command.installFolder) {
        Setup.InstallFolder = *command.installFolder;
    } else {
        const Result<std::string> proposed = ProposedInstallFolder();
        if (!proposed) return proposed.State();
        Setup.InstallFolder = proposed.Value();
    }
    Setup.InstallFolder = CanonicalInstallFolder(Setup.InstallFolder);
    const std::string problem = InstallFolderProblem(Setup.InstallFolder);
    if (problem.empty()) return true;
    ShowError(problem, "Install");
    Setup.InstallFolder.clear();
    return false;
}

Result<bool> Install(const UnattendedCommand& command, UnattendedFace& face) {
    if (const Status opened = OpenSetupScript(); !opened) return opened;
    if (const Status refused = RefuseDowngrade(); !refused) return refused;
    face.Write(FormatText(TextId::LicenceTakenAsAccepted, Setup.PackageName.c_str()));
    const Result<bool> chosen = ChooseInstallFolder(command);
    if (!chosen || !chosen.Value()) return chosen;
    const Result<FolderPreparation> prepared = PrepareInstallFolders();
    if (!prepared) return prepared.State();
    if (prepared.Value() != FolderPreparation::Ready) return false;
    InstallRun run(face);
    if (const Status ran = run.Run(); !ran) return ran;
    return run.RunAborted == 0;
}

Result<bool> Uninstall(UnattendedFace& face, const StartedRun& started) {
    if (const Status named = ReadLoggedPackageName(started); !named) return named;
    if (Face().Ask(Text(TextId::AreYouSure), FormatText(TextId::UninstallQuestionCaption, Setup.PackageName.c_str()).c_str(),
                   MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    UninstallRun(face).Run();
    return true;
}

Result<bool> Attempt(const UnattendedCommand& command, UnattendedFace& face) {
    if (const std::string problem = GivenFolderProblem(command.installFolder); !problem.empty()) {
        ShowError(problem, "Install");
        return false;
    }
    if (const Status fits = RequireFittingPath(command.logPath); !fits) return fits;
    Setup.CommandLine = command.logPath;
    const Result<StartedRun> started = StartRun();
    if (!started) return started.State();
    return Setup.IsUninstallMode() ? Uninstall(face, started.Value()) : Install(command, face);
}

// The run's one report of a failure: what the windows would have shown goes to the log.
Result<bool> Run(const UnattendedCommand& command, UnattendedFace& face) {
    const Result<bool> done = Attempt(command, face);
    if (!done) ReportFailure(done.State());
    return done;
}

// A package for the machine, without the administrators' rights: the run starts itself again
// with them and ends as that run ends, having made nothing itself.
int RunElevatedInstead(const std::string& argumentText, const UnattendedCommand& command, const PackageFacts& facts,
                       UnattendedFace& face) {
    const Result<DWORD> elevated = Elevation::Current().RunElevated(argumentText);
    const int code = elevated ? static_cast<int>(elevated.Value()) : ExitElevationRefused;
    if (elevated)
        face.Write(Text(TextId::StartedElevated));
    else
        face.Write(NeedsAdministratorText(facts.name, !command.logPath.empty()));
    face.Write(FormatText("Exit code %d", code));
    return code;
}

}  // namespace

int RunUnattended(const std::string& argumentText, const UnattendedCommand& command, const std::string& language) {
    UnattendedFace face;
    face.Write("Unattended run: " + argumentText);
    const PackageFacts facts = ReadPackageFacts(command.logPath);
    Setup.UserScope = facts.userScope;
    for (const std::string& refused : UseRunLanguage(language, command.logPath)) face.Write(refused);
    // A check only reads: no elevation, no lock.
    if (command.verify) {
        Setup.Face = &face;
        const int checked = CheckInstall(command.logPath);
        face.Write(FormatText("Exit code %d", checked));
        Setup.Face = nullptr;
        return checked;
    }
    if (!facts.userScope && !Setup.Elevated) return RunElevatedInstead(argumentText, command, facts, face);
    const KernelObject lock = TakeRunLock(Setup.UserScope);
    if (!lock.IsValid()) {
        face.Write(Text(TextId::AnotherSetup));
        face.Write(FormatText("Exit code %d", ExitAnotherSetupRunning));
        return ExitAnotherSetupRunning;
    }
    Setup.Face = &face;
    // No one is there to ask: programs that hold the files are closed, unless "/NOCLOSE" said not to.
    if (HoldersChoice == HolderChoice::Ask) HoldersChoice = HolderChoice::Close;
    const Result<bool> ran = Run(command, face);
    bool done = ran && ran.Value() && !face.Failed();
    // The log and its record are part of the install: one that cannot be left undoes it.
    bool logLeft = false;
    if (done && !Setup.IsUninstallMode()) {
        const Status placed = PlaceInstalledLog();
        if (!placed) ShowError(placed.Message(), Text(TextId::UninstallLogCaption));
        done = logLeft = placed.Ok();
    }
    if (!done) UndoFailedInstall(face);
    EndRun(!logLeft);
    const int code = ran.State().Code() == ExitNewerInstalled ? static_cast<int>(ExitNewerInstalled)
                     : !done || face.Failed()                  ? ExitFailed
                     : Setup.RestartScheduled                  ? ExitRestartNeeded
                                                               : ExitSuccess;
    face.Write(FormatText("Exit code %d", code));
    Setup.Face = nullptr;
    return code;
}
