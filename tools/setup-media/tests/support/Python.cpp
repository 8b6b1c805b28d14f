#include "support/Python.h"

#include <cstdio>
#include <iostream>

std::string ShellQuoted(const std::string& argument) {
    std::string quoted = "'";
    for (const char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::optional<std::string> PythonOutput(const std::string& program, const std::vector<std::string>& arguments) {
    std::string command = "/usr/bin/python3 -c " + ShellQuoted(program);
    for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string output;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, got);
    if (pclose(pipe) != 0) {
        std::cerr << output;
        return std::nullopt;
    }
    return output;
}
