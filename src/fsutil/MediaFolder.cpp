#include "fsutil/MediaFolder.h"

#include <windows.h>

#include "base/PathQuery.h"
#include "state/SetupState.h"

std::string ProgramPath() {
    return QueryPath([](char* buffer, DWORD size) {
        // A cut name is returned with its full length, not the size it needs: ask for one more.
        const DWORD length = GetModuleFileNameA(nullptr, buffer, size);
        return length == size ? size + 1 : length;
    });
}

std::string ProgramFolder() {
    std::string path = ProgramPath();
    path.erase(path.find_last_of('\\') + 1);
    return path;
}

std::string MediaPath(const std::string& name) { return Setup.MediaDir + name; }
