#pragma once
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"

// Proposes the install folder and lets the user type or choose another; its only output is
// Setup.InstallFolder. "&Install" ends with Yes, a confirmed "E&xit" with No.
class TInstallForm : public Form {
public:
    TInstallForm();

    Status FormActivate() override;
    void Button1Click();
    void Button2Click();
    void Button3Click();

    Label Label1;
    Edit Edit1;
    Button Button1;
    Button Button2;
    Button Button3;

private:
    void ShowInstallFolder();
};

// The folder of the package's earlier install when there is one; else the folder the setup script
// proposes, its path macros expanded, or "c:\" and the package name when the script names none. Fails with "Path too long: <path>" before or after the expansion.
Result<std::string> ProposedInstallFolder();
