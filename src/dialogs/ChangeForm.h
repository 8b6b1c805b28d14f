#pragma once
#include "toolkit/Button.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/DriveComboBox.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/PopupMenu.h"

// The folder chooser. It browses through the process's current directory, which its caller
// saves and restores. "&OK" stores the open folder into Setup.InstallFolder and ends with OK.
class TChangeForm : public Form {
public:
    TChangeForm();

    Status FormActivate() override;
    Status DriveComboBox1Change();
    void NewFolder1Click();
    Status Button1Click();
    void Button2Click();

    Label Lable1;
    Label Label2;
    DriveComboBox DriveComboBox1;
    DirectoryListBox DirectoryListBox1;
    Button Button1;
    Button Button2;
    PopupMenu PopupMenu1;

private:
    void ShowOpenFolder();
};
