#include "app/UnattendedRun.h"

#include <windows.h>

#include <exception>

#include "app/InstalledLog.h"
#include "app/PrepareFolders.h"
#include "app/RunEnd.h"
#include "app/RunLock.h"
#include "app/RunStart.h"
#include "app/StartupFailure.h"
#include "app/UnattendedFace.h"
#include "base/FormatText.h"
#include "base/FullPath.h"
#include "base/QuotedText.h"
#include "dialogs/InstallForm.h"
#include "fsutil/InstallFolder.h"
#include "install/InstallRun.h"
#include "state/SetupState.h"
#include "toolkit/Application.h"
#include "uninstall/UninstallRun.h"

namespace {

void ShowError(const std::string& text, const char* caption) {
    Face().Ask(text, caption, MB_OK | MB_ICONERROR);
}

// Refused before anything is made: a folder taken relative to wherever the tool runs setup.
std::string GivenFolderProblem(const std::optional<std::string>& folder) {
    if (!folder) return {};
    if (folder->empty()) return "No install folder given after /D=";
    if (!IsFullPath(*folder)) return FormatText("The install folder must be a full path: %s", Quoted(*folder).c_str());
    return {};
}

// The folder after "/D=", else the one the destination dialog would propose.
bool ChooseInstallFolder(const UnattendedCommand& command) {
    Setup.InstallFolder = command.installFolder ? *command.installFolder : ProposedInstallFolder();
    const std::string problem = InstallFolderProblem(Setup.InstallFolder);
    if (problem.empty()) return true;
    ShowError(problem, "Install");
    Setup.InstallFolder.clear();
    return false;
}

bool Install(const UnattendedCommand& command, UnattendedFace& face) {
    OpenSetupScript();
    face.Write(FormatText("Licence Agreement for %s: taken as accepted", Setup.PackageName.c_str()));
    if (!ChooseInstallFolder(command)) return false;
    if (PrepareInstallFolders() != FolderPreparation::Ready) return false;
    return InstallRun(face).Run();
}

bool Uninstall(UnattendedFace& face, const StartedRun& started) {
    ReadLoggedPackageName(started);
    if (Face().Ask("Are you sure?", FormatText("  Uninstall %s", Setup.PackageName.c_str()).c_str(),
                   MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    UninstallRun(face).Run();
    return true;
}

bool Run(const UnattendedCommand& command, UnattendedFace& face) {
    try {
        if (const std::string problem = GivenFolderProblem(command.installFolder); !problem.empty()) {
            ShowError(problem, "Install");
            return false;
        }
        Setup.CommandLine = RequireFittingPath(command.logPath);
        const StartedRun started = StartRun();
        return Setup.IsUninstallMode() ? Uninstall(face, started) : Install(command, face);
    } catch (const StartupFailure& failure) {
        ShowError(failure.what(), "Fatal Error");
    } catch (const std::exception& error) {
        // What the default error report would show.
        ShowError(std::string(error.what()) + ".", Application::Instance().Title().c_str());
    }
    return false;
}

// A failed install leaves the machine as it was: what its log holds so far is removed as the
// uninstall removes it. Adding to an install already there, it keeps its log to be merged: the
// files it replaced belong to that install too.
void RemoveFailedInstall(UnattendedFace& face) {
    if (Setup.IsUninstallMode() || Setup.InstallFolder.empty() || !Setup.UninstallLog) return;
    if (LogAt(InstalledLogPath(Setup.InstallFolder)).kind == FolderLog::ThisPackage) {
        face.Write("The install failed; what it made stays, logged with the install it was adding to");
        return;
    }
    face.Write("The install failed; removing what it made");
    try {
        UninstallRun(face).Run();
        // Nothing is left for the log to record.
        Setup.InstallFolder.clear();
    } catch (const std::exception& error) {
        face.Write(std::string(error.what()) + ".");
    }
}

}  // namespace

int RunUnattended(const std::string& argumentText, const UnattendedCommand& command) {
    UnattendedFace face;
    face.Write("Unattended run: " + argumentText);
    const KernelObject lock = TakeRunLock();
    if (!lock.IsValid()) {
        face.Write(AnotherSetupText);
        face.Write(FormatText("Exit code %d", ExitAnotherSetupRunning));
        return ExitAnotherSetupRunning;
    }
    Setup.Face = &face;
    bool done = Run(command, face) && !face.Failed();
    // The log and its record are part of the install: one that cannot be left undoes it.
    bool logLeft = false;
    if (done && !Setup.IsUninstallMode()) {
        const Status placed = PlaceInstalledLog();
        if (!placed) ShowError(placed.Message(), "Uninstall Log");
        done = logLeft = placed.Ok();
    }
    if (!done) RemoveFailedInstall(face);
    EndRun(!logLeft);
    const int code = !done || face.Failed() ? ExitFailed : Setup.RestartScheduled ? ExitRestartNeeded : ExitSuccess;
    face.Write(FormatText("Exit code %d", code));
    Setup.Face = nullptr;
    return code;
}
