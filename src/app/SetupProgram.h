#pragma once

// The whole run: records the argument text, makes the seven windows, runs the message loop
// and destroys the windows, and returns 0; or, for an argument text that asks for it, the
// unattended run, which returns its own exit code.
int RunSetupProgram(const char* commandLine);

// Makes the seven windows, hidden, in their fixed order, and stores them in Setup.
void CreateSetupForms();
