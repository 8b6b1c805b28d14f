#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Changes a registry value for one test and puts the original back (or removes the value
// again) when the test ends.
class RegistryValueGuard {
public:
    RegistryValueGuard(HKEY root, std::string keyPath, std::string name);
    ~RegistryValueGuard();
    RegistryValueGuard(const RegistryValueGuard&) = delete;
    RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

    void Set(const std::string& text);
    void Remove();

private:
    HKEY root_;
    std::string keyPath_;
    std::string name_;
    bool existed_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

// Changes an environment variable of the test process and puts the original back.
class EnvironmentGuard {
public:
    explicit EnvironmentGuard(std::string name);
    ~EnvironmentGuard();
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

    void Set(const std::string& value);

private:
    std::string name_;
    std::optional<std::string> saved_;
};

// Makes `form` the application's main form, so closing it posts the quit request.
class MainFormGuard {
public:
    explicit MainFormGuard(class Form& form);
    ~MainFormGuard();
    MainFormGuard(const MainFormGuard&) = delete;
    MainFormGuard& operator=(const MainFormGuard&) = delete;

    // True when the form asked to end the run; takes the request out of the queue.
    static bool QuitRequested();

private:
    Form* previous_;
};

inline constexpr const char* VersionKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion";
inline constexpr const char* NtVersionKeyPath = "Software\\Microsoft\\Windows NT\\CurrentVersion";
