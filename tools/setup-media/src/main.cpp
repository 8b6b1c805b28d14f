#include <iostream>
#include <string>
#include <vector>

#include "SetupMediaCommand.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return RunSetupMedia(arguments, std::cout, std::cerr);
}
