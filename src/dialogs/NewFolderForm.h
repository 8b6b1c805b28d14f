#pragma once
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"

// Creates folders, named in Edit1, inside the folder the chooser has open (the current
// directory). It stays open for further names until "&Done".
class TNewFolderForm : public Form {
public:
    TNewFolderForm();

    Status FormActivate() override;
    void Button1Click();
    void Button2Click();

    Edit Edit1;
    Button Button1;
    Button Button2;

    // The name buffer holds this many characters.
    static constexpr size_t MaxNameLength = 39;
};
