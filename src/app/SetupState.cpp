#include "app/SetupState.h"

#include "toolkit/FormatText.h"
#include "toolkit/SetupError.h"

SetupState Setup;

void CheckPathLength(const std::string& path) {
    if (!FitsPathBuffer(path)) throw SetupError(FormatText("Path too long: %s", path.c_str()));
}

void AssignPath(std::string& field, const std::string& path) {
    CheckPathLength(path);
    field = path;
}
