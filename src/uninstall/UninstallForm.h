#pragma once
#include "toolkit/Form.h"

class TUninstallForm : public Form {
public:
    TUninstallForm();
};
