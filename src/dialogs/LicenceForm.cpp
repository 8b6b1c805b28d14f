#include "dialogs/LicenceForm.h"

#include "base/FormatText.h"
#include "base/Texts.h"
#include "forms/LicenceFormLayout.h"
#include "fsutil/MediaSource.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"
#include "toolkit/RowLayout.h"

using namespace LicenceFormLayout;

TLicenceForm::TLicenceForm()
    : Form(LicenceFormLayout::Form),
      Memo1(*this, LicenceFormLayout::Memo1, MemoPlaceholder, &MemoFont),
      // Centred, as the layout places it: a longer notice grows to both sides.
      Label1(*this, LicenceFormLayout::Label1, Text(AgreeNotice), LabelAlign::Center, &LabelFont, Label1Sizing),
      Button1(*this, LicenceFormLayout::Button1, Text(AgreeText), Bind<&TLicenceForm::Button1Click>(this)),
      Button2(*this, LicenceFormLayout::Button2, Text(ExitText), Bind<&TLicenceForm::Button2Click>(this)) {
    KeepRowApart({&Label1});
    KeepRowApart({&Button1, &Button2});
}

Status TLicenceForm::FormActivate() {
    SetCaption(FormatText(TextId::LicenceTitle, Setup.PackageName.c_str()));
    // The licence in the run's language where the package has one ("licence.de"), else its licence.
    std::string name =
        Setup.Language.empty()
            ? MissingValueMark
            : Setup.InstallScript->ReadValue(LicenceSection, FormatText("%s.%s", LicenceKey, Setup.Language.c_str()).c_str(),
                                             MissingValueMark);
    if (name == MissingValueMark) name = Setup.InstallScript->ReadValue(LicenceSection, LicenceKey, MissingValueMark);
    if (name == MissingValueMark) name = DefaultLicenceFile;
    // A bare name is found on the setup media, beside the program or in the one-file setup. A
    // licence that cannot be read is reported, and the text shown before stays.
    const Result<std::string> licence = Media().Read(name);
    if (!licence) return licence.State();
    Memo1.LoadText(licence.Value());
    Button1.MakeDefault();
    return {};
}

void TLicenceForm::Button1Click() { SetModalResult(ResultYes); }

void TLicenceForm::Button2Click() { SetModalResult(ResultNo); }
