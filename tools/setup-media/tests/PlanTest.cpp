#include <gtest/gtest.h>

#include <algorithm>

#include "support/PlanRows.h"
#include "support/RunTool.h"
#include "support/StandInProgram.h"
#include "support/TempTree.h"

namespace fs = std::filesystem;

namespace {

const fs::path Sample = SETUP_REPO_ROOT "/examples/notes";

class PlanTest : public ::testing::Test {
protected:
    PlanTest() { fs::copy(Sample, temp_ / "package", fs::copy_options::recursive); }

    // The package's script with `from` replaced by `to`, each pair once.
    void EditScript(const std::vector<std::pair<std::string, std::string>>& edits) {
        EditFile(temp_ / "package/install.ini", edits);
    }

    // The plan of `input` as JSON, checked against the schema and read back.
    PlanRows JsonPlan(const std::string& input, std::vector<std::string> options = {}) {
        return ::JsonPlan(input, std::move(options), temp_.Path());
    }

    std::string Package() const { return (temp_ / "package").string(); }

    TempTree temp_;
};

// The SHA-256 of a text, as sha256sum gives it.
std::string Sha256OfText(const TempTree& temp, const std::string& text) {
    WriteFile(temp / "text", text);
    return Sha256sum(temp / "text");
}

}  // namespace

// The plan of the sample lists exactly what its script makes, in the order the install makes it:
// the expectations are read off examples/notes/install.ini and the README's tables.
TEST_F(PlanTest, TheSamplesPlanListsWhatItsScriptMakes) {
    const PlanRows plan = JsonPlan(Package(), {"--dest", "C:\\Apps\\Notes\\"});
    EXPECT_EQ(plan.head, "Example Notes|machine|C:\\Apps\\Notes|the package is installed for every user of the machine");
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Example Notes";
    const std::string record = "HKEY_LOCAL_MACHINE\\Software\\qupsetup\\" + Sha256OfText(temp_, "c:\\apps\\notes\\uninstal.ini");
    const std::vector<std::string> expected = {
        "folder|package|C:\\Apps\\Notes|||",
        "folder|package|C:\\Apps\\Notes\\Samples|||",
        "file|uninstaller|%%WINDIR%%\\qupsetup.exe|||",
        "file|package|C:\\Apps\\Notes\\readme.txt|||",
        "file|package|C:\\Apps\\Notes\\notes.ini|||",
        "file|package|C:\\Apps\\Notes\\Samples\\first.txt|||",
        "file|package|C:\\Apps\\Notes\\Samples\\second.txt|||",
        "file|package|C:\\Apps\\Notes\\changes.log|||",
        "key|package|" + key + "|||",
        "value|package|" + key + "|InstallDir|C:\\Apps\\Notes|",
        "value|package|" + key + "||Example Notes|",
        "value|package|" + key + "|Build|258|",
        "value|package|" + key + "|FontSize|12|",
        "folder|package|%%COMMONPROGRAMS%%\\Example Notes|||",
        "shortcut|package|%%COMMONPROGRAMS%%\\Example Notes\\Read Me.lnk|||C:\\Apps\\Notes\\readme.txt",
        "shortcut|package|%%COMMONPROGRAMS%%\\Example Notes\\Notes Settings.lnk|||C:\\Apps\\Notes\\notes.ini",
        "shortcut|package|%%COMMONSTARTMENU%%\\Example Notes Read Me.lnk|||C:\\Apps\\Notes\\readme.txt",
        "shortcut|package|%%COMMONDESKTOP%%\\Example Notes.lnk|||C:\\Apps\\Notes\\readme.txt",
        "file|log|C:\\Apps\\Notes\\uninstal.ini|||",
        "key|record|HKEY_LOCAL_MACHINE\\Software\\qupsetup|||",
        "key|record|" + record + "|||",
        "value|record|" + record + "|Log|c:\\apps\\notes\\uninstal.ini|",
        "value|record|" + record + "|Digest|null|",
    };
    EXPECT_EQ(plan.What(), expected);

    // Sizes and digests of the files as installed, against sha256sum of the package's files.
    const std::map<std::string, std::string> sources = {
        {"readme.txt", "disk01/readme.txt"}, {"notes.ini", "disk01/notes.ini"}, {"first.txt", "disk01/first.txt"},
        {"second.txt", "disk02/second.txt"}, {"changes.log", "disk02/changes.log"}};
    for (const PlanRow& row : plan.rows) {
        const bool packageFile = row.what.starts_with("file|package|");
        EXPECT_EQ(row.sha256.empty(), !packageFile) << row.what;
        if (!packageFile) continue;
        const std::string path = Split(row.what, '|')[2];
        const fs::path source = Sample / sources.at(path.substr(path.rfind('\\') + 1));
        EXPECT_EQ(row.sha256, Sha256sum(source)) << row.what;
        EXPECT_EQ(row.size, std::to_string(fs::file_size(source))) << row.what;
    }
    // What needs administrators' rights: the machine's keys and folders, not a folder under C:\.
    for (const PlanRow& row : plan.rows) {
        const bool machineWide = row.what.find("HKEY_LOCAL_MACHINE") != std::string::npos || row.what.find("%%") < 20;
        EXPECT_EQ(row.admin.empty(), !machineWide) << row.what;
    }
}

