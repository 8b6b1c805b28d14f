#pragma once
#include <string>

#include "setupdata/ProfileFile.h"

// An install into the folder of an earlier install of its package leaves what it ships itself, and
// only that. What the earlier log records that this run neither made again nor found in place (a
// folder or key its script asks for), nor holds anything of this run below it, is removed as the
// uninstall removes it, through the uninstall's own code and rules; the log then keeps only what
// stays.
class UpgradeRemoval {
public:
    // The earlier log's checked copy against this run's own log, before the two are merged.
    explicit UpgradeRemoval(const std::string& earlierCopy);
    // Removes those entries, reporting what was left as the uninstall reports it, and takes the ones
    // that are gone out of `merged`, the log to be left. Nothing is removed when they could not be
    // listed whole. False when nothing was removed, or `merged` could not be written.
    bool Run(const ProfileFile& merged) const;
    // What Run would remove, said in the run's plan instead.
    void Plan() const;

private:
    // The entries removed (or, for a plan, said) through the uninstall's own code.
    void RemoveDropped() const;

    std::string dropped_;  // the entries, as a log in the working folder
    bool ready_ = false;
};

// Undoing a failed install over an earlier install of its package: the folders the earlier log holds
// stay for that install (a program group the run found there is logged all the same), so they go
// out of this run's log. Its keys are there already for the run, which so logs none of them; the
// files it replaced come back. False when the log could not be written.
bool LeaveEarlierFolders(const std::string& earlierCopy);
