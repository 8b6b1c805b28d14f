#include "uninstall/UninstallForm.h"

#include "forms/UninstallFormLayout.h"
#include "uninstall/UninstallRun.h"

using namespace UninstallFormLayout;

TUninstallForm::TUninstallForm()
    : Form(UninstallFormLayout::Form),
      UProgramName(*this, UninstallFormLayout::UProgramName, ProgramNameDesign),
      UCurrentFile(*this, UninstallFormLayout::UCurrentFile, "", LabelAlign::Left, nullptr,
                   UninstallFormLayout::UCurrentFileSizing),
      ProgressBar1(*this, UninstallFormLayout::ProgressBar1),
      Button1(*this, UninstallFormLayout::Button1, CancelText, Bind<&TUninstallForm::Button1Click>(this)) {}

// Until the run ends the window answers as it goes (Update), but its button and close do nothing.
void TUninstallForm::FormActivate() {
    const BusyScope running(*this);
    UninstallRun(*this).Run();
}

// The window is shown modally, so closing it ends the showing with the cancel result.
void TUninstallForm::Button1Click() { Close(); }

void TUninstallForm::ShowCaption(const std::string& caption) {
    SetCaption(caption);
    Update();
}

void TUninstallForm::ShowPhase(const std::string& text) {
    UProgramName.SetCaption(text);
    UProgramName.Update();
}

void TUninstallForm::ShowCurrentItem(const std::string& text) {
    UCurrentFile.SetCaption(text);
    UCurrentFile.Update();
}

void TUninstallForm::SetBarStep(ProgressBarRole bar, int step) {
    if (bar == ProgressBarRole::Current) ProgressBar1.SetStep(step);
}

void TUninstallForm::StepBar(ProgressBarRole bar) {
    if (bar != ProgressBarRole::Current) return;
    ProgressBar1.StepIt();
    ProgressBar1.Update();
}

void TUninstallForm::SetBarPosition(ProgressBarRole bar, int position) {
    if (bar != ProgressBarRole::Current) return;
    ProgressBar1.SetPosition(position);
    ProgressBar1.Update();
}

void TUninstallForm::ShowEnded() {
    Button1.SetCaption("OK");
    SetBusy(false);
}
