#pragma once
#include <string>

// A full path: a drive letter, ":" and "\" (C:\App), or a share (\\server\share). Anything else
// would be taken relative to the current folder or drive, which at install is the media and at
// uninstall whatever folder started the program. Every caller holds a string: taken by reference,
// no call copies a view of it to the stack.
inline bool IsFullPath(const std::string& path) {
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
    if (path.size() < 5 || path[0] != '\\' || path[1] != '\\') return false;
    // A server and a share, neither empty; "\\?\" and "\\.\" name devices, not shares.
    // Compared a character at a time: views cut with substr would each bring a range check.
    const size_t share = path.find('\\', 2);
    const bool device = share == 3 && (path[2] == '?' || path[2] == '.');
    return share != std::string::npos && share > 2 && !device && share + 1 < path.size() &&
           path[share + 1] != '\\';
}
