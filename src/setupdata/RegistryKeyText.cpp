#include "setupdata/RegistryKeyText.h"

#include <array>
#include <span>
#include <utility>

namespace {

using RootName = std::pair<const char*, HKEY>;

std::optional<HKEY> FindRoot(std::span<const RootName> roots, const std::string& rootName) {
    for (const auto& [name, key] : roots)
        if (rootName == name) return key;
    return std::nullopt;
}

}  // namespace

std::optional<RegistryKeyText> SplitRegistryKeyText(const std::string& text) {
    const size_t slash = text.find('\\');
    if (slash == std::string::npos) return std::nullopt;
    return RegistryKeyText{text.substr(0, slash), text.substr(slash)};
}

HKEY InstallRootKey(const std::string& rootName) {
    static const std::array<RootName, 5> roots = {{
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKEY_USERS", HKEY_USERS},
        {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
        {"HKEY_DYN_DATA", HKEY_DYN_DATA},
    }};
    return FindRoot(roots, rootName).value_or(HKEY_LOCAL_MACHINE);
}

std::optional<HKEY> UninstallRootKey(const std::string& rootName) {
    static const std::array<RootName, 4> roots = {{
        {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKEY_USERS", HKEY_USERS},
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    }};
    return FindRoot(roots, rootName);
}
