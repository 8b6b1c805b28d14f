#pragma once
#include <windows.h>

#include <optional>

// The system DPI that programs started from now on get; the value before comes back at the end.
class SystemDpiSetting {
public:
    explicit SystemDpiSetting(DWORD dpi) {
        DWORD value = 0, size = sizeof value;
        if (RegGetValueA(HKEY_CURRENT_USER, DesktopKey, "LogPixels", RRF_RT_REG_DWORD, nullptr, &value, &size) ==
            ERROR_SUCCESS)
            saved_ = value;
        Set(dpi);
    }
    ~SystemDpiSetting() {
        if (saved_)
            Set(*saved_);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, DesktopKey, "LogPixels");
    }
    SystemDpiSetting(const SystemDpiSetting&) = delete;
    SystemDpiSetting& operator=(const SystemDpiSetting&) = delete;

private:
    static constexpr const char* DesktopKey = "Control Panel\\Desktop";
    static void Set(DWORD dpi) {
        RegSetKeyValueA(HKEY_CURRENT_USER, DesktopKey, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
    std::optional<DWORD> saved_;
};
