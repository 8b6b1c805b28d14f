#pragma once
#include <optional>
#include <string>
#include <vector>

// Runs a program in Debian's Python (/usr/bin/python3, which has python3-jsonschema) with
// `arguments`; what it printed when it ended with 0, else nothing (and its output goes to the
// test's log).
std::optional<std::string> PythonOutput(const std::string& program, const std::vector<std::string>& arguments);

// Arguments for a shell command line, each in single quotes.
std::string ShellQuoted(const std::string& argument);
