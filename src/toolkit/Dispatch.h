#pragma once
#include "base/Status.h"

// The dispatch points' one report: a handler that failed has ended, its failure reaches the
// default error report, and the message loop goes on. Nothing for a handler that succeeded.
void ReportHandlerFailure(const Status& done);
