#pragma once
#include <windows.h>

#include <string>

// One attempt to delete now; on Windows NT whatever is there but cannot go now (a file in use)
// is left to the platform to delete at the next restart. A folder is scheduled only when all it
// still holds was scheduled by this run: one holding anything else (a user's file) would not go
// at the restart either, so it is left and noted in the run's log.
void DeleteFileOrSchedule(const std::string& path);
void RemoveDirectoryOrSchedule(const std::string& path);

// Deletes the key `subKey` of `root`; one that stays (it holds keys another program added, or
// may not be deleted) is noted in the run's log as `keyText`.
void DeleteKeyOrReport(HKEY root, const char* subKey, const std::string& keyText);
