#pragma once
#include <set>

#include "script/Finding.h"

// The rules of the script check, one group of places where the format misbehaves per function.
// Each adds its findings to `findings`.

// Sections and keys setup does not read, with the names they most likely misspell.
void CheckNames(const CheckInput& input, Findings& findings);
void CheckPackage(const CheckInput& input, Findings& findings);
void CheckInstallFolder(const CheckInput& input, Findings& findings);
// Folders and shortcuts named as Windows cannot name them.
void CheckFolderNames(const CheckInput& input, Findings& findings);
void CheckLicence(const CheckInput& input, Findings& findings);
void CheckDisks(const CheckInput& input, Findings& findings);
void CheckListedSections(const CheckInput& input, Findings& findings);
void CheckRegistry(const CheckInput& input, Findings& findings);
void CheckShortcuts(const CheckInput& input, Findings& findings);
void CheckMacros(const CheckInput& input, Findings& findings);
void CheckPathLengths(const CheckInput& input, Findings& findings);
void CheckOtherFolders(const CheckInput& input, Findings& findings);
void CheckMedia(const CheckInput& input, Findings& findings);
void CheckPackageFiles(const CheckInput& input, Findings& findings);
void CheckDestinations(const CheckInput& input, Findings& findings);
void CheckText(const CheckInput& input, Findings& findings);
// The languages offered, the author's words in them ([Messages]) and their licences.
void CheckLanguages(const CheckInput& input, Findings& findings);
// A per-user package makes nothing where only administrators can; a machine-wide one is warned
// of the user's folders.
void CheckScopeFolders(const CheckInput& input, Findings& findings);

// The warning for `what` (a root, a macro) of the user's own in a machine-wide package.
std::string InAdministratorsProfile(const std::string& what);

// The entries whose values the setup passes through macro expansion.
std::set<const ProfileEntry*> ExpandedEntries(const ProfileText& script);

// The first section setup does not read whose name is a slip of `known` ("[License]" for Licence), or null.
const ProfileSection* SectionMeaning(const ProfileText& script, const std::string& known);

// The line of a section's header, or the first line when there is no such section.
size_t LineOf(const ProfileSection* section);
// `text` in double quotes, for messages.
std::string Quoted(const std::string& text);
