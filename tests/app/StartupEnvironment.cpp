#include "app/StartupEnvironment.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

RegistryValueGuard::RegistryValueGuard(HKEY root, std::string keyPath, std::string name)
    : root_(root), keyPath_(std::move(keyPath)), name_(std::move(name)) {
    DWORD size = 0;
    existed_ = RegGetValueA(root_, keyPath_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type_, nullptr,
                            &size) == ERROR_SUCCESS;
    if (!existed_) return;
    data_.resize(size);
    RegGetValueA(root_, keyPath_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type_, data_.data(), &size);
    data_.resize(size);
}

RegistryValueGuard::~RegistryValueGuard() {
    if (existed_)
        RegSetKeyValueA(root_, keyPath_.c_str(), name_.c_str(), type_, data_.data(), static_cast<DWORD>(data_.size()));
    else
        Remove();
}

void RegistryValueGuard::Set(const std::string& text) {
    RegSetKeyValueA(root_, keyPath_.c_str(), name_.c_str(), REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void RegistryValueGuard::Remove() { RegDeleteKeyValueA(root_, keyPath_.c_str(), name_.c_str()); }

EnvironmentGuard::EnvironmentGuard(std::string name) : name_(std::move(name)) {
    const DWORD size = GetEnvironmentVariableA(name_.c_str(), nullptr, 0);
    if (size == 0) return;
    std::string value(size, '\0');
    value.resize(GetEnvironmentVariableA(name_.c_str(), value.data(), size));
    saved_ = value;
}

EnvironmentGuard::~EnvironmentGuard() { SetEnvironmentVariableA(name_.c_str(), saved_ ? saved_->c_str() : nullptr); }

void EnvironmentGuard::Set(const std::string& value) { SetEnvironmentVariableA(name_.c_str(), value.c_str()); }

MainFormGuard::MainFormGuard(Form& form) : previous_(Application::Instance().MainForm()) {
    Application::Instance().SetMainForm(&form);
}

MainFormGuard::~MainFormGuard() {
    QuitRequested();
    Application::Instance().SetMainForm(previous_);
}

bool MainFormGuard::QuitRequested() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}
