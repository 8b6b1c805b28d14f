#pragma once
#include <cstdint>
#include <string>

#include "base/Status.h"

// What a run would do, said instead of done ("/PLAN=<file>"). The run goes through its own steps
// with `Setup.Plan` set: each step decides as it always does, and where it would make, write or
// remove something it adds that action here instead. Written in the plan format of setup-media
// (README "The plan's format"): one JSON object per action, or a line a person reads under the
// heading of its kind.

enum class PlanKind { Folder, File, Key, Value, Shortcut, Remove, Leave };
// Why: the script asks for it; the uninstall program; the entry in the list of installed programs;
// the log; its record; an upgrade's or an uninstall's removal. In the order of the format's names.
enum class PlanRole { Package, Uninstaller, Entry, Log, Record, Upgrade, Uninstall };

// The plan's own fields, known once the run has decided.
struct PlanHead {
    std::string package, version, publisher, installFolder;
    bool userScope = false;
    bool uninstall = false;
};

class RunPlan {
public:
    explicit RunPlan(bool json) : json_(json) {}

    // A folder, file, shortcut (`detail`: its target) or key, whether it is there now; a removal,
    // or what is left and why (`detail`).
    void Add(PlanKind kind, PlanRole role, const std::string& where, bool present, const std::string& detail = {});
    // A file with its content as installed; `disk` 0 for one that is not a package file.
    void AddFile(PlanRole role, const std::string& path, uint64_t size, const std::string& sha256, int disk, bool present);
    // A value: its text, or its number in decimal; `known` false when only the run knows it.
    void AddValue(PlanRole role, const std::string& key, const std::string& name, bool isText, const std::string& data,
                  bool known = true);
    // Whether the folder `path` is one the plan makes already.
    bool Planned(const std::string& path) const;
    // The whole plan.
    std::string Document(const PlanHead& head) const;

    // The role of the removals the run adds now.
    PlanRole removing = PlanRole::Uninstall;
    // The log of the earlier install an install would upgrade; empty when none.
    std::string upgrades;
    // The bytes of the package files so far, for the entry's estimated size.
    uint64_t installedBytes = 0;

private:
    void Append(PlanKind kind, const std::string& text);

    bool json_;
    std::string folders_;     // the folders it makes, each ended by a line break
    std::string actions_;     // JSON: the action objects, comma and line break between
    std::string groups_[7];   // text: the lines of each kind
};

// The value written into the current key of `Setup.Registry`, or, for a plan, said of `key`.
Status PutString(PlanRole role, const std::string& key, const char* name, const std::string& text);
Status PutInteger(PlanRole role, const std::string& key, const char* name, int32_t number);

// "/PLAN=" names the plan's file; JSON when its name ends in ".json" (any case).
bool IsJsonPlanName(const std::string& path);
