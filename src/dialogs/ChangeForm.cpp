#include "dialogs/ChangeForm.h"

#include "forms/ChangeFormLayout.h"

TChangeForm::TChangeForm() : Form(ChangeFormLayout::Form) {}
