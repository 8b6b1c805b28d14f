#include "app/MainForm.h"

// The buttons of the main window lead through the run's windows; its destruction ends every run.

void TMainForm::Button1Click() { Close(); }

void TMainForm::Button2Click() { Close(); }

void TMainForm::Button3Click() { Close(); }

void TMainForm::Button4Click() { Close(); }

void TMainForm::FormDestroy() {}
