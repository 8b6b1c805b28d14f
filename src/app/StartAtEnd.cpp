#include "app/StartAtEnd.h"

#include <windows.h>
#include <exdisp.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlobj.h>

#include <cstring>


#include "base/OwnedHandle.h"
#include "base/TextEncoding.h"
#include "fsutil/ComScope.h"
#include "install/InstallRun.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"

namespace {

// What the elevated run hands back, as the section holds it; each text ends in a zero.
struct HandedBack {
    char program[MAX_PATH];
    char folder[MAX_PATH];
    char arguments[4096];
};

// Our own copies of the shell's identifiers, as for shortcuts.
namespace ids {
constexpr GUID CLSID_ShellWindows = {0x9BA05972, 0xF6A8, 0x11CF, {0xA4, 0x42, 0x00, 0xA0, 0xC9, 0x0A, 0x8F, 0x39}};
constexpr GUID IID_IShellWindows = {0x85CB6900, 0x4D95, 0x11CF, {0x96, 0x0C, 0x00, 0x80, 0xC7, 0xF4, 0xEE, 0x85}};
constexpr GUID IID_IServiceProvider = {0x6D5140C1, 0x7436, 0x11CE, {0x80, 0x34, 0x00, 0xAA, 0x00, 0x60, 0x09, 0xFA}};
constexpr GUID SID_STopLevelBrowser = {0x4C96BE40, 0x915C, 0x11CF, {0x99, 0xD3, 0x00, 0xAA, 0x00, 0x4A, 0xE8, 0x37}};
constexpr GUID IID_IShellBrowser = {0x000214E2, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID IID_IShellFolderViewDual = {0xE7A1AF80, 0x4D96, 0x11CF, {0x96, 0x0C, 0x00, 0x80, 0xC7, 0xF4, 0xEE, 0x85}};
constexpr GUID IID_IShellDispatch2 = {0xA4C6892C, 0x3BA9, 0x11D2, {0x9D, 0xEA, 0x00, 0xC0, 0x4F, 0xB1, 0x61, 0x62}};
}  // namespace ids

// The section of the unelevated run that waits for an elevated one: one a session, as only one
// setup runs at a time.
constexpr const char* SectionName = "Local\\qupsetup-start";

void StartDirectly(const char* program, const char* arguments, const char* folder) {
    ShellExecuteA(nullptr, nullptr, program, arguments, folder, SW_SHOWNORMAL);
}

// `text` laid out as the platform's BSTR lays it out: its length in bytes, then the UTF-16
// characters, then a wide zero; AsBstr points at the characters.
std::string BstrBytes(const std::string& text) {
    const std::string wide = ToUtf16(text);
    const DWORD bytes = static_cast<DWORD>(wide.size());
    return std::string(reinterpret_cast<const char*>(&bytes), sizeof bytes).append(wide).append(2, '\0');
}
BSTR AsBstr(std::string& bytes) { return reinterpret_cast<BSTR>(bytes.data() + sizeof(DWORD)); }

VARIANT TextVariant(std::string& bytes) {
    VARIANT variant{};
    variant.vt = VT_BSTR;
    variant.bstrVal = AsBstr(bytes);
    return variant;
}

// The desktop's shell runs as the person logged on, unelevated: the program starts as it would
// from the desktop. The documented way to reach it: the shell windows' desktop
// (IShellWindows::FindWindowSW, SWC_DESKTOP), its view's background object, and that object's
// application (IShellDispatch2::ShellExecute).
bool StartThroughDesktop(const std::string& program, const std::string& arguments, const std::string& folder) {
    const ComInitGuard com;
    ComPointer<IShellWindows> windows;
    ComPointer<IDispatch> desktop;
    ComPointer<IServiceProvider> provider;
    ComPointer<IShellBrowser> browser;
    ComPointer<IShellView> view;
    ComPointer<IDispatch> background;
    ComPointer<IShellFolderViewDual> folderView;
    ComPointer<IDispatch> application;
    ComPointer<IShellDispatch2> shell;
    VARIANT none{};
    long window = 0;
    if (!com.Succeeded() ||
        FAILED(CoCreateInstance(ids::CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, ids::IID_IShellWindows,
                                windows.Receive())) ||
        windows->FindWindowSW(&none, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                              reinterpret_cast<IDispatch**>(desktop.Receive())) != S_OK ||
        FAILED(desktop->QueryInterface(ids::IID_IServiceProvider, provider.Receive())) ||
        FAILED(provider->QueryService(ids::SID_STopLevelBrowser, ids::IID_IShellBrowser, browser.Receive())) ||
        FAILED(browser->QueryActiveShellView(reinterpret_cast<IShellView**>(view.Receive()))) ||
        FAILED(view->GetItemObject(SVGIO_BACKGROUND, ids::IID_IDispatch, background.Receive())) ||
        FAILED(background->QueryInterface(ids::IID_IShellFolderViewDual, folderView.Receive())) ||
        FAILED(folderView->get_Application(reinterpret_cast<IDispatch**>(application.Receive()))) ||
        FAILED(application->QueryInterface(ids::IID_IShellDispatch2, shell.Receive())))
        return false;
    std::string file = BstrBytes(program), args = BstrBytes(arguments), dir = BstrBytes(folder), verb = BstrBytes("");
    VARIANT show{};
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    return SUCCEEDED(shell->ShellExecute(AsBstr(file), TextVariant(args), TextVariant(dir), TextVariant(verb), show));
}

// Writes the program into the section of the unelevated run that started this one; false when
// there is none.
bool HandedTo(const std::string& program, const std::string& arguments, const std::string& folder) {
    const KernelObject section(OpenFileMappingA(FILE_MAP_WRITE, FALSE, SectionName));
    auto* handed = section.IsValid() ? static_cast<HandedBack*>(MapViewOfFile(section.Get(), FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
    if (!handed) return false;
    // Nothing cut: a program that does not fit is not handed back.
    if (program.size() < sizeof handed->program && folder.size() < sizeof handed->folder &&
        arguments.size() < sizeof handed->arguments) {
        std::memcpy(handed->folder, folder.c_str(), folder.size() + 1);
        std::memcpy(handed->arguments, arguments.c_str(), arguments.size() + 1);
        std::memcpy(handed->program, program.c_str(), program.size() + 1);
    }
    UnmapViewOfFile(handed);
    return true;
}

}  // namespace

HandBack::HandBack() {
    section_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(HandedBack),
                                  SectionName);
    // One made before by another program is not this run's to trust.
    if (section_ && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(section_);
        section_ = nullptr;
    }
    if (section_) view_ = static_cast<char*>(MapViewOfFile(section_, FILE_MAP_WRITE, 0, 0, 0));
}

HandBack::~HandBack() {
    if (view_) UnmapViewOfFile(view_);
    if (section_) CloseHandle(section_);
}

void HandBack::StartHandedBack() const {
    auto* handed = reinterpret_cast<HandedBack*>(view_);
    if (!handed) return;
    // Whatever was written, each text ends inside its field.
    handed->program[MAX_PATH - 1] = handed->folder[MAX_PATH - 1] = handed->arguments[sizeof handed->arguments - 1] = 0;
    if (handed->program[0]) StartDirectly(handed->program, handed->arguments, handed->folder);
}

void StartInstalledProgram() {
    const Result<std::string> program = ProgramToStart();
    if (!program || program.Value().empty()) return;
    const std::string arguments = Setup.InstallScript->ReadValue(PackageSection, RunArgumentsKey, "");
    const std::string& folder = Setup.InstallFolder;
    if (!Setup.Elevated)
        StartDirectly(program.Value().c_str(), arguments.c_str(), folder.c_str());
    else if (!HandedTo(program.Value(), arguments, folder))
        StartThroughDesktop(program.Value(), arguments, folder);
}
