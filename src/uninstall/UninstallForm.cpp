#include "uninstall/UninstallForm.h"

#include "forms/UninstallFormLayout.h"

using namespace UninstallFormLayout;

TUninstallForm::TUninstallForm()
    : Form(UninstallFormLayout::Form),
      UProgramName(*this, UninstallFormLayout::UProgramName, ProgramNameDesign),
      UCurrentFile(*this, UninstallFormLayout::UCurrentFile, "", LabelAlign::Left, nullptr, true),
      ProgressBar1(*this, UninstallFormLayout::ProgressBar1),
      Button1(*this, UninstallFormLayout::Button1, CancelText, [this] { Button1Click(); }) {}

// The window is shown modally, so closing it ends the showing with the cancel result.
void TUninstallForm::Button1Click() { Close(); }
