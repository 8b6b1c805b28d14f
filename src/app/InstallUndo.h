#pragma once
#include "state/ProgressView.h"

// A failed or cancelled install leaves the machine as it was: what its log holds so far is removed
// as the uninstall removes it, shown on `view`, and what it replaced comes back. Adding to an
// install of the package already there, it keeps its log to be merged: the files it replaced
// belong to that install too.
void UndoFailedInstall(ProgressView& view);
