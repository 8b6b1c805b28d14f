#pragma once

// Starts the program `[Package] run=` names, with `runargs=`, in the install folder, as the person
// who runs setup: only a run that is not elevated starts it (see ProgramToStart).
void StartInstalledProgram();
