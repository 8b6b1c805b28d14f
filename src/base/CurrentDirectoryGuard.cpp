#include "base/CurrentDirectoryGuard.h"

#include <windows.h>

#include "base/PathQuery.h"

std::string CurrentDirectory() {
    return QueryPath([](char* buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); });
}

CurrentDirectoryGuard::CurrentDirectoryGuard() : saved_(CurrentDirectory()) {}

CurrentDirectoryGuard::~CurrentDirectoryGuard() {
    if (!saved_.empty()) SetCurrentDirectoryA(saved_.c_str());
}
