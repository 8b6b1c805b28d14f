#pragma once
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/PageControl.h"

// The main window: the Install or the Uninstall page of the mode, and the About page.
struct StartedRun;

class TMainForm : public Form {
public:
    TMainForm();

    Status FormActivate() override;
    // When its window is destroyed: the run ends.
    void FormDestroy();

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    // Makes the install folder (after asking), its listed subfolders and the other folders.
    Status PrepareFolders();

    PageControl PageControl1;
    TabSheet TabSheet1;
    Label Label4;
    Label Label1;
    Label Label2;
    Label Label3;
    Button Button1;
    Button Button2;
    TabSheet TabSheet2;
    Label Label5;
    Label Label6;
    Label Label7;
    Label Label8;
    Button Button3;
    Button Button4;
    TabSheet TabSheet3;
    Image Image1;

    // Set when a step of the wizard sequence is refused or fails; later steps are then skipped.
    int Aborted = 0;

private:
    Status StartAndShowPage();
    void ShowGreeting(const std::string& owner);
    Status ShowInstallPage();
    Status ShowUninstallPage(const StartedRun& started);
    void ShowPackageName();
};
