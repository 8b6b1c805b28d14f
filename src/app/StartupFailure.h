#pragma once
#include "base/SetupError.h"

// A check at the start of the run failed: the main window shows the message in a
// "Fatal Error" box and the run ends.
class StartupFailure : public SetupError {
public:
    using SetupError::SetupError;
};
