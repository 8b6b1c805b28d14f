#include "app/UnattendedCommand.h"

namespace {

constexpr std::string_view SilentSwitch = "/S";
constexpr std::string_view FolderSwitch = "/D=";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<UnattendedCommand> ParseUnattendedCommand(const std::string& argumentText) {
    const std::string_view text = argumentText;
    if (!text.starts_with(SilentSwitch)) return std::nullopt;
    std::string_view rest = text.substr(SilentSwitch.size());
    if (!rest.empty() && !IsBlank(rest.front())) return std::nullopt;
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    UnattendedCommand command;
    if (rest.starts_with(FolderSwitch))
        command.installFolder = std::string(rest.substr(FolderSwitch.size()));
    else
        command.logPath = rest;
    return command;
}
