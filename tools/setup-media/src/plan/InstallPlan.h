#pragma once
#include <optional>
#include <string>
#include <vector>

#include "plan/PackageContent.h"
#include "script/SetupScript.h"

// What an install would do, one action per thing it makes, in the order it makes them. Folders
// the machine alone knows are named by their macros ("%%PROGPATH%%\Tally\tally.exe") unless
// the install folder is given.

enum class ActionKind { Folder, File, Key, Value, Shortcut };
// Why the install makes it: the script asks for it, or the install makes it for itself.
enum class ActionRole { Package, Uninstaller, Entry, Log, Record };
enum class ValueType { String, Integer };

struct PlanAction {
    ActionKind kind = ActionKind::Folder;
    ActionRole role = ActionRole::Package;
    std::string path;    // a folder, file or shortcut
    std::string key;     // a key, or a value's key: root name, "\", key path
    std::string name;    // a value's name; empty for the key's unnamed value
    ValueType type = ValueType::String;
    std::optional<std::string> data;  // a value's data (an integer in decimal); nothing when only the install knows it
    std::optional<FileFacts> content;  // a file's, when the plan knows it
    int disk = 0;        // the disk a package file comes from
    std::string target;  // a shortcut's
    std::string admin;   // why it needs administrators' rights; empty when it does not
};

struct InstallPlan {
    std::string package;
    std::string version;    // empty when the script gives none
    std::string publisher;  // likewise
    PackageScope scope = PackageScope::Machine;
    std::string installFolder;
    std::string admin;  // why the run asks for administrators' rights; empty when it does not
    std::vector<PlanAction> actions;
};

// The plan of installing `content`'s package for `scope`, into `installFolder` when given (a full
// path) or the folder its script proposes.
InstallPlan PlanInstall(const PackageContent& content, PackageScope scope, const std::optional<std::string>& installFolder);
