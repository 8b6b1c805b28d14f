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
#include "fsutil/FileNames.h"
#include "fsutil/InstallFolder.h"
#include "fsutil/ProgramsListEntry.h"
#include "install/InstallRun.h"
#include "setupdata/ScriptNames.h"
#include "state/RunPlan.h"
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

// The plan, in a new file beside its place that is then put there whole, both through handles
// checked to reach where they name: a link on the way sends it nowhere else.
bool WritePlan(const std::string& path, const RunPlan& plan) {
    PlanHead head{Setup.PackageName, {}, {}, Setup.InstallFolder, Setup.UserScope, Setup.IsUninstallMode()};
    if (Setup.InstallScript) {
        head.version = Setup.InstallScript->ReadValue(PackageSection, PackageVersionKey, "");
        head.publisher = Setup.InstallScript->ReadValue(PackageSection, PublisherKey, "");
    }
    if (head.uninstall) head.installFolder = FolderPart(Setup.CommandLine);
    const std::string text = plan.Document(head);
    const std::string staged = path + ".partial";
    const bool taken = IsFullPath(path) && FitsPathBuffer(staged);
    // One a failed run left; a link there goes itself, not what it leads to.
    if (taken) DeleteFileA(staged.c_str());
    Result<FileHandle> file = taken ? CreateNewFile(staged) : Status::Failed("");
    DWORD written = 0;
    if (file && WriteFile(file.Value().Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size() && RenameInto(file.Value().Get(), path))
        return true;
    if (file) DiscardNewFile(file.Value());
    ShowError(QuotedIn(TextId::PlanNotWritten, path), "Plan");
    return false;
}

}  // namespace

int RunUnattended(const std::string& argumentText, const UnattendedCommand& command, const std::string& language) {
    const bool planning = !command.planPath.empty();
    UnattendedFace face(!planning);
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
    // A plan asks for no rights and takes no lock: it makes nothing.
    if (!planning && !facts.userScope && !Setup.Elevated) return RunElevatedInstead(argumentText, command, facts, face);
    const KernelObject lock = planning ? KernelObject() : TakeRunLock(Setup.UserScope);
    if (!planning && !lock.IsValid()) {
        face.Write(Text(TextId::AnotherSetup));
        face.Write(FormatText("Exit code %d", ExitAnotherSetupRunning));
        return ExitAnotherSetupRunning;
    }
    Setup.Face = &face;
    // No one is there to ask: programs that hold the files are closed, unless "/NOCLOSE" said not to;
    // a plan closes nothing.
    if (planning) HoldersChoice = HolderChoice::Keep;
    if (HoldersChoice == HolderChoice::Ask) HoldersChoice = HolderChoice::Close;
    RunPlan plan(IsJsonPlanName(command.planPath));
    if (planning) Setup.Plan = &plan;
    const Result<bool> ran = Run(command, face);
    bool done = ran && ran.Value() && !face.Failed();
    // The log and its record are part of the install: one that cannot be left undoes it.
    bool logLeft = false;
    if (done && !Setup.IsUninstallMode()) {
        const Status placed = PlaceInstalledLog();
        if (!placed) ShowError(placed.Message(), Text(TextId::UninstallLogCaption));
        done = logLeft = placed.Ok();
    }
    if (planning && done) done = WritePlan(command.planPath, plan);
    Setup.Plan = nullptr;
    if (!done && !planning) UndoFailedInstall(face);
    EndRun(!logLeft && !planning);
    const int code = ran.State().Code() == ExitNewerInstalled ? static_cast<int>(ExitNewerInstalled)
                     : !done || face.Failed()                  ? ExitFailed
                     : Setup.RestartScheduled                  ? ExitRestartNeeded
                                                               : ExitSuccess;
    face.Write(FormatText("Exit code %d", code));
    Setup.Face = nullptr;
    return code;
}
