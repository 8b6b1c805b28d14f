#include "app/StartAtEnd.h"

#include <windows.h>
#include <exdisp.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlobj.h>

#include <cstring>

#include "app/ArgumentText.h"
#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "base/TextEncoding.h"
#include "fsutil/ComScope.h"
#include "install/InstallRun.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"

namespace {

// The program, its arguments and its folder, each ended by a zero, fit this.
constexpr DWORD SectionSize = 8192;

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

std::string handBackNumber;

std::string ProcessNumber() { return FormatText("%u", static_cast<unsigned>(GetCurrentProcessId())); }
std::string SectionName(const std::string& number) { return "Local\\qupsetup-start-" + number; }

bool StartDirectly(const char* program, const char* arguments, const char* folder) {
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOASYNC;
    execute.lpFile = program;
    execute.lpParameters = arguments;
    execute.lpDirectory = folder;
    execute.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&execute);
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

// Writes the program into the section of the unelevated run whose number the switch gave.
void HandTo(const std::string& program, const std::string& arguments, const std::string& folder) {
    const std::string content = program + '\0' + arguments + '\0' + folder + '\0';
    if (content.size() > SectionSize) return;
    const KernelObject section(OpenFileMappingA(FILE_MAP_WRITE, FALSE, SectionName(handBackNumber).c_str()));
    void* view = section.IsValid() ? MapViewOfFile(section.Get(), FILE_MAP_WRITE, 0, 0, SectionSize) : nullptr;
    if (!view) return;
    std::memcpy(view, content.data(), content.size());
    UnmapViewOfFile(view);
}

}  // namespace

HandBack::HandBack() {
    section_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, SectionSize,
                                  SectionName(ProcessNumber()).c_str());
    // One made before by another program is not this run's to trust.
    if (section_ && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(section_);
        section_ = nullptr;
    }
    if (section_) view_ = static_cast<char*>(MapViewOfFile(section_, FILE_MAP_READ, 0, 0, SectionSize));
}

HandBack::~HandBack() {
    if (view_) UnmapViewOfFile(view_);
    if (section_) CloseHandle(section_);
}

std::string HandBack::Switch() const {
    return view_ ? "/HANDBACK=" + ProcessNumber() + " " : std::string();
}

void HandBack::StartHandedBack() const {
    if (!view_) return;
    const std::string content(view_, SectionSize);
    const size_t afterProgram = content.find('\0');
    if (afterProgram == 0 || afterProgram == std::string::npos) return;
    const size_t afterArguments = content.find('\0', afterProgram + 1);
    if (afterArguments == std::string::npos || content.find('\0', afterArguments + 1) == std::string::npos) return;
    StartDirectly(content.c_str(), content.c_str() + afterProgram + 1, content.c_str() + afterArguments + 1);
}

void TakeHandBackSwitch(std::string& arguments) {
    const std::string number = TakeLeadingSwitch(arguments, HandBackSwitch);
    // Only a number names a section of this program's.
    if (!number.empty() && number.find_first_not_of("0123456789") == std::string::npos) handBackNumber = number;
}

void StartInstalledProgram() {
    const Result<std::string> program = ProgramToStart();
    if (!program || program.Value().empty()) return;
    const std::string arguments = Setup.InstallScript->ReadValue(PackageSection, RunArgumentsKey, "");
    const std::string& folder = Setup.InstallFolder;
    if (!handBackNumber.empty())
        HandTo(program.Value(), arguments, folder);
    else if (!Setup.Elevated)
        StartDirectly(program.Value().c_str(), arguments.c_str(), folder.c_str());
    else
        StartThroughDesktop(program.Value(), arguments, folder);
}
