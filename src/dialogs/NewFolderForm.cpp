#include "dialogs/NewFolderForm.h"

#include "base/FormatText.h"
#include "base/Texts.h"
#include "dialogs/ChangeForm.h"
#include "forms/NewFolderFormLayout.h"
#include "state/SetupState.h"
#include "toolkit/Application.h"
#include "toolkit/RowLayout.h"

using namespace NewFolderFormLayout;

TNewFolderForm::TNewFolderForm()
    : Form(NewFolderFormLayout::Form),
      Edit1(*this, NewFolderFormLayout::Edit1),
      Button1(*this, NewFolderFormLayout::Button1, Text(CreateText), Bind<&TNewFolderForm::Button1Click>(this)),
      Button2(*this, NewFolderFormLayout::Button2, Text(DoneText), Bind<&TNewFolderForm::Button2Click>(this)) {
    SetCaption(Text(NewFolderFormLayout::Caption));
    SendMessageA(Edit1.Handle(), EM_SETLIMITTEXT, MaxNameLength, 0);
    KeepRowApart({&Edit1, &Button1, &Button2});
}

Status TNewFolderForm::FormActivate() {
    Edit1.SetText("");
    Edit1.Focus();
    return {};
}

void TNewFolderForm::Button1Click() {
    // Nothing typed since the box was last emptied: nothing to create.
    if (!Edit1.Modified()) return;
    const std::string name = Edit1.Text();
    // The box takes no more than the name buffer holds; a longer text set otherwise is refused, not cut.
    if (name.size() > MaxNameLength || !CreateDirectoryA(name.c_str(), nullptr))
        Application::Instance().ShowMessageBox(FormatText(TextId::FolderNotCreated, name.c_str()), Text(TextId::ErrorCaption),
                                               MB_OK | MB_ICONERROR);
    Setup.ChangeForm->DirectoryListBox1.Refresh();
    Edit1.SetText("");
}

void TNewFolderForm::Button2Click() { Close(); }