// The same plan from the package folder, the media built of it and the one-file setup: each
// file as installed, the media's expanded from their compressed form.
TEST_F(PlanTest, PackageFolderMediaAndOneFileSetupGiveOnePlan) {
    WriteFile(temp_ / "setup.exe", StandInProgram("setup program"));
    const std::string setup = (temp_ / "setup.exe").string();
    ASSERT_EQ(RunTool({"build", Package(), "--setup", setup, "--out", (temp_ / "media").string()}).exitCode, 0);
    ASSERT_EQ(RunTool({"build", Package(), "--setup", setup, "--one-file", (temp_ / "one.exe").string()}).exitCode, 0);
    const ToolRun fromPackage = RunTool({"plan", Package(), "--json", "--setup", setup});
    ASSERT_EQ(fromPackage.exitCode, 0) << fromPackage.err;
    for (const fs::path& input : {temp_ / "media", temp_ / "media/disk01", temp_ / "one.exe"}) {
        if (input.filename() == "disk01") fs::copy(temp_ / "media/disk02", input, fs::copy_options::recursive);
        const ToolRun run = RunTool({"plan", input.string(), "--json"});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, fromPackage.out) << input;
    }
    // The uninstall program is the setup program given to the build.
    const PlanRows plan = JsonPlan(Package(), {"--setup", setup});
    ASSERT_GT(plan.rows.size(), 3u);
    EXPECT_EQ(plan.rows[2].what, "file|uninstaller|%%WINDIR%%\\qupsetup.exe|||");
    EXPECT_EQ(plan.rows[2].sha256, Sha256sum(temp_ / "setup.exe"));
}

