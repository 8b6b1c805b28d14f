#include "dialogs/ChangeForm.h"

#include "base/CurrentDirectoryGuard.h"
#include "base/Texts.h"
#include "dialogs/NewFolderForm.h"
#include "forms/ChangeFormLayout.h"
#include "state/SetupState.h"
#include "toolkit/RowLayout.h"

using namespace ChangeFormLayout;

TChangeForm::TChangeForm()
    : Form(ChangeFormLayout::Form),
      Lable1(*this, ChangeFormLayout::Lable1, Text(CurrentFolderText), LabelAlign::Left, nullptr, Lable1Sizing),
      Label2(*this, ChangeFormLayout::Label2, "", LabelAlign::Left, nullptr, Label2Sizing),
      DriveComboBox1(*this, ChangeFormLayout::DriveComboBox1, &DriveFont, Bind<&TChangeForm::DriveComboBox1Change>(this)),
      DirectoryListBox1(*this, ChangeFormLayout::DirectoryListBox1, DirectoryItemHeight, Bind<&TChangeForm::ShowOpenFolder>(this)),
      Button1(*this, ChangeFormLayout::Button1, Text(OkText), Bind<&TChangeForm::Button1Click>(this)),
      Button2(*this, ChangeFormLayout::Button2, Text(CancelText), Bind<&TChangeForm::Button2Click>(this)) {
    PopupMenu1.AddItem(Text(NewFolderText), Bind<&TChangeForm::NewFolder1Click>(this));
    SetCaption(Text(ChangeFormLayout::Caption));
    DirectoryListBox1.SetPopupMenu(&PopupMenu1);
    KeepRowApart({&Lable1, &Label2});
    KeepRowApart({&Button1, &Button2});
}

// Shows the open folder's path up to the list's right edge; one too wide keeps its drive and as
// many of its last levels as fit, with "..." for the levels between.
void TChangeForm::ShowOpenFolder() {
    const std::string& path = DirectoryListBox1.Directory();
    Label2.SetCaption(path);
    const size_t root = path.find('\\');
    size_t cut = root;
    const Bounds list = DirectoryListBox1.GetBounds();
    const int widest = list.left + list.width - Label2.GetBounds().left;
    while (Label2.GetBounds().width > widest && cut != std::string::npos) {
        cut = path.find('\\', cut + 1);
        if (cut != std::string::npos) Label2.SetCaption(path.substr(0, root + 1).append("...").append(path, cut));
    }
}

Status TChangeForm::FormActivate() {
    if (const Status opened = DirectoryListBox1.Open(CurrentDirectory()); !opened) return opened;
    DriveComboBox1.SetDrive(DirectoryListBox1.Directory().front());
    return {};
}

Status TChangeForm::DriveComboBox1Change() {
    const char chosen = DriveComboBox1.Drive();
    const char open = LowerDriveLetter(DirectoryListBox1.Directory().empty() ? 0 : DirectoryListBox1.Directory().front());
    if (chosen == 0 || chosen == open) return {};
    // A drive that cannot be opened leaves the list where it was; the box shows that drive again.
    DriveComboBox1.SetDrive(open);
    if (const Status opened = DirectoryListBox1.OpenDrive(chosen); !opened) return opened;
    DriveComboBox1.SetDrive(chosen);
    return {};
}

void TChangeForm::NewFolder1Click() {
    Setup.NewFolderForm->ShowModal();
    DirectoryListBox1.Refresh();
}

Status TChangeForm::Button1Click() {
    if (const Status fits = RequireFittingPath(DirectoryListBox1.Directory()); !fits) return fits;
    Setup.InstallFolder = DirectoryListBox1.Directory();
    SetModalResult(ResultOk);
    return {};
}

void TChangeForm::Button2Click() { SetModalResult(ResultCancel); }
