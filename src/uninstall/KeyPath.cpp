#include "uninstall/KeyPath.h"

#include "setupdata/RegistryKeyText.h"

std::optional<KeyPath> SplitKeyPath(const std::string& text) {
    const std::optional<RegistryKeyText> split = SplitRegistryKeyText(text);
    if (!split) return std::nullopt;
    return KeyPath{split->rootName, split->keyPath.substr(1)};
}
