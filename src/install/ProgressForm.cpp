#include "install/ProgressForm.h"

#include "base/FormatText.h"
#include "forms/ProgressFormLayout.h"
#include "install/InstallRun.h"
#include "state/SetupState.h"

TProgressForm::TProgressForm() : ProgressWindow(ProgressFormLayout::Window) {
    onMouseMove_ = [](Form& form) { static_cast<TProgressForm&>(form).FormMouseMove(); };
}

Status TProgressForm::FormActivate() {
    const BusyScope running(*this);
    RunAborted = 0;
    InstallRun run(*this);
    const Status ran = run.Run();
    RunAborted = run.RunAborted;
    // Cancelled at a file a program holds: the install is taken back, and nothing is left to show.
    if (Setup.UndoInstall) Close();
    return ran;
}

// Once the run has ended early the window goes away as soon as the user touches it.
void TProgressForm::FormMouseMove() {
    if (RunAborted != 0) Close();
}

void TProgressForm::ShowEnded() {
    ProgressWindow::ShowEnded();
    if (!ProgramToStart().empty())
        StartBox.emplace(*this, ProgressFormLayout::StartBox,
                         FormatText(TextId::StartProgramNow, Setup.PackageName.c_str()).c_str(), true);
}
