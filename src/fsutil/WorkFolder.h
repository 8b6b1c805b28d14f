#pragma once
#include <string>
#include <vector>

#include "base/Status.h"

// The folder of the run's working copies: the script, the log and every expanded file. It is
// made fresh under a name no one can predict, where no process that does not run as an
// administrator can change it when the run does: an elevated run shares its account with every
// ordinary program of the user, so its folder is never in the user's Temp folder, never
// reachable by the user's account, and held open so that it cannot be renamed or replaced.

// Where the folder goes, who may use it (in the platform's descriptor language), and whose
// leftovers a run may empty there.
struct WorkFolderPlan {
    std::vector<std::string> parents;  // tried in order; each ends in "\"
    std::string access;
    std::vector<std::string> leftoverOwners;  // account SIDs
};
// For a run with the Administrators group in force (elevated, or the system account): inside the
// Windows folder's SystemTemp where the run may make a folder there, else in its Temp; owned by
// the administrators, usable by them and the system alone, and only their leftovers are removed.
// For any other run: inside the user's Temp, usable by `userSid` alone (no access at all when the
// account cannot be told). Nothing is passed on from the parent.
WorkFolderPlan PlanWorkFolder(bool administrator, const std::string& userSid);
// Whether the Administrators group is in force for this run: so for an elevated run and for the
// system account, not for an administrator's filtered token.
bool RunsAsAdministrator();
// The account this run runs as, in the platform's SID text; empty when it cannot be told.
std::string TokenUserSid();
// The plan for the account this run has and whether it is elevated (`Setup.Elevated`), whatever
// the package's scope: an elevated run for the user alone shares its account with every ordinary
// program of that user as much as one for the machine does.
WorkFolderPlan PlanForThisRun();

// Makes such a folder in the first parent that allows it and holds it open until
// RemoveWorkFolder; its path with a trailing "\", or why none could be made, naming the folder.
// Then it removes what runs that are no longer running left in the same parent, except a log
// that records something made (of an install that was killed, or kept because it could not be
// put in place), so that setup started with its path still uninstalls it, and a folder holding
// files such a run had moved aside, which stays whole and is named in the run's log.
Result<std::string> MakeWorkFolder(const WorkFolderPlan& plan);

// Deletes the folder with the files in it (it holds no subfolders); what cannot go now is left
// to the platform to delete at the next restart. That is the run's own clean-up, not something
// the install or uninstall waits on.
void RemoveWorkFolder(const std::string& folder);
