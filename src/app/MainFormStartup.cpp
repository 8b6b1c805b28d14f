#include <windows.h>

#include "app/DowngradeCheck.h"
#include "app/MainForm.h"
#include "app/RunStart.h"
#include "base/FormatText.h"
#include "state/RunFace.h"
#include "state/SetupState.h"

// The main window's activation starts the run, greets the owner and shows the page of the
// mode. It stops at the first check that fails, and at a read or write the layers refused
// (what follows was never set up): the failure is shown and the run ends.

Status TMainForm::FormActivate() {
    if (const Status started = StartAndShowPage(); !started) {
        ReportFailure(started);
        Close();
    }
    return {};
}

Status TMainForm::StartAndShowPage() {
    const Result<StartedRun> started = StartRun();
    if (!started) return started.State();
    ShowGreeting(started.Value().owner);
    return Setup.IsUninstallMode() ? ShowUninstallPage(started.Value()) : ShowInstallPage();
}

void TMainForm::ShowGreeting(const std::string& owner) {
    const std::string greeting = FormatText(TextId::Greeting, owner.c_str());
    Label4.SetCaption(greeting);
    Label5.SetCaption(greeting);
}

Status TMainForm::ShowUninstallPage(const StartedRun& started) {
    TabSheet1.SetTabVisible(false);
    PageControl1.SetActivePage(TabSheet2);
    const Status named = ReadLoggedPackageName(started);
    if (named) ShowPackageName();
    Button3.MakeDefault();
    return named;
}

Status TMainForm::ShowInstallPage() {
    TabSheet2.SetTabVisible(false);
    PageControl1.SetActivePage(TabSheet1);
    const Status opened = OpenSetupScript();
    if (opened) ShowPackageName();
    Button1.MakeDefault();
    if (opened && !DowngradeAccepted()) {
        Aborted = 1;
        Close();
    }
    return opened;
}

void TMainForm::ShowPackageName() {
    const std::string& name = Setup.PackageName;
    Label2.SetCaption(name);
    Label7.SetCaption(name);
    SetCaption(FormatText(TextId::MainCaption, name.c_str()));
}
