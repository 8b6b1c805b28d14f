#include "install/ProgressForm.h"

#include "forms/ProgressFormLayout.h"

TProgressForm::TProgressForm() : Form(ProgressFormLayout::Form) {}
