#include "install/ProgressForm.h"

#include "forms/ProgressFormLayout.h"
#include "toolkit/Application.h"

TProgressForm::TProgressForm()
    : Form(ProgressFormLayout::Form),
      IProgramName(*this, ProgressFormLayout::IProgramName, ProgressFormLayout::ProgramNameDesign),
      ICurrentFile(*this, ProgressFormLayout::ICurrentFile, "", LabelAlign::Left, nullptr, true),
      ProgressBar1(*this, ProgressFormLayout::ProgressBar1, ProgressFormLayout::ProgressBar1Step),
      Button1(*this, ProgressFormLayout::Button1, ProgressFormLayout::CancelText, [this] { Button1Click(); }),
      TotalProgress(*this, ProgressFormLayout::TotalProgress) {}

void TProgressForm::Button1Click() { Close(); }

// Once the run has ended early the window goes away as soon as the user touches it.
void TProgressForm::FormMouseMove() {
    if (RunAborted != 0) Close();
}

void TProgressForm::ShowCaption(const std::string& caption) {
    SetCaption(caption);
    Update();
}

void TProgressForm::ShowProgramName(const std::string& text) {
    IProgramName.SetCaption(text);
    IProgramName.Update();
}

void TProgressForm::ShowCurrentItem(const std::string& text) {
    ICurrentFile.SetCaption(text);
    ICurrentFile.Update();
}

void TProgressForm::SetBarSteps(int barStep, int totalStep) {
    ProgressBar1.SetStep(barStep);
    TotalProgress.SetStep(totalStep);
}

void TProgressForm::StepBars() {
    ProgressBar1.StepIt();
    ProgressBar1.Update();
    TotalProgress.StepIt();
    TotalProgress.Update();
}

void TProgressForm::SetBarPosition(ProgressBar& bar, int position) {
    bar.SetPosition(position);
    bar.Update();
}

void TProgressForm::FailRun(const std::string& message) {
    Application::Instance().ShowMessageBox(message, "Fatal Error", MB_OK | MB_ICONERROR);
    RunAborted = 1;
}
