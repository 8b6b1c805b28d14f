#pragma once
#include "toolkit/Form.h"

class TInstallForm : public Form {
public:
    TInstallForm();
};
