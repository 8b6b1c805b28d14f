#pragma once
#include <string>
#include <vector>

// One run of the setup-media command line, in this process.
struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

ToolRun RunTool(const std::vector<std::string>& arguments);
