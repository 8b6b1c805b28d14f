#pragma once
#include "toolkit/Form.h"

class TLicenceForm : public Form {
public:
    TLicenceForm();
};
