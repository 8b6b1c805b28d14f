#include "state/RunPlan.h"

#include "base/AsciiCase.h"
#include "base/JsonString.h"
#include "state/SetupState.h"

namespace {

constexpr int PlanFormatVersion = 2;

constexpr const char* KindNames[] = {"folder", "file", "key", "value", "shortcut", "remove", "leave"};
constexpr const char* RoleNames[] = {"package", "uninstaller", "entry", "log", "record", "upgrade", "uninstall"};
constexpr const char* Headings[] = {"Folders", "Files", "Registry keys", "Registry values", "Shortcuts", "Removed",
                                    "Left, and why"};
// What an action is for, in the text form, when the script did not ask for it itself.
constexpr const char* RoleNotes[] = {"", "the uninstall program", "the entry in the list of installed programs",
                                     "the uninstall log", "the log's record", "", ""};

// Written out here: the library's number formatting brings a table into setup.exe.
std::string Decimal(uint64_t value) {
    std::string text;
    do text.insert(text.begin(), static_cast<char>('0' + value % 10));
    while (value /= 10);
    return text;
}

std::string Member(const char* name, const std::string& json) { return std::string(", \"") + name + "\": " + json; }

// The start of an action's object: its kind, its role and where it acts.
std::string JsonStart(PlanKind kind, PlanRole role, const std::string& where) {
    const bool keyed = where.starts_with("HKEY_");
    return std::string("{\"action\": \"") + KindNames[static_cast<int>(kind)] + "\"" +
           Member("role", JsonString(RoleNames[static_cast<int>(role)])) + Member(keyed ? "key" : "path", JsonString(where));
}

std::string Notes(PlanRole role, const std::string& more) {
    std::string notes = RoleNotes[static_cast<int>(role)];
    if (!more.empty()) notes += (notes.empty() ? "" : "; ") + more;
    return notes.empty() ? notes : "  (" + notes + ")";
}

}  // namespace

bool IsJsonPlanName(const std::string& path) {
    constexpr std::string_view suffix = ".json";
    if (path.size() < suffix.size()) return false;
    for (size_t i = 0; i < suffix.size(); ++i)
        if (AsciiLower(path[path.size() - suffix.size() + i]) != suffix[i]) return false;
    return true;
}

void RunPlan::Append(PlanKind kind, std::string text) {
    if (!json_) {
        groups_[static_cast<int>(kind)] += "  " + text + "\n";
        return;
    }
    if (!actions_.empty()) actions_ += ",\n";
    actions_ += "  " + text + "}";
}

bool RunPlan::Planned(const std::string& path) const {
    for (size_t at = 0, end; (end = folders_.find('\n', at)) != std::string::npos; at = end + 1)
        if (folders_.compare(at, end - at, path) == 0) return true;
    return false;
}

void RunPlan::Add(PlanKind kind, PlanRole role, const std::string& where, bool present, const std::string& detail) {
    if (kind == PlanKind::Folder && !present) folders_ += where + '\n';
    const bool removal = kind == PlanKind::Remove || kind == PlanKind::Leave;
    if (json_) {
        std::string text = JsonStart(kind, role, where);
        if (kind == PlanKind::Shortcut) text += Member("target", JsonString(detail));
        if (kind == PlanKind::Leave) text += Member("reason", JsonString(detail));
        if (!removal) text += Member("present", present ? "true" : "false");
        Append(kind, text);
        return;
    }
    std::string line = where;
    if (kind == PlanKind::Shortcut) line += " -> " + detail;
    Append(kind, line + Notes(role, kind == PlanKind::Leave ? detail : present && !removal ? "there now" : ""));
}

void RunPlan::AddFile(PlanRole role, const std::string& path, uint64_t size, const std::string& sha256, int disk,
                      bool present) {
    if (json_) {
        std::string text = JsonStart(PlanKind::File, role, path);
        if (!sha256.empty()) text += Member("size", Decimal(size)) + Member("sha256", JsonString(sha256));
        if (disk > 0) text += Member("disk", Decimal(static_cast<uint64_t>(disk)));
        Append(PlanKind::File, text + Member("present", present ? "true" : "false"));
        return;
    }
    std::string line = path;
    if (!sha256.empty()) line += "  " + Decimal(size) + " bytes, SHA-256 " + sha256;
    std::string notes = disk > 0 ? "disk " + Decimal(static_cast<uint64_t>(disk)) : std::string();
    if (present) notes += (notes.empty() ? "" : "; ") + std::string("replaces the one there");
    Append(PlanKind::File, line + Notes(role, notes));
}

void RunPlan::AddValue(PlanRole role, const std::string& key, const std::string& name, bool isText,
                       const std::string& data, bool known) {
    if (json_) {
        Append(PlanKind::Value, JsonStart(PlanKind::Value, role, key) + Member("name", JsonString(name)) +
                                    Member("type", isText ? "\"string\"" : "\"integer\"") +
                                    Member("data", !known ? "null" : isText ? JsonString(data) : data));
        return;
    }
    const std::string shown = !known ? "(known when it is installed)" : isText ? "\"" + data + "\"" : data;
    Append(PlanKind::Value, key + "  " + (name.empty() ? "(Default)" : name) + " = " + shown + Notes(role, ""));
}

std::string RunPlan::Document(const PlanHead& head) const {
    const char* admin = "the package is installed for every user of the machine";
    if (json_) {
        std::string text = "{\"plan\": " + Decimal(PlanFormatVersion) + Member("package", JsonString(head.package));
        if (!head.version.empty()) text += Member("version", JsonString(head.version));
        if (!head.publisher.empty()) text += Member("publisher", JsonString(head.publisher));
        text += Member("scope", head.userScope ? "\"user\"" : "\"machine\"") +
                Member("installFolder", JsonString(head.installFolder));
        if (!head.userScope) text += Member("admin", JsonString(admin));
        if (!upgrades.empty()) text += Member("upgrades", JsonString(upgrades));
        return text + ",\n \"actions\": [\n" + actions_ + (actions_.empty() ? "]}\n" : "\n]}\n");
    }
    std::string text = (head.uninstall ? "Uninstalling " : "Installing ") + head.package + (head.version.empty() ? "" : " " + head.version);
    if (!head.publisher.empty()) text += " by " + head.publisher;
    text += head.userScope ? ", for the user who runs setup alone\n" : ", for every user of the machine\n";
    text += "Install folder: " + head.installFolder + "\n";
    text += head.userScope ? "Administrators' rights: not asked for\n"
                           : "Administrators' rights: asked for, as " + std::string(admin) + "\n";
    if (!upgrades.empty()) text += "Upgrades: " + upgrades + "\n";
    for (int kind = 0; kind < 7; ++kind)
        if (!groups_[kind].empty()) text += "\n" + std::string(Headings[kind]) + ":\n" + groups_[kind];
    return text;
}

Status PutString(PlanRole role, const std::string& key, const char* name, const std::string& text) {
    if (!Setup.Plan) return Setup.Registry->WriteString(name, text);
    Setup.Plan->AddValue(role, key, name, true, text);
    return {};
}

Status PutInteger(PlanRole role, const std::string& key, const char* name, int32_t number) {
    if (!Setup.Plan) return Setup.Registry->WriteInteger(name, number);
    const uint64_t magnitude = number < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(number)) : static_cast<uint64_t>(number);
    Setup.Plan->AddValue(role, key, name, false, (number < 0 ? "-" : "") + Decimal(magnitude));
    return {};
}
