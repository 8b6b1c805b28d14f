#include "e2e/DesktopMoved.h"

DesktopMoved::DesktopMoved(const std::string& folder) {
    for (Value& value : values_) {
        value.size = sizeof value.data;
        RegGetValueA(HKEY_CURRENT_USER, value.key, "Desktop", RRF_RT_ANY | RRF_NOEXPAND, &value.type, value.data,
                     &value.size);
        RegSetKeyValueA(HKEY_CURRENT_USER, value.key, "Desktop", REG_SZ, folder.c_str(),
                        static_cast<DWORD>(folder.size() + 1));
    }
}

DesktopMoved::~DesktopMoved() {
    for (const Value& value : values_)
        RegSetKeyValueA(HKEY_CURRENT_USER, value.key, "Desktop", value.type, value.data, value.size);
}
