#pragma once
#include <string>

// Running Linux programs (the tools that check our output) from inside the wine test process.

// The Linux path of a Windows path, as wine maps it.
std::string UnixPathOf(const std::string& windowsPath);

struct UnixCommandResult {
    int exitCode = -1;   // -1 when it could not be started or did not finish in time
    std::string output;  // stdout and stderr together
};

// Runs `script` with /bin/sh and waits for it to end.
UnixCommandResult RunUnixScript(const std::string& script);

// `text` in single quotes for the shell.
std::string ShellQuoted(const std::string& text);

// Makes `link` a Linux symbolic link to `target` (both Windows paths): wine follows it as Windows
// follows a junction or a symbolic link.
bool MakeLink(const std::string& link, const std::string& target);
