#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "fsutil/RestartManager.h"

// Stands in for the platform's Restart Manager, which Wine leaves empty, while it lives. It knows
// the holders the test started (real processes, each holding one file) and lists those that still
// run and hold a registered file; closing them posts the platform's close message to their windows
// and waits for them to end, as the Restart Manager asks a program with a window to close.
class FakeRestartManager final : public RestartManager {
public:
    FakeRestartManager() { Replace(this); }
    ~FakeRestartManager() {
        Replace(nullptr);
        for (Holder& holder : holders_) {
            TerminateProcess(holder.process, 0);
            WaitForSingleObject(holder.process, 5000);
            CloseHandle(holder.process);
        }
    }
    FakeRestartManager(const FakeRestartManager&) = delete;
    FakeRestartManager& operator=(const FakeRestartManager&) = delete;

    // Starts the holding program on `file` ("close" or "refuse"), listed as `name`; false when it
    // did not start and hold the file.
    bool StartHolder(const std::string& file, const std::string& mode, const std::string& name);
    // A service that holds `file`: listed, never asked to close.
    void AddService(const std::string& file, const std::string& name) { services_.push_back({file, name}); }
    // Whether the holder named `name` still runs.
    bool Running(const std::string& name) const;

    bool Register(const std::vector<std::string>& files) override;
    void List(std::vector<std::string>& programs, std::vector<std::string>& services) override;
    void Close() override;
    void Restart() override { ++restarts; }
    void End() override {}

    std::vector<std::string> registered;
    int closeRequests = 0;
    int restarts = 0;

private:
    struct Holder {
        HANDLE process;
        DWORD id;
        std::string file;
        std::string name;
    };
    struct Service {
        std::string file;
        std::string name;
    };
    bool IsRegistered(const std::string& file) const;
    std::vector<Holder> holders_;
    std::vector<Service> services_;
};
