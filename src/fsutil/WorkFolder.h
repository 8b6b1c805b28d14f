#pragma once
#include <string>

// The folder of the run's working copies: the script, the log and every expanded file. It is
// made fresh inside the Temp folder under a name no one can predict, and only the run's own
// account (and, when the run is elevated, the administrators and the system) may use it, so no
// other process can swap a file between its expansion and its installation, or plant one.

// Makes such a folder inside `tempFolder`; its path with a trailing "\", or the empty text
// when none could be made.
std::string MakeWorkFolder(const std::string& tempFolder);

// The access the folder is made with, in the platform's descriptor language: full access for the
// run's account, and when elevated for the administrators and the system; nothing for anyone
// else, and nothing passed on from the Temp folder. Empty when the account cannot be told.
std::string WorkFolderAccess();

// Deletes the folder with the files in it (it holds no subfolders); what cannot go now is left
// to the platform to delete at the next restart.
void RemoveWorkFolder(const std::string& folder);
