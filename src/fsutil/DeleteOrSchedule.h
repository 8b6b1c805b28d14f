#pragma once
#include <string>

// One attempt to delete now; on Windows NT whatever is there but cannot go
// now (a file in use, a folder still holding something) is left to the platform to delete at
// the next restart. Nothing is reported either way.
void DeleteFileOrSchedule(const std::string& path);
void RemoveDirectoryOrSchedule(const std::string& path);
