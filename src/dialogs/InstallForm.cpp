#include "dialogs/InstallForm.h"

#include "base/CurrentDirectoryGuard.h"
#include "base/FormatText.h"
#include "base/Texts.h"
#include "dialogs/ChangeForm.h"
#include "forms/InstallFormLayout.h"
#include "fsutil/EarlierInstall.h"
#include "fsutil/InstallFolder.h"
#include "fsutil/PathMacros.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"
#include "toolkit/Application.h"
#include "toolkit/RowLayout.h"

using namespace InstallFormLayout;

Result<std::string> ProposedInstallFolder() {
    // The package installed already is installed again where it is.
    if (const EarlierInstall earlier = FindEarlierInstall(); !earlier.folder.empty()) return earlier.folder;
    std::string value = Setup.InstallScript->ReadValue(InstallFolderSection, InstallFolderKey, MissingValueMark);
    if (value == MissingValueMark) value = "c:\\" + Setup.PackageName;
    if (const Status fits = RequireFittingPath(value); !fits) return fits;
    return ExpandPathMacros(value);
}

TInstallForm::TInstallForm()
    : Form(InstallFormLayout::Form),
      Label1(*this, InstallFormLayout::Label1, Text(InstallToText), LabelAlign::Left, nullptr, Label1Sizing),
      Edit1(*this, InstallFormLayout::Edit1),
      Button1(*this, InstallFormLayout::Button1, Text(ChangeFolderText), Bind<&TInstallForm::Button1Click>(this)),
      Button2(*this, InstallFormLayout::Button2, Text(InstallText), Bind<&TInstallForm::Button2Click>(this)),
      Button3(*this, InstallFormLayout::Button3, Text(ExitText), Bind<&TInstallForm::Button3Click>(this)) {
    SetCaption(Text(InstallFormLayout::Caption));
    KeepRowApart({&Label1, &Edit1, &Button1});
    KeepRowApart({&Button2, &Button3});
}

void TInstallForm::ShowInstallFolder() {
    Edit1.SetText(Setup.InstallFolder);
    Edit1.SelectAll();
    Edit1.Focus();
}

Status TInstallForm::FormActivate() {
    const Result<std::string> proposed = ProposedInstallFolder();
    if (!proposed) return proposed.State();
    // The proposal stands from here on, even if no button is pressed.
    Setup.InstallFolder = proposed.Value();
    ShowInstallFolder();
    return {};
}

void TInstallForm::Button1Click() {
    {
        // The chooser moves the current directory while the user browses; the folder current
        // before must be current again afterwards, whatever the chooser's result.
        CurrentDirectoryGuard restore;
        SetCurrentDirectoryA(Setup.ProgramFilesDir.c_str());
        const std::string kept = Setup.InstallFolder;
        if (Setup.ChangeForm->ShowModal() == ResultCancel) Setup.InstallFolder = kept;
    }
    ShowInstallFolder();
}

void TInstallForm::Button2Click() {
    Edit1.SelectAll();
    const std::string typed = CanonicalInstallFolder(Edit1.SelectedText());
    const std::string problem = InstallFolderProblem(typed);
    if (!problem.empty()) {
        Application::Instance().ShowMessageBox(problem, Text(TextId::InstallCaption), MB_OK | MB_ICONERROR);
        return;
    }
    Setup.InstallFolder = typed;
    SetModalResult(ResultYes);
}

void TInstallForm::Button3Click() {
    const int answer =
        Application::Instance().ShowMessageBox(Text(TextId::ReallyQuit), Text(TextId::InstallCaption), MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES) SetModalResult(ResultNo);
}
