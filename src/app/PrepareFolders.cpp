#include "app/MainForm.h"

void TMainForm::PrepareFolders() {}
