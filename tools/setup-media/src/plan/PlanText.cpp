#include "plan/PlanText.h"

#include "media/DiskSize.h"

namespace {

struct Group {
    ActionKind kind;
    const char* heading;
};

constexpr Group Groups[] = {
    {ActionKind::Folder, "Folders"},
    {ActionKind::File, "Files"},
    {ActionKind::Key, "Registry keys"},
    {ActionKind::Value, "Registry values"},
    {ActionKind::Shortcut, "Shortcuts"},
};

// What an action is for, when the script did not ask for it itself.
const char* RoleText(ActionRole role) {
    switch (role) {
        case ActionRole::Package: return "";
        case ActionRole::Uninstaller: return "the uninstall program";
        case ActionRole::Entry: return "the entry in the list of installed programs";
        case ActionRole::Log: return "the uninstall log";
        case ActionRole::Record: return "the log's record";
    }
    return "";
}

std::string ValueText(const PlanAction& action) {
    const std::string name = action.name.empty() ? "(Default)" : action.name;
    if (!action.data) return name + " = (known when it is installed)";
    return name + " = " + (action.type == ValueType::String ? "\"" + *action.data + "\"" : *action.data);
}

std::string ActionLine(const PlanAction& action) {
    std::string line = "  ";
    switch (action.kind) {
        case ActionKind::Folder:
            line += action.path;
            break;
        case ActionKind::File:
            line += action.path;
            if (action.content)
                line += "  " + GroupedDigits(action.content->size) + " bytes, SHA-256 " + action.content->sha256;
            break;
        case ActionKind::Key:
            line += action.key;
            break;
        case ActionKind::Value:
            line += action.key + "  " + ValueText(action);
            break;
        case ActionKind::Shortcut:
            line += action.path + " -> " + action.target;
            break;
    }
    std::string notes = RoleText(action.role);
    if (action.disk > 0) notes += "disk " + std::to_string(action.disk);
    if (!action.admin.empty()) notes += (notes.empty() ? "" : "; ") + std::string("administrators: ") + action.admin;
    return line + (notes.empty() ? "" : "  (" + notes + ")") + "\n";
}

}  // namespace

std::string PlanText(const InstallPlan& plan) {
    std::string text = "Installing " + plan.package + (plan.version.empty() ? "" : " " + plan.version);
    if (!plan.publisher.empty()) text += " by " + plan.publisher;
    text += plan.scope == PackageScope::User ? ", for the user who runs setup alone\n" : ", for every user of the machine\n";
    text += "Install folder: " + plan.installFolder + "\n";
    text += plan.admin.empty() ? "Administrators' rights: not asked for\n" : "Administrators' rights: asked for, as " + plan.admin + "\n";
    for (const Group& group : Groups) {
        std::string lines;
        for (const PlanAction& action : plan.actions)
            if (action.kind == group.kind) lines += ActionLine(action);
        if (!lines.empty()) text += "\n" + std::string(group.heading) + ":\n" + lines;
    }
    return text;
}
