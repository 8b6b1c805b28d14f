#pragma once
#include <windows.h>

#include <optional>
#include <string>

// A registry key as the setup script and the uninstall log write it: root name, "\", key path.
struct RegistryKeyText {
    std::string rootName;
    std::string keyPath;  // keeps its leading "\"
};

// The machine root as key texts name it: the keys the run makes there itself are logged so.
inline constexpr const char* MachineRootName = "HKEY_LOCAL_MACHINE";
// The user's root as key texts name it.
inline constexpr const char* UserRootName = "HKEY_CURRENT_USER";

// Splits at the first "\"; a text without one names no key.
std::optional<RegistryKeyText> SplitRegistryKeyText(const std::string& text);

// The install side's root table, compared exactly: any other name, mistyped ones included,
// means HKEY_LOCAL_MACHINE.
HKEY InstallRootKey(const std::string& rootName);

// The uninstall side knows only four root names, compared exactly; keys under any other
// name are left in place, so the result is empty for them.
std::optional<HKEY> UninstallRootKey(const std::string& rootName);
