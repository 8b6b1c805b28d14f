#include "state/RunPlan.h"

#include "base/AsciiCase.h"
#include "base/JsonString.h"
#include "base/PackedNames.h"
#include "state/SetupState.h"

namespace {

constexpr int PlanFormatVersion = 2;

constexpr char KindNames[] = "folder\0file\0key\0value\0shortcut\0remove\0leave";
constexpr char RoleNames[] = "package\0uninstaller\0entry\0log\0record\0upgrade\0uninstall";
constexpr char Headings[] = "Folders\0Files\0Registry keys\0Registry values\0Shortcuts\0Removed\0Left, and why";
// What an action is for, in the text form, when the script did not ask for it itself.
constexpr char RoleNotes[] = "\0the uninstall program\0the entry in the list of installed programs\0the uninstall log\0"
                             "the log's record\0\0";

// Written out here: the library's number formatting brings a table into setup.exe.
void AppendDecimal(std::string& text, uint64_t value) {
    char digits[20];
    int count = 0;
    do digits[count++] = static_cast<char>('0' + value % 10);
    while (value /= 10);
    while (count > 0) text += digits[--count];
}

// A member of an object: its value JSON as it stands, or text quoted.
std::string& MemberName(std::string& json, const char* name) { return json.append(", \"").append(name).append("\": "); }
void AddMember(std::string& json, const char* name, const char* value) { MemberName(json, name).append(value); }
void AddTextMember(std::string& json, const char* name, const std::string& text) { AppendJsonString(MemberName(json, name), text); }
void AddPresent(std::string& json, bool present) { AddMember(json, "present", present ? "true" : "false"); }

// The start of an action's object: its kind, its role and where it acts.
std::string JsonStart(PlanKind kind, PlanRole role, const std::string& where) {
    std::string json = "{\"action\": \"";
    json.append(PackedName(KindNames, static_cast<int>(kind))).append("\", \"role\": \"");
    json.append(PackedName(RoleNames, static_cast<int>(role))) += '"';
    AddTextMember(json, where.starts_with("HKEY_") ? "key" : "path", where);
    return json;
}

void AppendNotes(std::string& line, PlanRole role, const std::string& more) {
    const char* note = PackedName(RoleNotes, static_cast<int>(role));
    if (!*note && more.empty()) return;
    line.append("  (").append(note);
    if (*note && !more.empty()) line += "; ";
    line.append(more) += ')';
}

}  // namespace

bool IsJsonPlanName(const std::string& path) {
    constexpr std::string_view suffix = ".json";
    if (path.size() < suffix.size()) return false;
    for (size_t i = 0; i < suffix.size(); ++i)
        if (AsciiLower(path[path.size() - suffix.size() + i]) != suffix[i]) return false;
    return true;
}

void RunPlan::Append(PlanKind kind, const std::string& text) {
    if (!json_) {
        groups_[static_cast<int>(kind)].append("  ").append(text) += '\n';
        return;
    }
    if (!actions_.empty()) actions_ += ",\n";
    actions_.append("  ").append(text) += '}';
}

bool RunPlan::Planned(const std::string& path) const {
    for (size_t at = 0, end; (end = folders_.find('\n', at)) != std::string::npos; at = end + 1)
        if (folders_.compare(at, end - at, path) == 0) return true;
    return false;
}

void RunPlan::Add(PlanKind kind, PlanRole role, const std::string& where, bool present, const std::string& detail) {
    if (kind == PlanKind::Folder && !present) folders_.append(where) += '\n';
    const bool removal = kind == PlanKind::Remove || kind == PlanKind::Leave;
    if (json_) {
        std::string json = JsonStart(kind, role, where);
        if (kind == PlanKind::Shortcut) AddTextMember(json, "target", detail);
        if (kind == PlanKind::Leave) AddTextMember(json, "reason", detail);
        if (!removal) AddPresent(json, present);
        Append(kind, json);
        return;
    }
    std::string line = where;
    if (kind == PlanKind::Shortcut) line.append(" -> ").append(detail);
    AppendNotes(line, role, kind == PlanKind::Leave ? detail : std::string(present && !removal ? "there now" : ""));
    Append(kind, line);
}

