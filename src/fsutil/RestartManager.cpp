#include "fsutil/RestartManager.h"

#include <windows.h>
#include <restartmanager.h>

#include "base/SystemLibrary.h"
#include "base/TextEncoding.h"

// The calls follow Microsoft's "Using Restart Manager with a Primary Installer"
// (learn.microsoft.com/windows/win32/rstmgr/using-restart-manager-with-a-primary-installer):
// RmStartSession, RmRegisterResources with the files, RmGetList, RmShutdown, RmRestart and
// RmEndSession (learn.microsoft.com/windows/win32/api/restartmanager/). rstrtmgr.dll is not a known
// DLL: it is loaded from the System folder when first needed, never imported.

namespace {

struct RestartManagerCalls {
    decltype(&RmStartSession) start = nullptr;
    decltype(&RmRegisterResources) registerFiles = nullptr;
    decltype(&RmGetList) list = nullptr;
    decltype(&RmShutdown) shutdown = nullptr;
    decltype(&RmRestart) restart = nullptr;
    decltype(&RmEndSession) end = nullptr;
};

const RestartManagerCalls* Calls() {
    static RestartManagerCalls calls;
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        if (const HMODULE module = LoadSystemLibrary("rstrtmgr.dll")) {
            calls.start = ProcAddress<decltype(calls.start)>(module, "RmStartSession");
            calls.registerFiles = ProcAddress<decltype(calls.registerFiles)>(module, "RmRegisterResources");
            calls.list = ProcAddress<decltype(calls.list)>(module, "RmGetList");
            calls.shutdown = ProcAddress<decltype(calls.shutdown)>(module, "RmShutdown");
            calls.restart = ProcAddress<decltype(calls.restart)>(module, "RmRestart");
            calls.end = ProcAddress<decltype(calls.end)>(module, "RmEndSession");
        }
    }
    const bool complete = calls.start && calls.registerFiles && calls.list && calls.shutdown && calls.restart && calls.end;
    return complete ? &calls : nullptr;
}

// The session of the last question; `sessionOpen` says whether it is in use.
DWORD session = 0;
bool sessionOpen = false;
// The programs (never services) that held the files, to be closed.
std::vector<RM_UNIQUE_PROCESS> programs;
std::vector<std::string> programNames;

void EndSession() {
    if (sessionOpen) Calls()->end(session);
    sessionOpen = false;
}

bool StartSession() {
    EndSession();
    WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
    sessionOpen = Calls() && Calls()->start(&session, 0, key) == ERROR_SUCCESS;
    return sessionOpen;
}

// What the session's resources are held by now, as the platform lists it; empty on a failure.
std::vector<RM_PROCESS_INFO> ListHolders() {
    std::vector<RM_PROCESS_INFO> found;
    UINT needed = 0, count = 0;
    DWORD reasons = 0;
    // The list may grow between the two calls: ERROR_MORE_DATA asks again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        found.resize(needed);
        count = needed;
        const DWORD error = Calls()->list(session, &needed, &count, found.data(), &reasons);
        if (error == ERROR_SUCCESS) {
            found.resize(count);
            return found;
        }
        if (error != ERROR_MORE_DATA) break;
    }
    return {};
}

std::string AppName(const RM_PROCESS_INFO& info) {
    const std::wstring_view name(info.strAppName);
    return FromUtf16({reinterpret_cast<const char*>(name.data()), name.size() * sizeof(wchar_t)});
}

RestartManager platform;
RestartManager* current = &platform;

}  // namespace

std::vector<FileHolder> RestartManager::Holders(const std::vector<std::string>& paths) {
    programs.clear();
    programNames.clear();
    if (paths.empty() || !StartSession()) return {};
    std::vector<std::string> wide;
    std::vector<LPCWSTR> names;
    for (const std::string& path : paths) wide.push_back(ToUtf16(path) + std::string(2, '\0'));
    for (const std::string& name : wide) names.push_back(WideChars(name));
    std::vector<FileHolder> holders;
    if (Calls()->registerFiles(session, static_cast<UINT>(names.size()), names.data(), 0, nullptr, 0, nullptr) !=
        ERROR_SUCCESS)
        return holders;
    for (const RM_PROCESS_INFO& info : ListHolders()) {
        const bool service = info.ApplicationType == RmService;
        if (!service) {
            programs.push_back(info.Process);
            programNames.push_back(AppName(info));
        }
        holders.push_back({AppName(info), service});
    }
    return holders;
}

std::vector<std::string> RestartManager::Close() {
    // A session of the programs alone, so that RmShutdown, which stops every process and service
    // of its session, leaves the services to the restart.
    if (programs.empty() || !StartSession() ||
        Calls()->registerFiles(session, 0, nullptr, static_cast<UINT>(programs.size()), programs.data(), 0, nullptr) !=
            ERROR_SUCCESS)
        return programNames;
    std::vector<std::string> running;
    // Without RmForceShutdown: a program that asks its user about unsaved work is left running.
    if (Calls()->shutdown(session, 0, nullptr) == ERROR_SUCCESS) return running;
    for (const RM_PROCESS_INFO& info : ListHolders())
        if (info.AppStatus & (RmStatusRunning | RmStatusErrorOnStop)) running.push_back(AppName(info));
    return running;
}

void RestartManager::Restart() {
    // Only what RmShutdown ended and registered itself for a restart comes back (RmRestart's documentation).
    if (sessionOpen) Calls()->restart(session, 0, nullptr);
    EndSession();
}

RestartManager& RestartManager::Current() { return *current; }

void RestartManager::Replace(RestartManager* seam) { current = seam ? seam : &platform; }
