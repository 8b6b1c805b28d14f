#include "app/MainForm.h"

// The start of the run: fills the shared record, checks the folders, makes the Temp copies
// and shows the page of the mode.
void TMainForm::FormActivate() {}
