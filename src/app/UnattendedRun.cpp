#include "app/UnattendedRun.h"

#include <windows.h>

#include <exception>

#include "app/PrepareFolders.h"
#include "app/RunEnd.h"
#include "app/RunLock.h"
#include "app/RunStart.h"
#include "app/StartupFailure.h"
#include "app/UnattendedFace.h"
#include "base/FormatText.h"
#include "dialogs/InstallForm.h"
#include "fsutil/InstallFolder.h"
#include "fsutil/SystemFolders.h"
#include "install/InstallRun.h"
#include "state/SetupState.h"
#include "toolkit/Application.h"
#include "uninstall/UninstallRun.h"

namespace {

void ShowError(const std::string& text, const char* caption) {
    Face().Ask(text, caption, MB_OK | MB_ICONERROR);
}

// The folder after "/D=", else the one the destination dialog would propose.
bool ChooseInstallFolder(const UnattendedCommand& command) {
    Setup.InstallFolder = command.installFolder ? *command.installFolder : ProposedInstallFolder();
    std::string problem = InstallFolderProblem(Setup.InstallFolder);
    if (Setup.InstallFolder.empty()) problem = "No install folder given after /D=";
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

}  // namespace

std::string UnattendedLogPath() { return TempFolderPath() + "setup.log"; }

int RunUnattended(const std::string& argumentText, const UnattendedCommand& command) {
    UnattendedFace face(UnattendedLogPath());
    face.Write("Unattended run: " + argumentText);
    const KernelObject lock = TakeRunLock();
    if (!lock.IsValid()) {
        face.Write(AnotherSetupText);
        face.Write(FormatText("Exit code %d", ExitAnotherSetupRunning));
        return ExitAnotherSetupRunning;
    }
    Setup.Face = &face;
    const bool done = Run(command, face);
    EndRun();
    const int code = !done || face.Failed() ? ExitFailed : Setup.RestartScheduled ? ExitRestartNeeded : ExitSuccess;
    face.Write(FormatText("Exit code %d", code));
    Setup.Face = nullptr;
    return code;
}
