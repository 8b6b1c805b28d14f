#include "app/RunLock.h"

#include <windows.h>
#include <sddl.h>

#include "fsutil/SystemFolders.h"

namespace {

constexpr const char* LockFileName = "\\qupsetup.lock";
// Only the administrators and the system may open it, so a left-over lock file cannot be held
// open by anyone else.
constexpr const char* LockAccess = "O:BAD:P(A;;FA;;;SY)(A;;FA;;;BA)";

}  // namespace

// A named object in the global namespace can be made first by any user, which would turn every
// setup away. The lock is a file in the Windows folder instead, where only administrators can make
// one: held open without sharing for the run, deleted when the last handle goes, also when the run
// is killed. (A private namespace bounded by the administrators group would serve as well, but
// wine does not have them, and the runs here must show the lock at work.)
// A package for the user alone takes the user's own lock, in the user's Temp, which only that
// user can reach: runs for different users, and a run for the machine, do not wait on each other.
KernelObject TakeRunLock(bool userScope) {
    const std::string path = userScope ? TempFolderPath() + (LockFileName + 1) : WindowsFolder() + LockFileName;
    void* descriptor = nullptr;
    if (!userScope &&
        !ConvertStringSecurityDescriptorToSecurityDescriptorA(LockAccess, SDDL_REVISION_1, &descriptor, nullptr))
        return KernelObject();
    SECURITY_ATTRIBUTES security{sizeof security, descriptor, FALSE};
    const HANDLE lock = CreateFileA(path.c_str(), DELETE, 0, &security, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT,
                                    nullptr);
    LocalFree(descriptor);
    return KernelObject(lock == INVALID_HANDLE_VALUE ? nullptr : lock);
}
