#include "install/ProgressForm.h"

#include "forms/ProgressFormLayout.h"
#include "install/InstallRun.h"

TProgressForm::TProgressForm() : ProgressWindow(ProgressFormLayout::Window) {
    onMouseMove_ = [](Form& form) { static_cast<TProgressForm&>(form).FormMouseMove(); };
}

Status TProgressForm::FormActivate() {
    const BusyScope running(*this);
    RunAborted = 0;
    InstallRun run(*this);
    const Status ran = run.Run();
    RunAborted = run.RunAborted;
    return ran;
}

// Once the run has ended early the window goes away as soon as the user touches it.
void TProgressForm::FormMouseMove() {
    if (RunAborted != 0) Close();
}
