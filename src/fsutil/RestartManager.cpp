#include "fsutil/RestartManager.h"

#include <windows.h>

#include <restartmanager.h>

#include <memory>

#include "base/SystemLibrary.h"
#include "base/TextEncoding.h"

namespace {

// Loaded by its full System path, never imported: a program that imports it does not start where
// it is missing, and one beside setup.exe is never taken.
struct RestartFunctions {
    DWORD(WINAPI* start)(DWORD*, DWORD, WCHAR*);
    DWORD(WINAPI* registerResources)(DWORD, UINT, LPCWSTR*, UINT, RM_UNIQUE_PROCESS*, UINT, LPCWSTR*);
    DWORD(WINAPI* getList)(DWORD, UINT*, UINT*, RM_PROCESS_INFO*, LPDWORD);
    DWORD(WINAPI* shutdown)(DWORD, ULONG, RM_WRITE_STATUS_CALLBACK);
    DWORD(WINAPI* restart)(DWORD, DWORD, RM_WRITE_STATUS_CALLBACK);
    DWORD(WINAPI* end)(DWORD);
};

const RestartFunctions* Functions() {
    static RestartFunctions functions;
    static const bool loaded = [] {
        const HMODULE module = LoadSystemLibrary("rstrtmgr");
        if (!module) return false;
        functions = {ProcAddress<decltype(functions.start)>(module, "RmStartSession"),
                     ProcAddress<decltype(functions.registerResources)>(module, "RmRegisterResources"),
                     ProcAddress<decltype(functions.getList)>(module, "RmGetList"),
                     ProcAddress<decltype(functions.shutdown)>(module, "RmShutdown"),
                     ProcAddress<decltype(functions.restart)>(module, "RmRestart"),
                     ProcAddress<decltype(functions.end)>(module, "RmEndSession")};
        return functions.start && functions.registerResources && functions.getList && functions.shutdown &&
               functions.restart && functions.end;
    }();
    return loaded ? &functions : nullptr;
}

constexpr DWORD NoSession = 0xFFFFFFFF;

// The session that lists the holders of the files, and the one that closes the programs among
// them: registering the programs, not the files, leaves the services running.
DWORD listing = NoSession;
DWORD closing = NoSession;
// What the last List found.
std::unique_ptr<RM_PROCESS_INFO[]> found;
UINT foundCount = 0;

bool StartSession(DWORD& session) {
    WCHAR key[CCH_RM_SESSION_KEY + 1];
    if (session == NoSession && Functions()->start(&session, 0, key) != ERROR_SUCCESS) session = NoSession;
    return session != NoSession;
}

void EndSession(DWORD& session) {
    if (session != NoSession) Functions()->end(session);
    session = NoSession;
}

// Never destroyed: no exit routine for what the end of the process releases anyway.
RestartManager& platform = *new RestartManager;
RestartManager* current = &platform;

}  // namespace

bool RestartManager::Register(const std::vector<std::string>& files) {
    if (!Functions() || !StartSession(listing)) return false;
    // One at a time: the session adds each to those registered before.
    for (const std::string& file : files) {
        const std::string wide = ToUtf16(file).append(2, '\0');
        LPCWSTR name = WideChars(wide);
        if (Functions()->registerResources(listing, 1, &name, 0, nullptr, 0, nullptr) != ERROR_SUCCESS) return false;
    }
    return true;
}

void RestartManager::List(std::vector<std::string>& programs, std::vector<std::string>& services) {
    UINT needed = 0;
    DWORD reasons = 0;
    foundCount = 0;
    if (listing == NoSession || Functions()->getList(listing, &needed, &foundCount, nullptr, &reasons) != ERROR_MORE_DATA)
        return;
    found.reset(new RM_PROCESS_INFO[foundCount = needed]);
    if (Functions()->getList(listing, &needed, &foundCount, found.get(), &reasons) != ERROR_SUCCESS) foundCount = 0;
    for (UINT i = 0; i < foundCount; ++i) {
        const RM_PROCESS_INFO& info = found[i];
        size_t length = 0;
        while (length < CCH_RM_MAX_APP_NAME && info.strAppName[length]) ++length;
        (info.ApplicationType == RmService ? services : programs)
            .push_back(FromUtf16(std::string(reinterpret_cast<const char*>(info.strAppName), length * sizeof(WCHAR))));
    }
}

void RestartManager::Close() {
    if (!Functions() || !StartSession(closing)) return;
    for (UINT i = 0; i < foundCount; ++i)
        if (found[i].ApplicationType != RmService)
            Functions()->registerResources(closing, 0, nullptr, 1, &found[i].Process, 0, nullptr);
    Functions()->shutdown(closing, 0, nullptr);
}

void RestartManager::Restart() {
    if (closing != NoSession) Functions()->restart(closing, 0, nullptr);
    End();
}

void RestartManager::End() {
    // A run that asked nothing has nothing to end, and no reason to load the DLL.
    if (listing == NoSession && closing == NoSession) return;
    EndSession(closing);
    EndSession(listing);
}

RestartManager& RestartManager::Current() { return *current; }

void RestartManager::Replace(RestartManager* seam) { current = seam ? seam : &platform; }
