#include "install/ProgressForm.h"

#include "base/FormatText.h"
#include "base/Texts.h"
#include "forms/ProgressFormLayout.h"
#include "install/InstallRun.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"
#include "toolkit/RowLayout.h"

TProgressForm::TProgressForm()
    : ProgressWindow(ProgressFormLayout::Window), StartProgram(*this, ProgressFormLayout::StartProgram, "") {
    StartProgram.SetVisible(false);
    onMouseMove_ = [](Form& form) { static_cast<TProgressForm&>(form).FormMouseMove(); };
}

Status TProgressForm::FormActivate() {
    const BusyScope running(*this);
    RunAborted = 0;
    InstallRun run(*this);
    const Status ran = run.Run();
    RunAborted = run.RunAborted;
    if (run.UndoWanted && UndoInstall) UndoInstall(*this);
    if (Setup.InstallCompleted && !Setup.InstallScript->ReadValue(PackageSection, RunKey, "").empty()) OfferStart();
    return ran;
}

// Once the run has ended early the window goes away as soon as the user touches it.
void TProgressForm::FormMouseMove() {
    if (RunAborted != 0) Close();
}

void TProgressForm::OfferStart() {
    StartProgram.SetCaption(FormatText(TextId::StartProgramNow, Setup.PackageName.c_str()));
    KeepBelow(PhaseLabel, StartProgram);
    KeepRowApart({&StartProgram});
    StartProgram.SetChecked(true);
    StartProgram.SetVisible(true);
}
