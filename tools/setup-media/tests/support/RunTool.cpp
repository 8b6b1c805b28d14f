#include "support/RunTool.h"

#include <sstream>

#include "SetupMediaCommand.h"

ToolRun RunTool(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int exitCode = RunSetupMedia(arguments, out, err);
    return {exitCode, out.str(), err.str()};
}
