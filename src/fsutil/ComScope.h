#pragma once
#include <objbase.h>

// Initialises the component library for the current thread and uninitialises it again, but
// only when the initialisation succeeded (already initialised counts: it must be balanced).
// Declare it before any ComPointer so the pointers are released first.
class ComInitGuard {
public:
    ComInitGuard() : result_(CoInitialize(nullptr)) {}
    ~ComInitGuard() {
        if (Succeeded()) CoUninitialize();
    }
    ComInitGuard(const ComInitGuard&) = delete;
    ComInitGuard& operator=(const ComInitGuard&) = delete;

    bool Succeeded() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

// Owns one reference to a component interface and releases it.
template <class Interface>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() {
        if (pointer_) pointer_->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    explicit operator bool() const { return pointer_ != nullptr; }
    Interface* operator->() const { return pointer_; }
    Interface& operator*() const { return *pointer_; }
    // For the creating call's out parameter; only while empty.
    void** Receive() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};
