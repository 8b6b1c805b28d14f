#include "dialogs/LicenceForm.h"

#include "forms/LicenceFormLayout.h"

TLicenceForm::TLicenceForm() : Form(LicenceFormLayout::Form) {}
