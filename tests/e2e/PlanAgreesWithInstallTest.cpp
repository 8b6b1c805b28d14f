#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

// The plan as lines: action, role, path or key, name, data, type, size, SHA-256, tab between.
constexpr const char* PlanLines = R"(import json, sys
for a in json.load(sys.stdin)['actions']:
    data = a.get('data')
    print('\t'.join([a['action'], a['role'], a.get('path', a.get('key', '')), a.get('name', ''),
                     '' if data is None else str(data), a.get('type', ''), str(a.get('size', '')), a.get('sha256', '')]))
)";

struct Planned {
    std::string action, role, where, name, data, type, size, sha256;
};

// The fields of a line of the plan.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    if (!line.empty() && line.back() == '\t') fields.emplace_back();
    return fields;
}

std::string MachineText(const std::string& key, const std::string& name) {
    char value[2048] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.empty() ? nullptr : name.c_str(), RRF_RT_REG_SZ, nullptr,
                     value, &size) != ERROR_SUCCESS)
        return "(missing)";
    return value;
}

std::string MachineNumber(const std::string& key, const std::string& name) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return "(missing)";
    return std::to_string(value);
}

// What the plan names by a macro, as this machine has it.
std::string OnThisMachine(std::string path) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string shellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const std::pair<std::string, std::string> macros[] = {
        {"%%WINDIR%%", windows},
        {"%%COMMONPROGRAMS%%", MachineText(shellFolders, "Common Programs")},
        {"%%COMMONSTARTMENU%%", MachineText(shellFolders, "Common Start Menu")},
        {"%%COMMONDESKTOP%%", MachineText(shellFolders, "Common Desktop")},
    };
    for (const auto& [macro, folder] : macros)
        if (path.rfind(macro, 0) == 0) path.replace(0, macro.size(), folder);
    return path;
}

// The values of a section of the log, in order.
std::vector<std::string> LogSection(const std::string& log, const char* section) {
    std::vector<char> buffer(65536);
    const DWORD length = GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()), log.c_str());
    std::vector<std::string> values;
    for (size_t at = 0; at < length;) {
        const std::string line(buffer.data() + at);
        at += line.size() + 1;
        values.push_back(line.substr(line.find('=') + 1));
    }
    return values;
}

std::string Lower(std::string text) {
    CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The Linux setup-media's plan of `media`, into `folder`, against what the install from those media
// really makes under wine: the log's folders, files, shortcuts and keys, each file's content, and
// every value in the registry. The install is undone at the end.
void ExpectInstallMakesPlan(const SetupMedia& media, const std::string& folder) {
    const std::string tool = "\"${SETUP_MEDIA:-" + std::string(SETUP_SOURCE_UNIX_DIR) + "/build-tools/setup-media}\"";
    const UnixCommandResult planned =
        RunUnixScript(tool + " plan " + ShellQuoted(UnixPathOf(media.First())) + " --json --dest " + ShellQuoted(folder) +
                      " 2>/dev/null | /usr/bin/python3 -c " + ShellQuoted(PlanLines) + "\n");
    ASSERT_EQ(planned.exitCode, 0) << planned.output;
    std::vector<Planned> plan;
    std::istringstream lines(planned.output);
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> fields = Fields(line);
        if (fields.size() == 8) plan.push_back({fields[0], fields[1], OnThisMachine(fields[2]), fields[3], fields[4],
                                                fields[5], fields[6], fields[7]});
    }
    ASSERT_GT(plan.size(), 10u) << planned.output;

    ASSERT_EQ(RunQuietly("/S /D=" + folder, media.First()), 0u);
    const std::string log = folder + "\\uninstal.ini";
    std::vector<std::string> folders, files, keys;
    for (const Planned& action : plan) {
        if (action.action == "folder") folders.push_back(action.where);
        if ((action.action == "file" && action.role == "package") || action.action == "shortcut")
            files.push_back(action.where);
        if (action.action == "key") keys.push_back(action.where);
    }
    EXPECT_EQ(LogSection(log, "Directories"), folders);
    EXPECT_EQ(LogSection(log, "ProgramFiles"), files);
    // The records' own key is logged only by the install that makes it; every other is this run's.
    std::vector<std::string> loggedKeys = LogSection(log, "RegistryKeys");
    std::erase(keys, "HKEY_LOCAL_MACHINE\\Software\\qupsetup");
    std::erase(loggedKeys, "HKEY_LOCAL_MACHINE\\Software\\qupsetup");
    std::sort(keys.begin(), keys.end());
    std::sort(loggedKeys.begin(), loggedKeys.end());
    EXPECT_EQ(Lower(testing::PrintToString(loggedKeys)), Lower(testing::PrintToString(keys)));

    for (const Planned& action : plan) {
        SCOPED_TRACE(action.where + " " + action.name);
        if (action.action == "file" && !action.sha256.empty()) {
            const UnixCommandResult sum = RunUnixScript("sha256sum " + ShellQuoted(UnixPathOf(action.where)) + "\n");
            EXPECT_EQ(sum.output.substr(0, 64), action.sha256);
        }
        if (action.action == "file" || action.action == "shortcut") {
            EXPECT_TRUE(FileExists(action.where));
        }
        if (action.action != "value" || action.data.empty()) continue;
        const std::string key = action.where.substr(action.where.find('\\') + 1);
        EXPECT_EQ(action.type == "string" ? MachineText(key, action.name) : MachineNumber(key, action.name), action.data);
    }

    EXPECT_EQ(RunQuietly("/S " + log, media.First()), 0u);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    DeleteFileA((std::string(windows) + "\\qupsetup.exe").c_str());
}

