#pragma once

// The end of every run, whatever came before: the shared objects released, the uninstall log
// left in the install folder, the working copies deleted.
void EndRun();
