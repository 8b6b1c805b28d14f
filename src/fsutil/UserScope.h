#pragma once
#include <windows.h>

#include <string>

// A package for the user alone writes only where that user may write: never into a folder only
// administrators can change, never into a machine-wide part of the registry. What the run would
// do elsewhere is refused before anything is made, and so is a log of such a package that names
// anything else.

// Whether a package of this run's scope may make or remove `path`: a package for the machine
// anything; one for the user alone only what lies in that person's profile or in the folders the
// shell names for that person (Local AppData, AppData, Programs, Start Menu, Desktop). Judged by
// the path as spelt in full (no "..", long names): the callers check besides that what they open
// is what the path names, so no link sends them elsewhere.
bool InPersonsAreas(const std::string& path);
// Whether a key text names a key outside the user's part of the registry: any root but
// HKEY_CURRENT_USER and HKEY_CLASSES_ROOT (which such a package writes to the user's classes).
bool IsMachineKey(const std::string& keyText);
// The key a package of the user alone writes for a key text: HKEY_CLASSES_ROOT\x is
// HKEY_CURRENT_USER\Software\Classes\x; every other text stays as it is.
std::string UserScopeKeyText(const std::string& keyText);

// Where this run keeps what the platform and its later runs look up (the entry in the list of
// installed programs, the logs' records): the machine's root, or for a package of the user
// alone, the user's.
HKEY ScopeRoot();
const char* ScopeRootName();

// "... needs administrator rights", naming the entry.
std::string NeedsAdministratorRightsText(const std::string& entry);
