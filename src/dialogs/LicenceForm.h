#pragma once
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"

// Shows the package's licence text; "I &Agree" ends with Yes, "E&xit" with No.
class TLicenceForm : public Form {
public:
    TLicenceForm();

    Status FormActivate() override;
    void Button1Click();
    void Button2Click();

    Memo Memo1;
    Label Label1;
    Button Button1;
    Button Button2;
};
