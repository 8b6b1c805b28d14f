#include "dialogs/NewFolderForm.h"

#include "forms/NewFolderFormLayout.h"

TNewFolderForm::TNewFolderForm() : Form(NewFolderFormLayout::Form) {}
