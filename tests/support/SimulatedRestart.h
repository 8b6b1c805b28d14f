#pragma once
#include <string>

// Delete-at-restart in the one wine session that every test of the run shares.
// Snapshot the pending list before the code under test schedules anything; Restart() then
// carries out only what was scheduled since (with `wineboot -r`) and leaves every entry that
// was pending before still pending, so other tests see no restart.
class SimulatedRestart {
public:
    SimulatedRestart();

    // True when a deletion of `path` was scheduled since the snapshot.
    bool IsScheduled(const std::string& path) const;
    // Runs the restart on the entries added since the snapshot; false when wineboot failed.
    bool Restart() const;

private:
    std::wstring before_;  // the raw list at the snapshot, without its final terminator
};
