#pragma once

// The whole run: records the argument text, makes the seven windows, runs the message loop
// and destroys the windows. Always returns 0.
int RunSetupProgram(const char* commandLine);

// Makes the seven windows, hidden, in their fixed order, and stores them in Setup.
void CreateSetupForms();
