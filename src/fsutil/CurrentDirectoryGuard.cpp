#include "fsutil/CurrentDirectoryGuard.h"

#include <windows.h>

CurrentDirectoryGuard::CurrentDirectoryGuard() {
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    saved_.resize(size);
    const DWORD length = GetCurrentDirectoryA(size, saved_.data());
    saved_.resize(length < size ? length : 0);
}

CurrentDirectoryGuard::~CurrentDirectoryGuard() {
    if (!saved_.empty()) SetCurrentDirectoryA(saved_.c_str());
}
