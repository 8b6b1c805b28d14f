#include "app/MainForm.h"
#include "app/RunEnd.h"
#include "app/StartAtEnd.h"
#include "base/FormatText.h"
#include "base/Texts.h"
#include "dialogs/InstallForm.h"
#include "dialogs/LicenceForm.h"
#include "install/ProgressForm.h"
#include "setupdata/ScriptNames.h"
#include "state/RunFace.h"
#include "state/SetupState.h"
#include "toolkit/Application.h"
#include "uninstall/UninstallForm.h"

// The buttons of the main window lead through the run's windows; its destruction ends every run.

namespace {

// Runs a sequence and then closes the main window, also when a step failed (its failure is
// shown first): the main window may be hidden by then, and the run must not go on without a
// visible window.
template <class Steps>
void RunSequenceThenClose(TMainForm& form, Steps&& steps) {
    if (const Status done = steps(); !done) Application::Instance().ReportError(done.Message());
    form.Close();
}

// Shows a dialog of the sequence; anything but Yes ends the sequence.
void ShowStep(TMainForm& form, Form& dialog) {
    if (dialog.ShowModal() != ResultYes) {
        form.Aborted = 1;
        form.Close();
    }
}

}  // namespace

void TMainForm::Button1Click() {
    RunSequenceThenClose(*this, [this] {
        const std::string licence = Setup.InstallScript->ReadValue(LicenceSection, LicenceKey, MissingValueMark);
        if (licence != NoLicenceValue) {
            Hide();
            ShowStep(*this, *Setup.LicenceForm);
        }
        if (Aborted == 0) ShowStep(*this, *Setup.InstallForm);
        if (Aborted == 0)
            if (const Status prepared = PrepareFolders(); !prepared) return prepared;
        if (Aborted == 0) Setup.ProgressForm->ShowModal();
        // The program starts as the last window closes, when it was left ticked.
        if (Aborted == 0 && Setup.InstallCompleted && Setup.ProgressForm->StartProgram.Checked()) StartInstalledProgram();
        return Status();
    });
}

void TMainForm::Button2Click() { Close(); }

void TMainForm::Button3Click() {
    RunSequenceThenClose(*this, [this] {
        const std::string caption = FormatText(TextId::UninstallQuestionCaption, Setup.PackageName.c_str());
        Hide();
        if (Face().Ask(Text(TextId::AreYouSure), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDNO) {
            Aborted = 1;
            Close();
        }
        if (Aborted == 0) Setup.UninstallForm->ShowModal();
        return Status();
    });
}

void TMainForm::Button4Click() { Close(); }

void TMainForm::FormDestroy() { EndRun(); }
