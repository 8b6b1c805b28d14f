#pragma once
#include "toolkit/Form.h"

class TChangeForm : public Form {
public:
    TChangeForm();
};
