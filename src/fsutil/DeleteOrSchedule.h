#pragma once
#include <windows.h>

#include <string>

// One attempt to delete now; on Windows NT whatever is there but cannot go now (a file in use)
// is left to the platform to delete at the next restart, by its path: for files of the run's own
// working folder, and folders, which the platform removes at the restart only when empty. A
// folder that holds only what this run scheduled waits for the restart; one that holds anything
// else (a user's file) is noted in the run's log and goes at a restart once the user has moved
// that file, which nothing waits for.
void DeleteFileOrSchedule(const std::string& path);
void RemoveDirectoryOrSchedule(const std::string& path);
// Leaves `path` to the platform to delete at the next restart, which the run then waits for.
void ScheduleDeletion(const std::string& path);

// Deletes the key `subKey` of `root`; one that stays (it holds keys another program added, or
// may not be deleted) is noted in the run's log as `keyText`.
void DeleteKeyOrReport(HKEY root, const char* subKey, const std::string& keyText);
