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

// The root and the path of a key text ("HKEY_CURRENT_USER\\Software\\...").
std::pair<HKEY, std::string> KeyOf(const std::string& keyText) {
    const size_t slash = keyText.find('\\');
    const HKEY root = keyText.rfind("HKEY_CURRENT_USER", 0) == 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    return {root, slash == std::string::npos ? std::string() : keyText.substr(slash + 1)};
}

std::string RegistryText(HKEY root, const std::string& key, const std::string& name) {
    char value[2048] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(root, key.c_str(), name.empty() ? nullptr : name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return "(missing)";
    return value;
}

std::string RegistryNumber(HKEY root, const std::string& key, const std::string& name) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return "(missing)";
    return std::to_string(value);
}

std::string MachineText(const std::string& key, const std::string& name) { return RegistryText(HKEY_LOCAL_MACHINE, key, name); }

bool KeyExists(const std::string& keyText) {
    const auto [root, path] = KeyOf(keyText);
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
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
        {"%%DESKTOP%%", RegistryText(HKEY_CURRENT_USER, shellFolders, "Desktop")},
        {"%%STARTMENU%%", RegistryText(HKEY_CURRENT_USER, shellFolders, "Start Menu")},
        {"%%PROGRAMS%%", RegistryText(HKEY_CURRENT_USER, shellFolders, "Programs")},
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

// The actions of the JSON plan a script printed, macros replaced as this machine has them.
std::vector<Planned> PlanOf(const std::string& printingScript) {
    const UnixCommandResult planned =
        RunUnixScript(printingScript + " | /usr/bin/python3 -c " + ShellQuoted(PlanLines) + "\n");
    EXPECT_EQ(planned.exitCode, 0) << planned.output;
    std::vector<Planned> plan;
    std::istringstream lines(planned.output);
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> fields = Fields(line);
        if (fields.size() == 8) plan.push_back({fields[0], fields[1], OnThisMachine(fields[2]), fields[3], fields[4],
                                                fields[5], fields[6], fields[7]});
    }
    return plan;
}

// The Linux setup-media's plan of `media`, into `folder`.
std::vector<Planned> MediaToolPlan(const SetupMedia& media, const std::string& folder) {
    const std::string tool = "\"${SETUP_MEDIA:-" + std::string(SETUP_SOURCE_UNIX_DIR) + "/build-tools/setup-media}\"";
    return PlanOf(tool + " plan " + ShellQuoted(UnixPathOf(media.First())) + " --json --dest " + ShellQuoted(folder) +
                  " 2>/dev/null");
}

// What a run can leave on the machine: every file and folder of the drive, and every key and value
// below the two roots a package writes.
void ListKey(HKEY parent, const std::string& path, std::string& listing) {
    if (path == "Software\\Wine") return;
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    listing += path + "\n";
    char name[16384];
    BYTE data[8192];
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        listing += "  " + std::string(name) + "=" + std::string(reinterpret_cast<char*>(data), dataSize) + "\n";
    }
    std::vector<std::string> subkeys;
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string& subkey : subkeys) ListKey(parent, path + "\\" + subkey, listing);
}

std::string MachineState() {
    // Not the test's own folders, nor what wine keeps of its own (the code pages of the last program).
    std::string listing = RunUnixScript("find " + ShellQuoted(UnixPathOf("C:\\")) + " | grep -v /Temp/setuptest- | sort\n").output;
    ListKey(HKEY_LOCAL_MACHINE, "Software", listing);
    ListKey(HKEY_CURRENT_USER, "Software", listing);
    return listing;
}

// setup.exe's own plan of the install into `folder` (`/PLAN=` with `/D=`): it makes nothing, apart
// from the plan; its JSON is what the schema allows.
std::vector<Planned> SetupPlan(const SetupMedia& media, const std::string& folder, const std::string& logToUninstall = "") {
    TempFolder plans;
    const std::string planFile = plans / "plan.json";
    const std::string before = MachineState();
    const std::string target = logToUninstall.empty() ? "/D=" + folder : logToUninstall;
    EXPECT_EQ(RunQuietly("/PLAN=" + planFile + " " + target, media.First()), 0u);
    std::string after = MachineState();
    const std::string planLine = UnixPathOf(planFile) + "\n";
    if (const size_t at = after.find(planLine); at != std::string::npos) after.erase(at, planLine.size());
    EXPECT_EQ(after, before) << "a plan made something";
    const UnixCommandResult valid = RunUnixScript(
        "/usr/bin/python3 -c 'import json, sys, jsonschema; jsonschema.validate(json.load(open(sys.argv[1])), "
        "json.load(open(sys.argv[2])))' " + ShellQuoted(UnixPathOf(planFile)) + " " +
        ShellQuoted(std::string(SETUP_SOURCE_UNIX_DIR) + "/docs/plan-schema.json") + " 2>&1\n");
    EXPECT_EQ(valid.exitCode, 0) << valid.output;
    return PlanOf("cat " + ShellQuoted(UnixPathOf(planFile)));
}

// What `plan` says of `action` where it names `where`; null when it names nothing there.
const Planned* Find(const std::vector<Planned>& plan, const std::string& action, const std::string& where,
                    const std::string& name = "") {
    for (const Planned& planned : plan)
        if (planned.action == action && Lower(planned.where) == Lower(where) && planned.name == name) return &planned;
    return nullptr;
}

// The uninstall program's file in `plan`; null when it names none.
const Planned* FindUninstaller(const std::vector<Planned>& plan) {
    for (const Planned& planned : plan)
        if (planned.action == "file" && planned.role == "uninstaller") return &planned;
    return nullptr;
}