// A changed or cut file on the media is what setup refuses to expand: no plan describes it.
TEST_F(PlanTest, DamagedMediaGiveNoPlan) {
    WriteFile(temp_ / "setup.exe", "a setup program");
    const fs::path media = temp_ / "media";
    ASSERT_EQ(RunTool({"build", Package(), "--setup", (temp_ / "setup.exe").string(), "--out", media.string()}).exitCode, 0);
    std::string compressed = ReadFile(media / "disk01/readme.tx_");
    compressed[compressed.size() / 2] ^= 0x20;
    WriteFile(media / "disk01/readme.tx_", compressed);
    ToolRun run = RunTool({"plan", media.string()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("readme.tx_ is damaged"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    fs::remove(media / "disk02/second.tx_");
    run = RunTool({"plan", media.string()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("second.tx_ is not on disk 2 of the media"), std::string::npos) << run.err;
}

// A package for the user alone: the user's folders, keys and shortcuts, its classes under the
// user's key, its uninstall program in Local AppData, and the entry's values as the README lists
// them. Nothing needs administrators' rights.
TEST_F(PlanTest, APerUserPackagesPlanWritesOnlyTheUsersOwn) {
    EditScript({{"name=Example Notes\n", "name=Example Notes\nuninstallentry=yes\nversion=2.4.1\npublisher=Example Co.\n"},
                {"%%PROGPATH%%", "%%USERPROGRAMS%%"},
                {"HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT"}});
    const std::string folder = "%%USERPROGRAMS%%\\Example Notes";
    const std::string program = "%%LOCALAPPDATA%%\\qupsetup\\qupsetup.exe";
    const std::string key = "HKEY_CURRENT_USER\\Software\\Classes\\Software\\Example Notes";
    const std::string entry = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Example Notes";
    const std::string log = folder + "\\uninstal.ini";
    const std::vector<std::string> expected = {
        "folder|package|" + folder + "|||",
        "folder|package|" + folder + "\\Samples|||",
        "file|uninstaller|" + program + "|||",
        "file|package|" + folder + "\\readme.txt|||",
        "file|package|" + folder + "\\notes.ini|||",
        "file|package|" + folder + "\\Samples\\first.txt|||",
        "file|package|" + folder + "\\Samples\\second.txt|||",
        "file|package|" + folder + "\\changes.log|||",
        "key|package|" + key + "|||",
        "value|package|" + key + "|InstallDir|" + folder + "|",
        "value|package|" + key + "||Example Notes|",
        "value|package|" + key + "|Build|258|",
        "value|package|" + key + "|FontSize|12|",
        "key|entry|" + entry + "|||",
        "value|entry|" + entry + "|DisplayName|Example Notes|",
        "value|entry|" + entry + "|DisplayVersion|2.4.1|",
        "value|entry|" + entry + "|VersionMajor|2|",
        "value|entry|" + entry + "|VersionMinor|4|",
        "value|entry|" + entry + "|Publisher|Example Co.|",
        "value|entry|" + entry + "|DisplayIcon|" + folder + "\\readme.txt|",
        "value|entry|" + entry + "|UninstallString|\"" + program + "\" " + log + "|",
        "value|entry|" + entry + "|QuietUninstallString|\"" + program + "\" /S " + log + "|",
        "value|entry|" + entry + "|InstallLocation|" + folder + "|",
        "value|entry|" + entry + "|InstallDate|null|",
        // 626 bytes of files: one kilobyte.
        "value|entry|" + entry + "|EstimatedSize|1|",
        "value|entry|" + entry + "|NoModify|1|",
        "value|entry|" + entry + "|NoRepair|1|",
        "folder|package|%%PROGRAMS%%\\Example Notes|||",
        "shortcut|package|%%PROGRAMS%%\\Example Notes\\Read Me.lnk|||" + folder + "\\readme.txt",
        "shortcut|package|%%PROGRAMS%%\\Example Notes\\Notes Settings.lnk|||" + folder + "\\notes.ini",
        "shortcut|package|%%STARTMENU%%\\Example Notes Read Me.lnk|||" + folder + "\\readme.txt",
        "shortcut|package|%%DESKTOP%%\\Example Notes.lnk|||" + folder + "\\readme.txt",
        "file|log|" + log + "|||",
        "key|record|HKEY_CURRENT_USER\\Software\\qupsetup|||",
        "key|record|HKEY_CURRENT_USER\\Software\\qupsetup\\%%LOGRECORD%%|||",
        "value|record|HKEY_CURRENT_USER\\Software\\qupsetup\\%%LOGRECORD%%|Log|null|",
        "value|record|HKEY_CURRENT_USER\\Software\\qupsetup\\%%LOGRECORD%%|Digest|null|",
    };
    // The script's own scope, and --scope saying the same of a script without one.
    for (const bool scopeInScript : {true, false}) {
        if (scopeInScript) EditScript({{"name=Example Notes\n", "name=Example Notes\nscope=user\n"}});
        const PlanRows plan = scopeInScript ? JsonPlan(Package()) : JsonPlan(Package(), {"--scope", "user"});
        EXPECT_EQ(plan.head, "Example Notes|user|" + folder + "|");
        EXPECT_EQ(plan.What(), expected);
        for (const PlanRow& row : plan.rows) EXPECT_EQ(row.admin, "") << row.what;
        if (scopeInScript) EditScript({{"scope=user\n", ""}});
    }
    // An install folder in Program Files is refused for the user alone, as /D= is.
    const ToolRun refused = RunTool({"plan", Package(), "--scope", "user", "--dest", "C:\\Program Files\\Notes"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("C:\\Program Files\\Notes needs administrator rights"), std::string::npos) << refused.err;
}

// Cases where the script reads otherwise than it looks, each as setup reads it.
TEST_F(PlanTest, ScriptsAreReadAsSetupReadsThem) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> edits;
        std::vector<std::string> present;  // lines the plan holds
        std::vector<std::string> absent;   // beginnings of lines it must not hold
    };
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Example Notes";
    const Case cases[] = {
        {"a root name setup does not know means HKEY_LOCAL_MACHINE",
         {{"key1=HKEY_LOCAL_MACHINE\\Software\\Example Notes", "key1=HKLM\\Software\\Example Notes"}},
         {"key|package|HKLM\\Software\\Example Notes|||"},
         {}},
        {"without a group there is neither group folder nor [Icons]",
         {{"[Group]\ngroup=Example Notes\n", ""}},
         {"shortcut|package|%%COMMONSTARTMENU%%\\Example Notes Read Me.lnk|||%%PROGPATH%%\\Example Notes\\readme.txt"},
         {"folder|package|%%COMMONPROGRAMS%%", "shortcut|package|%%COMMONPROGRAMS%%"}},
        {"[OtherFolders] are made as written, [InstallFolder]'s first entry never",
         {{"sub1=Samples\n", "sub1=Samples\n[OtherFolders]\nshared=C:\\Program Files\\Shared Notes\n"}},
         {"folder|package|C:\\Program Files\\Shared Notes|||"},
         {"folder|package|%%PROGPATH%%\\Example Notes\\%%PROGPATH%%"}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        fs::remove_all(temp_ / "package");
        fs::copy(Sample, temp_ / "package", fs::copy_options::recursive);
        EditScript(each.edits);
        const PlanRows plan = JsonPlan(Package());
        const std::vector<std::string> what = plan.What();
        for (const std::string& line : each.present)
            EXPECT_NE(std::find(what.begin(), what.end(), line), what.end()) << line;
        for (const std::string& start : each.absent)
            EXPECT_TRUE(std::none_of(what.begin(), what.end(), [&](const std::string& line) { return line.starts_with(start); }))
                << start;
        for (const PlanRow& row : plan.rows) {
            if (row.what.find("Program Files") == std::string::npos) continue;
            EXPECT_EQ(row.admin, "in the Program Files folder") << row.what;
        }
    }
}

// Plans of what setup would not install as written are refused, and so are options that name
// no install folder or scope.
TEST_F(PlanTest, RefusesScriptsWithErrorsAndBadOptions) {
    struct Case {
        std::vector<std::string> arguments;
        const char* said;
    };
    const Case cases[] = {
        {{"plan", Package(), "--scope", "user"}, "needs administrator rights"},
        {{"plan", Package(), "--dest", "Apps\\Notes"}, "must be a full path"},
        {{"plan", Package(), "--scope", "everyone"}, "user or machine"},
        {{"plan", (temp_ / "missing").string()}, "is no package folder"},
        {{"sbom", Package()}, "--out FILE is missing"},
    };
    for (const Case& each : cases) {
        const ToolRun run = RunTool(each.arguments);
        EXPECT_EQ(run.exitCode, 2) << each.said;
        EXPECT_EQ(run.out, "") << each.said;
        EXPECT_NE(run.err.find(each.said), std::string::npos) << run.err;
    }
}

// For a person: a line saying what the install is, then one line per action under the heading
// of its kind, in the order of the kinds.
TEST_F(PlanTest, TheTextFormHasOneLinePerActionGroupedByKind) {
    const ToolRun text = RunTool({"plan", Package()});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    const PlanRows plan = JsonPlan(Package());
    const std::vector<std::string> lines = Split(text.out, '\n');
    EXPECT_EQ(lines.front(), "Installing Example Notes, for every user of the machine");
    std::vector<std::string> headings;
    size_t actionLines = 0;
    for (const std::string& line : lines) {
        if (line.ends_with(":") && !line.starts_with(" ")) headings.push_back(line);
        if (line.starts_with("  ")) ++actionLines;
    }
    EXPECT_EQ(headings, (std::vector<std::string>{"Folders:", "Files:", "Registry keys:", "Registry values:", "Shortcuts:"}));
    EXPECT_EQ(actionLines, plan.rows.size());
    EXPECT_NE(text.out.find("\n  %%COMMONDESKTOP%%\\Example Notes.lnk -> %%PROGPATH%%\\Example Notes\\readme.txt  "
                            "(administrators: on all users' desktop)\n"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("\n  HKEY_LOCAL_MACHINE\\Software\\Example Notes  Build = 258  "), std::string::npos) << text.out;
}
