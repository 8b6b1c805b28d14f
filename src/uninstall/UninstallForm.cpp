#include "uninstall/UninstallForm.h"

#include "forms/UninstallFormLayout.h"
#include "toolkit/Application.h"
#include "uninstall/UninstallRun.h"

using namespace UninstallFormLayout;

TUninstallForm::TUninstallForm()
    : Form(UninstallFormLayout::Form),
      UProgramName(*this, UninstallFormLayout::UProgramName, ProgramNameDesign),
      UCurrentFile(*this, UninstallFormLayout::UCurrentFile, "", LabelAlign::Left, nullptr,
                   UninstallFormLayout::UCurrentFileSizing),
      ProgressBar1(*this, UninstallFormLayout::ProgressBar1),
      Button1(*this, UninstallFormLayout::Button1, CancelText, Bind<&TUninstallForm::Button1Click>(this)) {}

// Until the run ends the window answers as it goes, but its button and close do nothing.
Status TUninstallForm::FormActivate() {
    const BusyScope running(*this);
    UninstallRun(*this).Run();
    return {};
}

// The window is shown modally, so closing it ends the showing with the cancel result.
void TUninstallForm::Button1Click() { Close(); }

void TUninstallForm::ShowCaption(const std::string& caption) {
    SetCaption(caption);
    Update();
}

void TUninstallForm::ShowPhase(const std::string& text) {
    ShowItemNow();
    UProgramName.SetCaption(text);
    UProgramName.Update();
}

// Entries go by faster than anyone reads them, and fitting and painting each would take longer
// than removing it: the latest entry is shown, with the bar, whenever the window answers (within
// 20 ms), and before a phase or the run ends.
void TUninstallForm::ShowCurrentItem(const std::string& text) {
    item_ = text;
    ShowItemWhenDue();
}

void TUninstallForm::SetBarStep(ProgressBarRole bar, int step) {
    if (bar == ProgressBarRole::Current) ProgressBar1.SetStep(step);
}

void TUninstallForm::StepBar(ProgressBarRole bar) {
    if (bar != ProgressBarRole::Current) return;
    ProgressBar1.StepIt();
    ShowItemWhenDue();
}

void TUninstallForm::SetBarPosition(ProgressBarRole bar, int position) {
    if (bar != ProgressBarRole::Current) return;
    ProgressBar1.SetPosition(position);
    ShowItemNow();
}

void TUninstallForm::ShowEnded() {
    ShowItemNow();
    Button1.SetCaption("OK");
    SetBusy(false);
}

void TUninstallForm::ShowItemWhenDue() {
    if (Application::Instance().AnswerDue()) ShowItemNow();
}

void TUninstallForm::ShowItemNow() {
    if (UCurrentFile.Caption() != item_) UCurrentFile.SetCaption(item_);
    Application::Instance().ProcessMessages();
}
