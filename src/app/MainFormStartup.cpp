#include <windows.h>

#include "app/MainForm.h"
#include "app/RunStart.h"
#include "app/StartupFailure.h"
#include "base/FormatText.h"
#include "state/RunFace.h"
#include "state/SetupState.h"
#include "toolkit/Dispatch.h"

// The main window's activation starts the run, greets the owner and shows the page of the
// mode. It stops at the first check that fails, and the run ends.

void TMainForm::FormActivate() {
    try {
        const StartedRun started = StartRun();
        ShowGreeting(started.owner);
        if (Setup.IsUninstallMode())
            ShowUninstallPage(started);
        else
            ShowInstallPage();
    } catch (const StartupFailure& failure) {
        Face().Ask(failure.what(), "Fatal Error", MB_OK | MB_ICONERROR);
        Close();
    } catch (const std::exception& error) {
        // A read or write the layers refused: what follows it was never set up, so the run ends.
        ReportHandlerError(error);
        Close();
    }
}

void TMainForm::ShowGreeting(const std::string& owner) {
    const std::string greeting = "Hi " + owner + " !";
    Label4.SetCaption(greeting);
    Label5.SetCaption(greeting);
}

void TMainForm::ShowUninstallPage(const StartedRun& started) {
    TabSheet1.SetTabVisible(false);
    PageControl1.SetActivePage(TabSheet2);
    ReadLoggedPackageName(started);
    ShowPackageName();
}

void TMainForm::ShowInstallPage() {
    TabSheet2.SetTabVisible(false);
    PageControl1.SetActivePage(TabSheet1);
    OpenSetupScript();
    ShowPackageName();
}

void TMainForm::ShowPackageName() {
    const std::string& name = Setup.PackageName;
    Label2.SetCaption(name);
    Label7.SetCaption(name);
    SetCaption(FormatText("Setup for %s", name.c_str()));
}