void WriteTree(const std::string& root, const std::vector<std::pair<std::string, std::string>>& files) {
    for (const auto& [path, content] : files) {
        for (size_t end = path.find('\\'); end != std::string::npos; end = path.find('\\', end + 1))
            CreateDirectoryA((root + "\\" + path.substr(0, end)).c_str(), nullptr);
        WriteTextFile(root + "\\" + path, content);
    }
}

}  // namespace

// The sample, whose files lie in disk folders, on two disks.
TEST(PlanAgreesWithInstall, TheSamplesPlanIsWhatItsInstallMakes) {
    const SetupMedia media(std::string(SETUP_SOURCE_UNIX_DIR) + "/examples/notes");
    ASSERT_EQ(media.Error(), "");
    media.InsertDisk(2);
    TempFolder target;
    ExpectInstallMakesPlan(media, target / "Planned Notes");
}

// A package whose folder line takes a tree, with an empty folder and two files named readme.txt
// in different folders, which the media hold under names of their own: the folders the plan
// lists are the ones the install makes and logs, and each readme.txt is installed with the
// content the plan gives it.
TEST(PlanAgreesWithInstall, AFolderLinesPlanIsWhatItsInstallMakes) {
    TempFolder source;
    WriteTree(source.Path(), {{"app.txt", "Stands in for the program of the package.\r\n"},
                              {"Data\\readme.txt", "The readme at the top of the data folder.\r\n"},
                              {"Data\\set2\\readme.txt", "Another readme, two folders down, not the first one.\r\n"},
                              {"Data\\set2\\deep\\item.dat", "A file three folders below the data folder.\r\n"}});
    CreateDirectoryA((source / "Data\\empty").c_str(), nullptr);
    WriteTextFile(source / "install.ini",
                  "[Package]\r\nname=Planned Tree\r\n[Licence]\r\nlicence=none\r\n[InstallFolder]\r\n"
                  "install=%%PROGPATH%%\\Planned Tree\r\n[Disks]\r\nn=1\r\n[ProgramFiles01]\r\n"
                  "app=%%INSTALLPATH%%\\app.txt\r\ndata=%%INSTALLPATH%%\\Data\\**\r\n"
                  "[Desktop]\r\nlink=[ProgramFiles01]app\r\nname=Planned Tree\r\n");
    const SetupMedia media(UnixPathOf(source.Path()));
    ASSERT_EQ(media.Error(), "");
    ASSERT_TRUE(FileExists(media.First() + "\\readme~2.tx_"));
    TempFolder target;
    ExpectInstallMakesPlan(media, target / "Planned Tree");
}
