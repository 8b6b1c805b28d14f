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
        const HMODULE module = LoadSystemLibrary("rstrtmgr.dll");
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
std::unique_ptr<RM_UNIQUE_PROCESS[]> programs;
UINT programCount = 0;

bool StartSession(DWORD& session) {
    WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
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
    std::vector<std::string> wide;
    for (const std::string& file : files) wide.push_back(ToUtf16(file));
    const std::unique_ptr<LPCWSTR[]> names(new LPCWSTR[wide.size() + 1]);
    for (size_t i = 0; i < wide.size(); ++i) names[i] = WideChars(wide[i]);
    return Functions()->registerResources(listing, static_cast<UINT>(wide.size()), names.get(), 0, nullptr, 0,
                                          nullptr) == ERROR_SUCCESS;
}

void RestartManager::List(std::vector<std::string>& programNames, std::vector<std::string>& services) {
    programCount = 0;
    UINT needed = 0, count = 0;
    DWORD reasons = 0;
    if (listing == NoSession || Functions()->getList(listing, &needed, &count, nullptr, &reasons) != ERROR_MORE_DATA)
        return;
    count = needed;
    const std::unique_ptr<RM_PROCESS_INFO[]> found(new RM_PROCESS_INFO[count]);
    if (Functions()->getList(listing, &needed, &count, found.get(), &reasons) != ERROR_SUCCESS) return;
    programs.reset(new RM_UNIQUE_PROCESS[count]);
    for (UINT i = 0; i < count; ++i) {
        const RM_PROCESS_INFO& info = found[i];
        const bool service = info.ApplicationType == RmService;
        if (!service) programs[programCount++] = info.Process;
        (service ? services : programNames)
            .push_back(FromUtf16(std::string_view(reinterpret_cast<const char*>(info.strAppName),
                                                  lstrlenW(info.strAppName) * sizeof(WCHAR))));
    }
}

void RestartManager::Close() {
    if (programCount == 0 || !StartSession(closing)) return;
    if (Functions()->registerResources(closing, 0, nullptr, programCount, programs.get(), 0, nullptr) == ERROR_SUCCESS)
        Functions()->shutdown(closing, 0, nullptr);
}

void RestartManager::Restart() {
    if (closing != NoSession) Functions()->restart(closing, 0, nullptr);
    End();
}

void RestartManager::End() {
    if (!Functions()) return;
    EndSession(closing);
    EndSession(listing);
}

RestartManager& RestartManager::Current() { return *current; }

void RestartManager::Replace(RestartManager* seam) { current = seam ? seam : &platform; }
