#include "fsutil/RunLock.h"

#include <windows.h>
#include <sddl.h>

#include <utility>

#include "base/FormatText.h"
#include "fsutil/SystemFolders.h"
#include "fsutil/WorkFolder.h"

namespace {

constexpr const char* LockFileName = "\\qupsetup.lock";
// Only the administrators and the system may open it, so a left-over lock file cannot be held
// open by anyone else.
constexpr const char* LockAccess = "O:BAD:P(A;;FA;;;SY)(A;;FA;;;BA)";
// A run that ends lets go of the lock, and the copy that removes the uninstall program holds it for
// a moment after the uninstall ended: a setup started just then waits a little before it says that
// another one is running, so that a deployment tool's next command is not turned away for nothing.
constexpr int LockAttempts = 150;
constexpr DWORD LockRetryPause = 20;

// The lock of the machine's packages. A named object in the global namespace can be made first by
// any user, which would turn every setup away. The lock is a file in the Windows folder instead,
// where only administrators can make one, held open for reading without sharing for the run. It
// lasts: a file deleted on close could be kept "delete pending" for ever by anyone who may list the
// folder, through a handle that only reads its attributes, and every later run would find it
// taken; such a handle, which the file's access list cannot refuse, shares nothing that holding the
// file for reading asks for. (A private namespace bounded by the administrators group would serve
// as well, but wine does not have them, and the runs here must show the lock at work.)
KernelObject TakeMachineLock() {
    void* descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(LockAccess, SDDL_REVISION_1, &descriptor, nullptr))
        return KernelObject();
    SECURITY_ATTRIBUTES security{sizeof security, descriptor, FALSE};
    HANDLE lock = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < LockAttempts && lock == INVALID_HANDLE_VALUE; ++attempt) {
        if (attempt > 0) Sleep(LockRetryPause);
        lock = CreateFileA((WindowsFolder() + LockFileName).c_str(), GENERIC_READ, 0, &security, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    }
    LocalFree(descriptor);
    return KernelObject(lock == INVALID_HANDLE_VALUE ? nullptr : lock);
}

// The lock of one person's packages: an object of the person's session, named after the account, so
// that only that person's programs meet it, elevated or not, whatever the person's Temp folder is
// (missing, or a link the person's programs made). Whoever could hold it first is that person.
KernelObject TakeUserLock() {
    KernelObject lock(CreateMutexA(nullptr, FALSE, FormatText("Local\\qupsetup-%s", TokenUserSid().c_str()).c_str()));
    // Abandoned: the run that held it ended without letting go, killed.
    const DWORD taken = lock.IsValid() ? WaitForSingleObject(lock.Get(), LockAttempts * LockRetryPause) : WAIT_FAILED;
    return taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED ? std::move(lock) : KernelObject();
}

}  // namespace

KernelObject TakeRunLock(bool userScope) { return userScope ? TakeUserLock() : TakeMachineLock(); }
