#include "plan/PlanJson.h"

#include "common/JsonText.h"

namespace {

std::string Members(const std::vector<std::string>& members) {
    std::string text;
    for (const std::string& member : members) text += (text.empty() ? "" : ", ") + member;
    return text;
}

std::string ActionJson(const PlanAction& action) {
    std::vector<std::string> members = {JsonMember("action", JsonString(KindName(action.kind))),
                                        JsonMember("role", JsonString(RoleName(action.role)))};
    const auto add = [&](const char* name, const std::string& value) { members.push_back(JsonMember(name, value)); };
    if (action.kind == ActionKind::Key || action.kind == ActionKind::Value) {
        add("key", JsonString(action.key));
    } else {
        add("path", JsonString(action.path));
    }
    if (action.kind == ActionKind::Value) {
        const bool isString = action.type == ValueType::String;
        add("name", JsonString(action.name));
        add("type", JsonString(isString ? "string" : "integer"));
        add("data", !action.data ? "null" : isString ? JsonString(*action.data) : *action.data);
    }
    if (action.content) {
        add("size", JsonNumber(static_cast<int64_t>(action.content->size)));
        add("sha256", JsonString(action.content->sha256));
    }
    if (action.disk > 0) add("disk", JsonNumber(action.disk));
    if (action.kind == ActionKind::Shortcut) add("target", JsonString(action.target));
    if (!action.admin.empty()) add("admin", JsonString(action.admin));
    return "{" + Members(members) + "}";
}

}  // namespace

const char* KindName(ActionKind kind) {
    switch (kind) {
        case ActionKind::Folder: return "folder";
        case ActionKind::File: return "file";
        case ActionKind::Key: return "key";
        case ActionKind::Value: return "value";
        case ActionKind::Shortcut: return "shortcut";
    }
    return "";
}

const char* RoleName(ActionRole role) {
    switch (role) {
        case ActionRole::Package: return "package";
        case ActionRole::Uninstaller: return "uninstaller";
        case ActionRole::Entry: return "entry";
        case ActionRole::Log: return "log";
        case ActionRole::Record: return "record";
    }
    return "";
}

std::string PlanJson(const InstallPlan& plan) {
    std::vector<std::string> head = {JsonMember("plan", JsonNumber(PlanFormatVersion)),
                                     JsonMember("package", JsonString(plan.package))};
    if (!plan.version.empty()) head.push_back(JsonMember("version", JsonString(plan.version)));
    if (!plan.publisher.empty()) head.push_back(JsonMember("publisher", JsonString(plan.publisher)));
    head.push_back(JsonMember("scope", JsonString(plan.scope == PackageScope::User ? "user" : "machine")));
    head.push_back(JsonMember("installFolder", JsonString(plan.installFolder)));
    if (!plan.admin.empty()) head.push_back(JsonMember("admin", JsonString(plan.admin)));
    std::string text = "{" + Members(head) + ",\n \"actions\": [\n";
    for (size_t i = 0; i < plan.actions.size(); ++i)
        text += "  " + ActionJson(plan.actions[i]) + (i + 1 < plan.actions.size() ? ",\n" : "\n");
    return text + "]}\n";
}