void RunPlan::AddFile(PlanRole role, const std::string& path, uint64_t size, const std::string& sha256, int disk,
                      bool present) {
    if (json_) {
        std::string json = JsonStart(PlanKind::File, role, path);
        if (!sha256.empty()) {
            AppendDecimal(MemberName(json, "size"), size);
            AddTextMember(json, "sha256", sha256);
        }
        if (disk > 0) AppendDecimal(MemberName(json, "disk"), static_cast<uint64_t>(disk));
        AddPresent(json, present);
        Append(PlanKind::File, json);
        return;
    }
    std::string line = path;
    if (!sha256.empty()) {
        AppendDecimal(line.append("  "), size);
        line.append(" bytes, SHA-256 ").append(sha256);
    }
    std::string notes;
    if (disk > 0) AppendDecimal(notes.append("disk "), static_cast<uint64_t>(disk));
    if (present) notes.append(notes.empty() ? "" : "; ").append("replaces the one there");
    AppendNotes(line, role, notes);
    Append(PlanKind::File, line);
}

void RunPlan::AddValue(PlanRole role, const std::string& key, const std::string& name, bool isText,
                       const std::string& data, bool known) {
    if (json_) {
        std::string json = JsonStart(PlanKind::Value, role, key);
        AddTextMember(json, "name", name);
        AddMember(json, "type", isText ? "\"string\"" : "\"integer\"");
        if (known && isText)
            AddTextMember(json, "data", data);
        else
            AddMember(json, "data", known ? data.c_str() : "null");
        Append(PlanKind::Value, json);
        return;
    }
    std::string line = key;
    line.append("  ").append(name.empty() ? "(Default)" : name.c_str()).append(" = ");
    if (!known)
        line += "(known when it is installed)";
    else if (isText)
        line.append("\"").append(data) += '"';
    else
        line += data;
    AppendNotes(line, role, {});
    Append(PlanKind::Value, line);
}

std::string RunPlan::Document(const PlanHead& head) const {
    const char* admin = "the package is installed for every user of the machine";
    if (json_) {
        std::string json = "{\"plan\": ";
        AppendDecimal(json, PlanFormatVersion);
        AddTextMember(json, "package", head.package);
        if (!head.version.empty()) AddTextMember(json, "version", head.version);
        if (!head.publisher.empty()) AddTextMember(json, "publisher", head.publisher);
        AddMember(json, "scope", head.userScope ? "\"user\"" : "\"machine\"");
        AddTextMember(json, "installFolder", head.installFolder);
        if (!head.userScope) AddTextMember(json, "admin", admin);
        if (!upgrades.empty()) AddTextMember(json, "upgrades", upgrades);
        return json.append(",\n \"actions\": [\n").append(actions_).append(actions_.empty() ? "]}\n" : "\n]}\n");
    }
    std::string text = head.uninstall ? "Uninstalling " : "Installing ";
    text += head.package;
    if (!head.version.empty()) text.append(" ").append(head.version);
    if (!head.publisher.empty()) text.append(" by ").append(head.publisher);
    text += head.userScope ? ", for the user who runs setup alone\n" : ", for every user of the machine\n";
    text.append("Install folder: ").append(head.installFolder) += '\n';
    if (head.userScope)
        text += "Administrators' rights: not asked for\n";
    else
        text.append("Administrators' rights: asked for, as ").append(admin) += '\n';
    if (!upgrades.empty()) text.append("Upgrades: ").append(upgrades) += '\n';
    for (int kind = 0; kind < 7; ++kind)
        if (!groups_[kind].empty()) text.append("\n").append(PackedName(Headings, kind)).append(":\n").append(groups_[kind]);
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
    std::string data = number < 0 ? "-" : "";
    AppendDecimal(data, magnitude);
    Setup.Plan->AddValue(role, key, name, false, data);
    return {};
}
