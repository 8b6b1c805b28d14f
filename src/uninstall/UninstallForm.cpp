#include "uninstall/UninstallForm.h"

#include "forms/UninstallFormLayout.h"
#include "uninstall/UninstallRun.h"

TUninstallForm::TUninstallForm() : ProgressWindow(UninstallFormLayout::Window) {}

Status TUninstallForm::FormActivate() {
    const BusyScope running(*this);
    UninstallRun(*this).Run();
    return {};
}
