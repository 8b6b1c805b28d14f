#pragma once
#include "toolkit/Form.h"

class TNewFolderForm : public Form {
public:
    TNewFolderForm();
};
