#pragma once
#include <windows.h>

// The handle that stands for the calling process (what GetCurrentProcess gives), without the
// import.
inline HANDLE ThisProcess() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)); }

// Owns one platform handle and releases it when it goes, on every way out; it cannot be copied,
// only moved.
// `Traits` names the handle type, the value that means none, and how to release one.
template <class Traits>
class OwnedHandle {
public:
    using Handle = typename Traits::Handle;

    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    ~OwnedHandle() { Reset(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    // Handed on whole: the one moved from holds none.
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.Release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        Reset(other.Release());
        return *this;
    }

    bool IsValid() const { return handle_ != Traits::None(); }
    Handle Get() const { return handle_; }
    // Gives the handle up without releasing it.
    Handle Release() {
        const Handle handle = handle_;
        handle_ = Traits::None();
        return handle;
    }
    // Releases the handle held, if any, and takes `handle` in its place.
    void Reset(Handle handle = Traits::None()) {
        if (IsValid()) Traits::Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::None();
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Release(Handle handle) { CloseHandle(handle); }
};
// A file opened with CreateFileA.
using FileHandle = OwnedHandle<FileHandleTraits>;

struct KernelObjectTraits {
    using Handle = HANDLE;
    static Handle None() { return nullptr; }
    static void Release(Handle handle) { CloseHandle(handle); }
};
// A process token, an event, any kernel object whose functions give null on failure.
using KernelObject = OwnedHandle<KernelObjectTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Release(Handle handle) { FindClose(handle); }
};
// A directory search begun with FindFirstFileA.
using FindHandle = OwnedHandle<FindHandleTraits>;

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle None() { return nullptr; }
    static void Release(Handle handle) { RegCloseKey(handle); }
};
// An open registry key.
using RegistryKey = OwnedHandle<RegistryKeyTraits>;
