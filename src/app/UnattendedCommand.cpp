#include "app/UnattendedCommand.h"

#include <string_view>

#include "base/AsciiCase.h"

namespace {

constexpr std::string_view SilentSwitch = "/s";
constexpr std::string_view FolderSwitch = "/d=";
constexpr std::string_view VerifySwitch = "/verify";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Deployment tools quote what they pass, whether it holds blanks or not.
std::string_view Unquoted(std::string_view text) {
    text = Trimmed(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = Trimmed(text.substr(1, text.size() - 2));
    return text;
}

bool StartsWithSwitch(std::string_view text, std::string_view name) {
    if (text.size() < name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (AsciiLower(text[i]) != name[i]) return false;
    return true;
}

// What follows the silent switch, alone or in quotes, when the text starts with it.
std::optional<std::string_view> AfterSilentSwitch(std::string_view text) {
    const bool quoted = text.starts_with('"');
    if (quoted) text.remove_prefix(1);
    if (!StartsWithSwitch(text, SilentSwitch)) return std::nullopt;
    text.remove_prefix(SilentSwitch.size());
    if (quoted) {
        if (!text.starts_with('"')) return std::nullopt;
        text.remove_prefix(1);
    }
    if (!text.empty() && !IsBlank(text.front())) return std::nullopt;
    return text;
}

}  // namespace

std::optional<std::string> VerifiedLogPath(std::string_view argument) {
    argument = Unquoted(argument);
    if (!StartsWithSwitch(argument, VerifySwitch)) return std::nullopt;
    argument.remove_prefix(VerifySwitch.size());
    if (argument.empty() || !IsBlank(argument.front())) return std::nullopt;
    return std::string(Unquoted(argument));
}

std::optional<UnattendedCommand> ParseUnattendedCommand(const std::string& argumentText) {
    const std::optional<std::string_view> rest = AfterSilentSwitch(argumentText);
    if (!rest) return std::nullopt;
    const std::string_view argument = Unquoted(*rest);
    UnattendedCommand command;
    const std::optional<std::string> verified = VerifiedLogPath(argument);
    if (StartsWithSwitch(argument, FolderSwitch))
        command.installFolder = std::string(Unquoted(argument.substr(FolderSwitch.size())));
    else
        command.logPath = verified.value_or(std::string(argument));
    command.verify = verified.has_value();
    return command;
}
