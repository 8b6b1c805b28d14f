#include "dialogs/InstallForm.h"

#include "forms/InstallFormLayout.h"

TInstallForm::TInstallForm() : Form(InstallFormLayout::Form) {}
