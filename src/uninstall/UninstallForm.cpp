#include "uninstall/UninstallForm.h"

#include "forms/UninstallFormLayout.h"

TUninstallForm::TUninstallForm() : Form(UninstallFormLayout::Form) {}
