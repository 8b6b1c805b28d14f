#pragma once
#include "toolkit/Form.h"

class TProgressForm : public Form {
public:
    TProgressForm();
};
