// Measures setup.exe where its users wait: start-up against an empty window, the engine's
// overhead over the paced install's pauses, the uninstall per logged file, and the unattended
// install. It prints; it asserts nothing (scripts/bench.sh runs it).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/OwnedHandle.h"
#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "fsutil/PayloadReader.h"
#include "support/LoggedKeys.h"
#include "support/TestFiles.h"

namespace {

constexpr int Runs = 5;
constexpr int PacedFiles = 40;
constexpr double PauseMsPerFile = 600.0;

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Polls every millisecond, so the wait itself does not blur what is measured.
bool WaitFor(const std::function<bool()>& condition, double timeoutMs = 120000) {
    const double end = Now() + timeoutMs;
    while (!condition()) {
        if (Now() > end) return false;
        Sleep(1);
    }
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

HWND VisibleWindowOf(DWORD processId, const char* className) {
    const auto windows = ui::TopWindows(processId, className);
    return windows.empty() ? nullptr : windows.front();
}

// From the start of the process to its first window on the screen.
double TimeToWindow(const std::string& exe, const std::string& folder, const char* className) {
    const double start = Now();
    ProgramUnderTest program(exe, "", folder);
    HWND window = nullptr;
    if (!WaitFor([&] { return (window = VisibleWindowOf(program.ProcessId(), className)) != nullptr; })) return -1;
    const double elapsed = Now() - start;
    PostMessageA(window, WM_CLOSE, 0, 0);
    program.WaitForExit(10000);
    return elapsed;
}

SetupMedia PackageOf(int files, size_t size, bool withLicence) {
    std::string script = "[Package]\nname=Bench Package\n[Licence]\nlicence=" + std::string(withLicence ? "licence.txt" : "none") +
                         "\n[InstallFolder]\ninstall=C:\\BenchPackage\n[Disks]\nn=1\n[ProgramFiles01]\n";
    SetupMedia::Files content;
    for (int i = 0; i < files; ++i) {
        const std::string name = "file" + std::to_string(i) + ".dat";
        script += "f" + std::to_string(i) + "=%%INSTALLPATH%%\\" + name + "\n";
        std::string data(size, ' ');
        for (size_t j = 0; j < size; ++j) data[j] = static_cast<char>('a' + (j * 7 + j / 13 + i) % 26);
        content.push_back({name, data});
    }
    return SetupMedia(script, withLicence ? "The licence of the bench package.\n" : "", {content});
}

// Answers the box and waits for the progress window of `className` to say "- Complete" in its
// caption, the last thing a run shows; the time between. The caption is read without asking the
// window, so the watching does not slow the run it measures.
double TimeToCompleted(const ui::Box& box, DWORD pid, const char* className) {
    HWND progress = nullptr;
    const double start = Now();
    ui::Answer(box, IDYES);
    const bool done = WaitFor([&] {
        if (!progress) progress = VisibleWindowOf(pid, className);
        char caption[256] = {};
        if (progress) GetWindowTextA(progress, caption, sizeof caption);
        return std::string(caption).find("- Complete") != std::string::npos;
    });
    const double elapsed = Now() - start;
    if (progress) ui::Press(progress, "OK");
    return done ? elapsed : -1;
}

// Clicks through to the install; from "Yes" to the folder question to the completed window.
double PacedInstall(const SetupMedia& media) {
    ProgramUnderTest setup(SetupExeIn(media.First()), "", media.First());
    const DWORD pid = setup.ProcessId();
    HWND main = ui::WaitForWindow(pid, "TMainForm");
    ui::Press(main, "&Continue");
    HWND destination = ui::WaitForWindow(pid, "TInstallForm");
    ui::Press(destination, "&Install");
    const double elapsed = TimeToCompleted(ui::WaitForMessageBox(pid), pid, "TProgressForm");
    setup.WaitForExit(20000);
    return elapsed;
}

// A log of `count` files in a folder of their own; from "Yes" to the completed window.
double UninstallOf(int count) {
    TempFolder app, startedIn;
    std::string log = "[Package]\r\nname=Bench Log\r\n[ProgramFiles]\r\n";
    for (int i = 1; i <= count; ++i) {
        const std::string path = app / ("f" + std::to_string(i) + ".txt");
        WriteTextFile(path, "x");
        log += "file" + std::to_string(i) + "=" + path + "\r\n";
    }
    log += "[Directories]\r\ndir1=" + app.Path() + "\r\n";
    WriteTextFile(app / "uninstal.ini", log);
    // Recorded as the install that left it would have: the uninstall carries out no other log.
    RecordAsInstalled(app / "uninstal.ini");
    ProgramUnderTest setup(SetupExeIn(startedIn.Path()), app / "uninstal.ini", startedIn.Path());
    const DWORD pid = setup.ProcessId();
    HWND main = ui::WaitForWindow(pid, "TMainForm");
    ui::WaitUntil([&] { return ui::FindChild(main, "Button", "U&ninstall") != nullptr; });
    ui::Press(main, "U&ninstall");
    const double elapsed = TimeToCompleted(ui::WaitForMessageBox(pid), pid, "TUninstallForm");
    setup.WaitForExit(20000);
    return elapsed;
}

// About 20 MB of what packages carry: text, Wine's own DLLs, and random bytes.
SetupMedia MixedPackage(size_t& bytes) {
    std::string script = "[Package]\nname=Bench Mixed\n[Licence]\nlicence=none\n[InstallFolder]\ninstall=C:\\BenchMixed\n"
                         "[Disks]\nn=1\n[ProgramFiles01]\n";
    SetupMedia::Files files;
    const auto add = [&](const std::string& name, std::string content) {
        script += "f" + std::to_string(files.size()) + "=%%INSTALLPATH%%\\" + name + "\n";
        bytes += content.size();
        files.push_back({name, std::move(content)});
    };
    for (int i = 0; i < 3; ++i) {
        std::string text;
        for (int line = 0; text.size() < 2000000; ++line)
            text += "Line " + std::to_string(line) + " of part " + std::to_string(i) + ": the install copies file " +
                    std::to_string(line * 7919 % 10007) + " into its folder and logs it.\r\n";
        add("text" + std::to_string(i) + ".txt", text);
    }
    for (const char* dll : {"atl", "browseui", "comsvcs", "concrt140", "d3dxof", "dbgeng", "ddrawex", "devenum", "dispex", "dmband"})
        add(std::string(dll) + ".dll", ReadTextFile(WinePath("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/" + std::string(dll) + ".dll")));
    uint32_t seed = 12345;
    for (int i = 0; i < 3; ++i) {
        std::string random(2000000, '\0');
        for (char& byte : random) byte = static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
        add("random" + std::to_string(i) + ".bin", random);
    }
    return SetupMedia(script, "", {files});
}

uint64_t FolderBytes(const std::string& folder) {
    uint64_t total = 0;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) total += data.nFileSizeLow;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return total;
}

// How fast the payload reader decodes the one-file setup at `path`, in MB of output a second:
// up to its last part, `lastPart`, every part is decoded and checked, to no file.
double DecodeMegabytesPerSecond(const std::string& path, const std::string& lastPart, size_t bytes) {
    const std::string file = ReadTextFile(path);
    const FileHandle handle(
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    PayloadReader reader;
    const double start = Now();
    if (!reader.Open(handle.Get(), ImageFactsOf(file.data()), file.substr(file.find("QUPSLOT:") + 8, 64).c_str()) ||
        reader.Copy(PartKind::Package, lastPart, INVALID_HANDLE_VALUE) != PartCopy::Done)
        return 0;
    return bytes / (Now() - start) / 1000.0;
}

// The one-file setup against the same package on media: start to the first window, the
// unattended install, the build's speed and the sizes.
void OneFileAgainstMedia() {
    size_t bytes = 0;
    const SetupMedia media = MixedPackage(bytes);
    const double buildStart = Now();
    const std::string oneFile = media.MakeOneFile("mixed-setup.exe");
    const double buildMs = Now() - buildStart;
    if (media.Error() != "" || oneFile.empty()) {
        std::printf("the mixed package could not be built\n");
        return;
    }
    TempFolder elsewhere;
    std::vector<double> fromMedia, fromOneFile;
    for (int i = 0; i < Runs; ++i) {
        fromMedia.push_back(TimeToWindow(SetupExePath(), media.First(), "TMainForm"));
        fromOneFile.push_back(TimeToWindow(oneFile, elsewhere.Path(), "TMainForm"));
    }
    const double mediaStart = Median(fromMedia), oneFileStart = Median(fromOneFile);
    std::printf("%-52s %9.0f ms\n", "mixed 20 MB: start to main window, media", mediaStart);
    std::printf("%-52s %9.0f ms = %.2fx (goal 1.25x)\n", "  one-file setup", oneFileStart, oneFileStart / mediaStart);
    std::vector<double> quietMedia, quietOneFile;
    for (int i = 0; i < 3; ++i) {
        for (const bool one : {false, true}) {
            const double start = Now();
            const DWORD code = RunQuietly("/S", one ? elsewhere.Path() : media.First(), one ? oneFile : "");
            (one ? quietOneFile : quietMedia).push_back(code == 0 ? Now() - start : -1);
            RunQuietly("/S C:\\BenchMixed\\uninstal.ini", elsewhere.Path());
        }
    }
    const double mediaQuiet = Median(quietMedia), oneFileQuiet = Median(quietOneFile);
    std::printf("%-52s %9.0f ms\n", "mixed 20 MB: unattended install, media", mediaQuiet);
    std::printf("%-52s %9.0f ms = %.2fx (goal 1.1x)\n", "  one-file setup", oneFileQuiet, oneFileQuiet / mediaQuiet);
    std::printf("%-52s %9.1f MB/s (%.0f ms)\n", "mixed 20 MB: one-file build", bytes / buildMs / 1000.0, buildMs);
    std::vector<double> decoding;
    for (int i = 0; i < Runs; ++i) decoding.push_back(DecodeMegabytesPerSecond(oneFile, "random2.bin", bytes));
    std::printf("%-52s %9.1f MB/s (median of %d)\n", "  checked and decoded, all parts", Median(decoding), Runs);
    std::printf("%-52s %9llu bytes\n", "  package", static_cast<unsigned long long>(bytes));
    std::printf("%-52s %9llu bytes\n", "  media, all files", static_cast<unsigned long long>(FolderBytes(media.First())));
    std::printf("%-52s %9llu bytes\n", "  one-file setup",
                static_cast<unsigned long long>(ReadTextFile(oneFile).size()));
}

void UninstallTimes() {
    for (const int count : {400, 4000}) {
        const double elapsed = UninstallOf(count);
        std::printf("uninstall of a log of %-5d files, Yes to completed    %9.0f ms (%.2f ms a file)\n", count, elapsed,
                    elapsed / count);
    }
}

}  // namespace

// With "--uninstall", only the uninstall times.
int main(int argc, char** argv) {
    const std::string emptyWindow = argc > 1 ? argv[1] : "";
    std::printf("%-52s %12s\n", "measure", "result");
    if (emptyWindow == "--uninstall") {
        UninstallTimes();
        return 0;
    }

    const SetupMedia small = PackageOf(1, 100, false);
    std::vector<double> setupStart, emptyStart;
    for (int i = 0; i < Runs; ++i) {
        setupStart.push_back(TimeToWindow(SetupExePath(), small.First(), "TMainForm"));
        if (!emptyWindow.empty()) emptyStart.push_back(TimeToWindow(emptyWindow, small.First(), "EmptyWindow"));
    }
    std::printf("%-52s %9.0f ms\n", "setup.exe: start to main window (median of 5)", Median(setupStart));
    std::printf("%-52s %9.0f ms\n", "empty Win32 window, started the same way", Median(emptyStart));

    const SetupMedia paced = PackageOf(PacedFiles, 20 * 1024, false);
    const double install = PacedInstall(paced);
    const double pauses = PacedFiles * PauseMsPerFile;
    std::printf("%-52s %9.0f ms\n", "paced install of 40 x 20 KB, Yes to completed", install);
    std::printf("%-52s %9.0f ms = %+.2f %% (%.1f ms a file)\n", "  engine overhead over 24,000 ms of pauses", install - pauses,
                100.0 * (install - pauses) / pauses, (install - pauses) / PacedFiles);
    RunQuietly("/S C:\\BenchPackage\\uninstal.ini", paced.First());

    std::vector<double> quiet;
    for (int i = 0; i < Runs; ++i) {
        const double start = Now();
        if (RunQuietly("/S", paced.First()) == 0) quiet.push_back(Now() - start);
        RunQuietly("/S C:\\BenchPackage\\uninstal.ini", paced.First());
    }
    std::printf("%-52s %9.0f ms\n", "unattended install of 40 x 20 KB, process included", Median(quiet));

    OneFileAgainstMedia();

    UninstallTimes();
    return 0;
}