// The two plans agree where both know the answer: every file, folder, key, shortcut and value
// setup-media names, setup.exe names with the same content.
void ExpectPlansAgree(const std::vector<Planned>& tool, const std::vector<Planned>& setup) {
    for (const Planned& action : tool) {
        SCOPED_TRACE(action.action + " " + action.where + " " + action.name);
        const Planned* same = Find(setup, action.action, action.where, action.name);
        // The uninstall program: named by a macro of its own, the same program all the same.
        if (action.action == "file" && action.role == "uninstaller")
            same = FindUninstaller(setup);
        ASSERT_NE(same, nullptr);
        EXPECT_EQ(same->sha256, action.sha256);
        EXPECT_EQ(same->size, action.size);
        if (!action.data.empty()) EXPECT_EQ(same->data, action.data);
    }
}

// The install from `media` into `folder` makes what `plan` says: the log's folders, files, shortcuts
// and keys, each file's content, and every value in the registry.
void ExpectInstallMakes(const std::vector<Planned>& plan, const SetupMedia& media, const std::string& folder) {
    ASSERT_GT(plan.size(), 5u);
    const SetupLogTail tail;
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
    for (const char* records : {"HKEY_LOCAL_MACHINE\\Software\\qupsetup", "HKEY_CURRENT_USER\\Software\\qupsetup"}) {
        std::erase(keys, records);
        std::erase(loggedKeys, records);
    }
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
            EXPECT_TRUE(FileExists(action.where)) << tail.Text();
        }
        if (action.action != "value" || action.data.empty()) continue;
        const auto [root, key] = KeyOf(action.where);
        EXPECT_EQ(action.type == "string" ? RegistryText(root, key, action.name) : RegistryNumber(root, key, action.name),
                  action.data);
    }
}

// The uninstall plan of the install in `folder` against what its uninstall does: all it says would
// go is gone, all it says would stay is there. The uninstall program goes last.
void ExpectUninstallMakesPlan(const SetupMedia& media, const std::string& folder) {
    const std::string log = folder + "\\uninstal.ini";
    const std::vector<Planned> plan = SetupPlan(media, folder, log);
    ASSERT_NE(Find(plan, "remove", log), nullptr);
    EXPECT_EQ(RunQuietly("/S " + log, media.First()), 0u);
    for (const Planned& action : plan) {
        SCOPED_TRACE(action.action + " " + action.where);
        const bool there = action.where.rfind("HKEY_", 0) == 0 ? KeyExists(action.where) : FileExists(action.where) ||
                                                                   GetFileAttributesA(action.where.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (action.action == "remove" && action.role != "uninstaller") EXPECT_FALSE(there);
        if (action.action == "leave") EXPECT_TRUE(there);
    }
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
    const std::string folder = target / "Planned Notes";
    const std::vector<Planned> tool = MediaToolPlan(media, folder);
    const std::vector<Planned> setup = SetupPlan(media, folder);
    ExpectPlansAgree(tool, setup);
    ExpectInstallMakes(tool, media, folder);
    ASSERT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", media.First()), 0u);
    ExpectInstallMakes(setup, media, folder);
    ExpectUninstallMakesPlan(media, folder);
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
    const std::string folder = target / "Planned Tree";
    ExpectInstallMakes(MediaToolPlan(media, folder), media, folder);
    ExpectUninstallMakesPlan(media, folder);
}

// A package of the user alone: its folders, its key below HKEY_CURRENT_USER and its shortcut in the
// user's Start menu (the user's desktop is a link under wine, where nothing is installed), planned
// by both, made as planned, and removed as its uninstall plan says.
TEST(PlanAgreesWithInstall, APackageOfTheUsersPlanIsWhatItsInstallMakes) {
    const SetupMedia media("[Package]\r\nname=Planned Own\r\nscope=user\r\n[Licence]\r\nlicence=none\r\n"
                           "[InstallFolder]\r\ninstall=%%LOCALAPPDATA%%\\Planned Own\r\nsub=Data\r\n[Disks]\r\nn=1\r\n"
                           "[ProgramFiles01]\r\napp=%%INSTALLPATH%%\\own.txt\r\ndata=%%INSTALLPATH%%\\Data\\data.txt\r\n"
                           "[RegistryKeys]\r\nk1=HKEY_CURRENT_USER\\Software\\Planned Own\r\n"
                           "[KeyValues]\r\nv1=Folder\r\nk1=k1\r\nd1=%%INSTALLPATH%%\r\nt1=string\r\n"
                           "[StartButton]\r\nlink=[ProgramFiles01]app\r\nname=Planned Own\r\n",
                           "", {{{"own.txt", "Stands in for the program of a package of the user alone.\r\n"},
                                 {"data.txt", "The data of the package, one folder down from its program.\r\n"}}});
    ASSERT_EQ(media.Error(), "");
    char appData[MAX_PATH] = {};
    ASSERT_TRUE(GetEnvironmentVariableA("LOCALAPPDATA", appData, MAX_PATH));
    const std::string folder = std::string(appData) + "\\Planned Own";
    const std::vector<Planned> setup = SetupPlan(media, folder);
    ASSERT_NE(Find(setup, "key", "HKEY_CURRENT_USER\\Software\\Planned Own"), nullptr);
    ExpectPlansAgree(MediaToolPlan(media, folder), setup);
    ExpectInstallMakes(setup, media, folder);
    ExpectUninstallMakesPlan(media, folder);
}
