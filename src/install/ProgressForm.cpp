#include "install/ProgressForm.h"

#include "forms/ProgressFormLayout.h"
#include "install/InstallRun.h"
#include "toolkit/Application.h"

TProgressForm::TProgressForm()
    : Form(ProgressFormLayout::Form),
      IProgramName(*this, ProgressFormLayout::IProgramName, ProgressFormLayout::ProgramNameDesign),
      ICurrentFile(*this, ProgressFormLayout::ICurrentFile, "", LabelAlign::Left, nullptr,
                   ProgressFormLayout::ICurrentFileSizing),
      ProgressBar1(*this, ProgressFormLayout::ProgressBar1, ProgressFormLayout::ProgressBar1Step),
      Button1(*this, ProgressFormLayout::Button1, ProgressFormLayout::CancelText, Bind<&TProgressForm::Button1Click>(this)),
      TotalProgress(*this, ProgressFormLayout::TotalProgress) {}

// Until the run ends the window answers as it goes (Update), but its button and close do nothing.
Status TProgressForm::FormActivate() {
    const BusyScope running(*this);
    RunAborted = 0;
    InstallRun run(*this);
    const Status ran = run.Run();
    RunAborted = run.RunAborted;
    return ran;
}

void TProgressForm::Button1Click() { Close(); }

// Once the run has ended early the window goes away as soon as the user touches it.
void TProgressForm::FormMouseMove() {
    if (RunAborted != 0) Close();
}

void TProgressForm::ShowCaption(const std::string& caption) {
    SetCaption(caption);
    Update();
}

void TProgressForm::ShowPhase(const std::string& text) {
    IProgramName.SetCaption(text);
    IProgramName.Update();
}

// The file shown and the bars stepped after it are painted together when the window next
// answers: at the pause that follows each file, or within 20 ms.
void TProgressForm::ShowCurrentItem(const std::string& text) {
    ICurrentFile.SetCaption(text);
    Application::Instance().KeepAnswering();
}

void TProgressForm::SetBarStep(ProgressBarRole bar, int step) { BarOf(bar).SetStep(step); }

void TProgressForm::StepBar(ProgressBarRole bar) {
    BarOf(bar).StepIt();
    Application::Instance().KeepAnswering();
}

void TProgressForm::SetBarPosition(ProgressBarRole bar, int position) {
    BarOf(bar).SetPosition(position);
    Application::Instance().KeepAnswering();
}

void TProgressForm::ShowChanges() { Application::Instance().ProcessMessages(); }

void TProgressForm::KeepAnswering() { Application::Instance().KeepAnswering(); }

void TProgressForm::ShowEnded() {
    Button1.SetCaption("OK");
    SetBusy(false);
}
