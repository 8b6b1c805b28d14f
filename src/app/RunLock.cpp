#include "app/RunLock.h"

namespace {

// In the global namespace, so the runs of every signed-in user meet there.
constexpr const char* LockName = "Global\\qupsetup-run";

}  // namespace

KernelObject TakeRunLock() {
    KernelObject lock(CreateMutexA(nullptr, FALSE, LockName));
    // A run that ended without letting go (it was killed) leaves the lock abandoned, which is free.
    if (lock.IsValid()) {
        const DWORD waited = WaitForSingleObject(lock.Get(), 0);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return lock;
    }
    return KernelObject();
}
