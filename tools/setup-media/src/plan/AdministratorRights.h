#pragma once
#include <string>

// Why writing somewhere needs administrators' rights on a usual machine, in a few words for the
// plan ("in the Program Files folder"); the empty text when a standard user may write there.

// For a folder or file path, with macros or written out.
std::string AdministratorsFolderReason(const std::string& path);
// For a registry key text, as the install writes it (a per-user package's classes already moved
// to the user's key).
std::string AdministratorsKeyReason(const std::string& keyText);
