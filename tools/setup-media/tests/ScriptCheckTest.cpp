#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "support/RunTool.h"
#include "support/TempTree.h"

using namespace std::string_literals;

namespace {

const std::string CleanScript = R"([Package]
name=Checked Package

[Licence]
licence=licence.txt

[InstallFolder]
install=%%PROGPATH%%\Checked
sub1=Data

[OtherFolders]
folder1=C:\Shared Data

[Disks]
n=1

[ProgramFiles01]
file1=%%INSTALLPATH%%\app.exe
file2=%%INSTALLPATH%%\Data\data.db

[RegistryKeys]
key1=HKEY_LOCAL_MACHINE\Software\Checked

[KeyValues]
value1=Path
regkey1=key1
data1=%%INSTALLPATH%%
type1=string

[Group]
group=Checked

[Icons]
target1=[ProgramFiles01]file1
title1=Checked
)";

// The licence and the files the scripts here name, beside the script, as a package holds them.
void WritePackageFiles(const TempTree& package) {
    WriteFile(package / "licence.txt", "Terms.\n");
    for (const char* file : {"app.exe", "Data/data.db", "checked.db"}) WriteFile(package / file, file);
}

using Edit = std::pair<std::string, std::string>;  // a whole line and what replaces it; "" appends

struct Rule {
    const char* name;
    std::vector<Edit> edits;
    std::string expected;  // "LINE: error: part of the message"
};

std::string Edited(std::vector<Edit> edits, std::string script = CleanScript) {
    for (const auto& [line, replacement] : edits) {
        if (line.empty()) {
            script += replacement + "\n";
            continue;
        }
        const size_t at = script.find(line + "\n");
        EXPECT_NE(at, std::string::npos) << line;
        if (at != std::string::npos) script.replace(at, line.size(), replacement);
    }
    return script;
}

const std::string Long(size_t length) { return std::string(length, 'd'); }

// A key 33 levels below its root.
std::string DeepKey() {
    std::string key = "HKEY_LOCAL_MACHINE\\Software";
    for (int level = 2; level <= 33; ++level) key += "\\k";
    return key;
}

// One case per rule: the script differs from the clean one only where the rule looks.
const std::vector<Rule> Rules = {
    {"package name missing", {{"name=Checked Package", "title=Checked"}}, "1: error: [Package] name is missing"},
    {"package name too long", {{"name=Checked Package", "name=" + Long(58)}}, "2: error: the package name has 58"},
    {"disk count missing", {{"n=1", "count=1"}}, "14: error: [Disks] n is missing"},
    {"disk count not an integer", {{"n=1", "n=1x"}}, "15: error: [Disks] n \"1x\" is not a number above 0"},
    {"disk without a section", {{"n=1", "n=0x2"}}, "15: error: disk 2 has no [ProgramFiles02]"},
    {"disk section beyond the count",
     {{"", "[ProgramFiles02]\nfile1=x.txt"}},
     "36: error: [ProgramFiles02] is never read: [Disks] n is 1"},
    {"disk section misnamed",
     {{"", "[ProgramFiles1]\nfile1=x.txt"}},
     "36: error: [ProgramFiles1] is never read: disk sections"},
    {"section repeated",
     {{"", "[Package]\nname=Other"}},
     "36: error: [Package] stands a second time (first at line 1)"},
    {"empty value in a grouped section",
     {{"data1=%%INSTALLPATH%%", "data1="}},
     "27: error: empty value in [KeyValues]"},
    {"empty value elsewhere",
     {{"folder1=C:\\Shared Data", "folder1="}},
     "12: warning: empty value: the entry is ignored"},
    {"repeated key", {{"sub1=Data", "sub1=Data\nSUB1=Logs"}}, "10: error: key \"SUB1\" repeats line 9"},
    {"install folder not first",
     {{"[InstallFolder]", "[InstallFolder]\nsub0=Extra"}},
     "8: error: the first entry of [InstallFolder] is never created"},
    {"key values not in fours",
     {{"type1=string", "type1=string\nvalue2=Extra"}},
     "29: error: [KeyValues] ends with 1 entries"},
    {"key values without keys",
     {{"key1=HKEY_LOCAL_MACHINE\\Software\\Checked", "; none"}},
     "24: error: [KeyValues] is never read"},
    {"unlisted registry key", {{"regkey1=key1", "regkey1=key9"}}, "26: error: \"key9\" names no [RegistryKeys] entry"},
    {"registry key without root",
     {{"key1=HKEY_LOCAL_MACHINE\\Software\\Checked", "key1=Software"}},
     "22: error: registry key \"Software\" has no \\"},
    {"short root name",
     {{"key1=HKEY_LOCAL_MACHINE\\Software\\Checked", "key1=HKLM\\Software"}},
     "22: warning: \"HKLM\" is not a root name"},
    {"root the uninstall skips",
     {{"key1=HKEY_LOCAL_MACHINE\\Software\\Checked", "key1=HKEY_CURRENT_CONFIG\\Software"}},
     "22: warning: the uninstall never removes keys under HKEY_CURRENT_CONFIG"},
    {"integer not an integer text",
     {{"data1=%%INSTALLPATH%%", "data1=12a"}, {"type1=string", "type1=dword"}},
     "27: error: \"12a\" is not an integer"},
    {"reference without bracket",
     {{"target1=[ProgramFiles01]file1", "target1=[ProgramFiles01file1"}},
     "34: error: reference \"[ProgramFiles01file1\" has no ]"},
    {"reference to nothing",
     {{"target1=[ProgramFiles01]file1", "target1=[ProgramFiles01]file7"}},
     "34: error: reference \"[ProgramFiles01]file7\" names no entry"},
    {"odd shortcut entry",
     {{"title1=Checked", "title1=Checked\ntarget2=[ProgramFiles01]file2"}},
     "36: error: [Icons] ends with an odd entry out"},
    {"icons without group",
     {{"group=Checked", "name=Checked"}},
     "33: warning: [Icons] is not read without [Group] group"},
    {"unknown macro",
     {{"file1=%%INSTALLPATH%%\\app.exe", "file1=%%INSTALPATH%%\\app.exe"}},
     "18: error: unknown macro %%INSTALPATH%%, left in the path as written (did you mean %%INSTALLPATH%%?"},
    {"macro where none expands",
     {{"folder1=C:\\Shared Data", "folder1=%%PROGPATH%%\\Shared"}},
     "12: error: macros are not expanded in [OtherFolders]"},
    {"destination too long anywhere",
     {{"file2=%%INSTALLPATH%%\\Data\\data.db", "file2=%%INSTALLPATH%%\\" + Long(240) + ".db"}},
     "19: error: the destination reaches 268 characters on a usual machine"},
    {"install folder too long for long paths",
     {{"install=%%PROGPATH%%\\Checked", "install=%%PROGPATH%%\\" + Long(200)}},
     "8: warning: the install folder with \\uninstal.ini reaches 278 characters with a Program Files path of 64"},
    {"other folder not a full path",
     {{"folder1=C:\\Shared Data", "folder1=Shared"}},
     "12: error: \"Shared\" is not a full path"},
    {"file named like a working copy",
     {{"file2=%%INSTALLPATH%%\\Data\\data.db", "file2=%%INSTALLPATH%%\\INSTALL.INI"}},
     "19: error: a package file named install.ini"},
    {"destination without a file name",
     {{"file2=%%INSTALLPATH%%\\Data\\data.db", "file2=%%INSTALLPATH%%\\Data\\"}},
     "19: error: destination \"%%INSTALLPATH%%\\Data\\\" must end in the file's name"},
    {"licence None", {{"licence=licence.txt", "licence=None"}}, "5: error: licence \"None\" names a file"},
    {"licence missing",
     {{"licence=licence.txt", "licence=terms.txt"}},
     "5: error: the licence text \"terms.txt\" is not beside the script"},
    {"relative destination",
     {{"file2=%%INSTALLPATH%%\\Data\\data.db", "file2=..\\..\\data.db"}},
     "19: error: destination \"..\\..\\data.db\" is not a full path"},
    {"destination in a folder setup does not make",
     {{"file2=%%INSTALLPATH%%\\Data\\data.db", "file2=%%PROGPATH%%\\Checked\\data.db"}},
     "19: error: destination \"%%PROGPATH%%\\Checked\\data.db\" goes into a folder setup does not make"},
    {"licence named like setup's own file",
     {{"licence=licence.txt", "licence=install.ini"}},
     "5: error: the licence text \"install.ini\" and setup's own install.ini would both be install.ini on disk 1"},
    {"device name",
     {{"file2=%%INSTALLPATH%%\\Data\\data.db", "file2=%%INSTALLPATH%%\\Data\\aux.db"}},
     "19: error: the file name \"aux.db\" is the name of a Windows device"},
    {"NUL in a name",
     {{"file2=%%INSTALLPATH%%\\Data\\data.db", "file2=%%INSTALLPATH%%\\Data\\da\0ta.db"s}},
     "19: error: a NUL byte cuts this line"},
    {"disk count far beyond the sections",
     {{"n=1", "n=2147483647"}},
     "15: error: 2147483646 disks have no section of their own, from disk 2 on"},
    {"version not numbers",
     {{"name=Checked Package", "name=Checked Package\nversion=2.4.70000"}},
     "3: error: [Package] version \"2.4.70000\" is not"},
    {"version with letters",
     {{"name=Checked Package", "name=Checked Package\nversion=2.0-beta"}},
     "3: error: [Package] version \"2.0-beta\" is not"},
    {"run names no installed file",
     {{"name=Checked Package", "name=Checked Package\nrun=[Icons]target1"}},
     "3: error: run \"[Icons]target1\" names no file the package installs"},
    {"run names a missing entry",
     {{"name=Checked Package", "name=Checked Package\nrun=[ProgramFiles01]file9"}},
     "3: error: run \"[ProgramFiles01]file9\" names no file"},
    {"runargs without run",
     {{"name=Checked Package", "name=Checked Package\nrunargs=/first"}},
     "3: warning: runargs= without run= starts nothing"},
    {"version with an empty part",
     {{"name=Checked Package", "name=Checked Package\nversion=2..1"}},
     "3: error: [Package] version \"2..1\" is not"},
    {"control characters shown escaped",
     {{"regkey1=key1", "regkey1=key\x1B[2J\x01"}},
     "26: error: \"key\\x1B[2J\\x01\" names no [RegistryKeys] entry"},
    {"bytes neither UTF-8 nor the code page",
     {{"title1=Checked", "title1=Checked \x81"}},
     "35: warning: bytes here are neither UTF-8 nor valid windows-1252"},
    {"language unknown", {{"name=Checked Package", "name=Checked Package\nlanguages=en, fx"}},
     "3: error: languages=: \"fx\" is no language setup-media knows; did you mean fr?"},
    {"message unknown", {{"", "[Messages]\nGreting=Hi %s"}},
     "37: warning: Greting= is no text setup shows, so it is not used; did you mean Greeting=?"},
    {"message with other placeholders", {{"", "[Messages]\nInsertDisk=Insert disk %s"}},
     "37: error: InsertDisk= takes %s where the English text takes %d: setup shows the English text"},
    {"messages of an unknown language", {{"", "[Messages.xx]\nGreeting=Hi %s"}},
     "36: error: [Messages.xx]: \"xx\" is no language setup-media knows"},
    {"language's licence missing", {{"licence=licence.txt", "licence=licence.txt\nlicence.en=terms-en.txt"}},
     "6: error: the licence text of en, \"terms-en.txt\", is not beside the script"},
    {"language's licence by its tag", {{"licence=licence.txt", "licence=licence.txt\nlicence.pt-BR=licence.txt"}},
     "6: error: licence.pt-BR= is read for no language: setup reads licence.pt for pt-BR"},
};

// The check of `text` reports `expected` ("LINE: error: part of the message") and exits as that says.
ToolRun ExpectFinding(const std::string& text, const std::string& expected) {
    TempTree package;
    WritePackageFiles(package);
    WriteFile(package / "install.ini", text);
    const std::string script = (package / "install.ini").string();
    const ToolRun run = RunTool({"check", script});
    EXPECT_NE(run.out.find(script + ":" + expected), std::string::npos) << run.out;
    EXPECT_EQ(run.exitCode, expected.find(": error: ") != std::string::npos ? 2 : 1) << run.out;
    return run;
}

// The clean script made per user: its folder in the user's programs, its keys the user's own.
std::string PerUserScript() {
    return Edited({{"name=Checked Package", "name=Checked Package\nscope=User"},
                   {"install=%%PROGPATH%%\\Checked", "install=%%USERPROGRAMS%%\\Checked"},
                   {"key1=HKEY_LOCAL_MACHINE\\Software\\Checked",
                    "key1=HKEY_CURRENT_USER\\Software\\Checked\nkey2=HKEY_CLASSES_ROOT\\.checked"}});
}

// A per-user package, then the machine-wide clean one.
const std::vector<Rule> ScopeRules = {
    {"scope neither", {{"scope=User", "scope=everyone"}}, "3: error: [Package] scope \"everyone\": scope must be"},
    {"machine's key",
     {{"key1=HKEY_CURRENT_USER\\Software\\Checked", "key1=HKEY_LOCAL_MACHINE\\Software\\Checked"}},
     "23: error: HKEY_LOCAL_MACHINE needs administrator rights: a per-user package (scope=user) writes only"},
    {"every user's keys",
     {{"key1=HKEY_CURRENT_USER\\Software\\Checked", "key1=HKEY_USERS\\.DEFAULT\\Checked"}},
     "23: error: HKEY_USERS needs administrator rights"},
    {"root name setup takes as the machine's",
     {{"key2=HKEY_CLASSES_ROOT\\.checked", "key2=hkey_classes_root\\.checked"}},
     "24: error: \"hkey_classes_root\" means HKEY_LOCAL_MACHINE, which needs administrator rights"},
    {"install folder in Program Files",
     {{"install=%%USERPROGRAMS%%\\Checked", "install=%%PROGPATH%%\\Checked"}},
     "9: error: \"%%PROGPATH%%\\Checked\" lies in C:\\Program Files, which needs administrator rights"},
    {"other folder written in other letters",
     {{"folder1=C:\\Shared Data", "folder1=c:\\PROGRAM FILES (X86)\\Checked"}},
     "13: error: \"c:\\PROGRAM FILES (X86)\\Checked\" lies in C:\\Program Files (x86)"},
    {"destination climbing out of the user's folders",
     {{"file2=%%INSTALLPATH%%\\Data\\data.db", "file2=%%LOCALAPPDATA%%\\..\\..\\..\\..\\Windows\\checked.dll"}},
     "20: error: \"%%LOCALAPPDATA%%\\..\\..\\..\\..\\Windows\\checked.dll\" lies in C:\\Windows"},
};
const std::vector<Rule> MachineWideRules = {
    {"user's key",
     {{"key1=HKEY_LOCAL_MACHINE\\Software\\Checked", "key1=HKEY_CURRENT_USER\\Software\\Checked"}},
     "22: warning: HKEY_CURRENT_USER in a machine-wide package: when a standard user installs it, Windows asks for an "
     "administrator's account and this lands in that administrator's profile, not the user's"},
    {"user's folder for a file",
     {{"file2=%%INSTALLPATH%%\\Data\\data.db", "file2=%%LOCALAPPDATA%%\\checked.db"}},
     "19: warning: %%LOCALAPPDATA%% in a machine-wide package"},
    {"user's folder in registry data, scope given",
     {{"name=Checked Package", "name=Checked Package\nscope=MACHINE"}, {"data1=%%INSTALLPATH%%", "data1=%%APPDATA%%"}},
     "28: warning: %%APPDATA%% in a machine-wide package"},
};

// An author's slips: each is told at its line, with the name setup reads, and the check exits
// as its worst finding says (a slip may bring other findings with it).
struct Slip {
    const char* name;
    std::vector<Edit> edits;
    std::string expected;  // "LINE: warning: the message" in full
    int exitCode;
};

const std::vector<Slip> Slips = {
    {"section misspelt", {{"[Icons]", "[Icnos]"}},
     "33: warning: [Icnos] is not a section setup reads; did you mean [Icons]?", 1},
    {"section spelt as elsewhere", {{"[Licence]", "[License]"}},
     "4: warning: [License] is not a section setup reads: setup reads [Licence]", 1},
    {"disk section misspelt", {{"[ProgramFiles01]", "[ProgramFile01]"}},
     "17: warning: [ProgramFile01] is not a section setup reads; did you mean [ProgramFiles01]?", 2},
    {"section unknown", {{"", "[Extras]\nmore=yes"}}, "36: warning: [Extras] is not a section setup reads: it is ignored", 1},
    {"key spelt as elsewhere", {{"licence=licence.txt", "license=licence.txt"}},
     "5: warning: license= is not a key setup reads in [Licence]: setup reads licence=", 1},
    {"key misspelt", {{"name=Checked Package", "name=Checked Package\nverison=2.4"}},
     "3: warning: verison= is not a key setup reads in [Package]; did you mean version=?", 1},
    {"key cut short", {{"name=Checked Package", "name=Checked Package\nuninstall=yes"}},
     "3: warning: uninstall= is not a key setup reads in [Package]; did you mean uninstallentry=?", 1},
    {"key of another section", {{"group=Checked", "group=Checked\nlicence=none"}},
     "32: warning: licence= is not a key setup reads in [Group]: setup reads it in [Licence]", 1},
    {"key unknown", {{"name=Checked Package", "name=Checked Package\ncolour=blue"}},
     "3: warning: colour= is not a key setup reads in [Package] (it reads name, uninstallentry, version, publisher, "
     "scope, languages, run and runargs)", 1},
    {"key repeated", {{"name=Checked Package", "name=Checked Package\nNAME=Other"}},
     "3: warning: NAME= repeats line 2: setup reads only that one", 1},
    {"disk count under another key", {{"n=1", "count=1"}},
     "15: warning: count= is not a key setup reads in [Disks] (it reads n)", 2},
    {"install key misspelt", {{"install=%%PROGPATH%%\\Checked", "instal=%%PROGPATH%%\\Checked"}},
     "8: error: the first entry of [InstallFolder] is never created: put install= first (instal= is not install=)", 2},
    {"entry asked for with true", {{"name=Checked Package", "name=Checked Package\nuninstallentry=true"}},
     "3: warning: uninstallentry=true asks for no entry in the list of installed programs: only yes, in lower case, "
     "does (no for none)", 1},
    {"version without its entry", {{"name=Checked Package", "name=Checked Package\nversion=2.4.1"}},
     "3: warning: version= is shown only in the entry in the list of installed programs, which needs "
     "uninstallentry=yes", 1},
    {"scope misspelt", {{"name=Checked Package", "name=Checked Package\nscope=users"}},
     "3: error: [Package] scope \"users\": scope must be user or machine; did you mean user?", 2},
    {"type misspelt, integer data", {{"data1=%%INSTALLPATH%%", "data1=12"}, {"type1=string", "type1=strng"}},
     "28: warning: \"strng\" is not a type: string or an integer type (integer, dword); setup writes 12 as a 32-bit "
     "integer; did you mean string?", 1},
    {"type cut short, text data", {{"type1=string", "type1=str"}},
     "28: error: \"str\" is not a type: string or an integer type (integer, dword); setup takes it for an integer, "
     "and \"%%INSTALLPATH%%\" is none: it stops with an error report; did you mean string?", 2},
    {"default value in other letters", {{"value1=Path", "value1=(default)"}},
     "25: warning: \"(default)\" names a value of that name: the key's unnamed value is (Default), written so", 1},
    {"one percent sign", {{"install=%%PROGPATH%%\\Checked", "install=%PROGPATH%\\Checked"}},
     "8: error: %PROGPATH% is not a macro: setup leaves it in the path as written; write %%PROGPATH%%", 2},
    {"one percent sign at the end", {{"data1=%%INSTALLPATH%%", "data1=%%INSTALLPATH%"}},
     "27: error: %%INSTALLPATH% is not a macro: setup leaves it in the path as written; write %%INSTALLPATH%%", 2},
    {"macro in small letters", {{"file1=%%INSTALLPATH%%\\app.exe", "file1=%%installpath%%\\app.exe"}},
     "18: error: %%installpath%% is not a macro: setup leaves it in the path as written; write %%INSTALLPATH%%", 2},
    {"install folder missing",
     {{"[InstallFolder]", ""}, {"install=%%PROGPATH%%\\Checked", ""}, {"sub1=Data", ""}},
     "2: warning: [InstallFolder] install is missing: setup proposes c:\\Checked Package, at the top of the system "
     "drive; write install=%%PROGPATH%%\\Checked Package", 2},
    {"install folder shared", {{"install=%%PROGPATH%%\\Checked", "install=%%PROGPATH%%"}},
     "8: warning: the install folder \"%%PROGPATH%%\" is shared with other programs: the uninstall log lies there, "
     "and setup refuses the folder to a package when another one's log is there; give the package a folder of its "
     "own", 1},
    {"install folder not a full path", {{"install=%%PROGPATH%%\\Checked", "install=Program Files\\Checked"}},
     "8: error: the install folder \"Program Files\\Checked\" is not a full path: every install ends with \"The "
     "install folder must be a full path\"; start it with a drive (C:\\) or a macro such as %%PROGPATH%%", 2},
    {"install folder Windows cannot make", {{"install=%%PROGPATH%%\\Checked", "install=%%PROGPATH%%\\Check|ed"}},
     "8: error: the install folder cannot be made: the name \"Check|ed\" holds a character Windows does not allow "
     "in file names", 2},
    {"subfolder Windows cannot make", {{"sub1=Data", "sub1=Da<ta"}},
     "9: error: the folder \"Da<ta\" cannot be made: the name \"Da<ta\" holds a character Windows does not allow in "
     "file names", 2},
    {"subfolder written in full", {{"sub1=Data", "sub1=C:\\Data"}},
     "9: error: the folder \"C:\\Data\" is made below the install folder: write it relative to it, or list a folder "
     "elsewhere in [OtherFolders]", 2},
    {"other folder Windows cannot make", {{"folder1=C:\\Shared Data", "folder1=C:\\Shared|Data"}},
     "12: error: the folder \"C:\\Shared|Data\" cannot be made: the name \"Shared|Data\" holds a character Windows "
     "does not allow in file names", 2},
    {"shortcut name with a folder", {{"title1=Checked", "title1=Sub\\Checked"}},
     "35: error: the shortcut name \"Sub\\Checked\" holds \\, which no file name may: setup cannot make it", 2},
    {"program group Windows cannot make", {{"group=Checked", "group=Che?ked"}},
     "31: error: the program group \"Che?ked\" cannot be made: the name \"Che?ked\" holds a character Windows does "
     "not allow in file names", 2},
    {"registry data too long", {{"data1=%%INSTALLPATH%%", "data1=%%INSTALLPATH%%\\" + Long(240)}},
     "27: error: the value with its macros replaced reaches 265 characters on a usual machine; paths must stay "
     "under 260", 2},
    {"file the package lacks", {{"file2=%%INSTALLPATH%%\\Data\\data.db", "file2=%%INSTALLPATH%%\\Data\\guide.txt"}},
     "19: error: %%INSTALLPATH%%\\Data\\guide.txt: the package has no file Data/guide.txt or guide.txt: the build "
     "stops", 2},
    {"destination names a folder", {{"file2=%%INSTALLPATH%%\\Data\\data.db", "file2=%%INSTALLPATH%%\\Data"}},
     "19: error: destination \"%%INSTALLPATH%%\\Data\" names a folder, not a file: setup stops with \"Error "
     "installing\"", 2},
    {"shortcut to what is no path", {{"target1=[ProgramFiles01]file1", "target1=[Group]group"}},
     "34: error: reference \"[Group]group\" leads to \"Checked\", which is not a full path: the shortcut leads nowhere",
     2},
    {"program group empty", {{"group=Checked", "group="}},
     "31: warning: the program group is empty: [Icons] shortcuts go into the Start menu's Programs folder itself", 1},
    {"key at the top of the machine's", {{"key1=HKEY_LOCAL_MACHINE\\Software\\Checked", "key1=HKEY_LOCAL_MACHINE\\Checked"}},
     "22: error: registry key \"HKEY_LOCAL_MACHINE\\Checked\": Windows makes no key directly below "
     "HKEY_LOCAL_MACHINE but its own, and \"Checked\" is none of them: setup stops with \"Error creating registry "
     "key\"; write HKEY_LOCAL_MACHINE\\Software\\...", 2},
    {"key at the top of every user's", {{"key1=HKEY_LOCAL_MACHINE\\Software\\Checked", "key1=HKEY_USERS\\Checked"}},
     "22: error: registry key \"HKEY_USERS\\Checked\": Windows makes no key directly below HKEY_USERS but its own, "
     "and \"Checked\" is none of them: setup stops with \"Error creating registry key\"", 2},
    {"key too deep", {{"key1=HKEY_LOCAL_MACHINE\\Software\\Checked", "key1=" + DeepKey()}},
     "22: error: registry key \"" + DeepKey() + "\": the key lies more than 32 levels deep, which Windows does not "
     "make: setup stops with \"Error creating registry key\"", 2},
    {"shortcut file too long", {{"title1=Checked", "title1=" + Long(200)}},
     "35: error: the shortcut's file \"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Checked\\" +
         Long(200) + ".lnk\" reaches 265 characters; paths must stay under 260: the install stops", 2},
};

}  // namespace

TEST(ScriptCheck, SlipsAreToldAtTheirLineWithTheNameSetupReads) {
    for (const Slip& slip : Slips) {
        SCOPED_TRACE(slip.name);
        TempTree package;
        WritePackageFiles(package);
        WriteFile(package / "install.ini", Edited(slip.edits));
        const std::string script = (package / "install.ini").string();
        const ToolRun run = RunTool({"check", script});
        EXPECT_NE(run.out.find(script + ":" + slip.expected + "\n"), std::string::npos) << run.out;
        EXPECT_EQ(run.exitCode, slip.exitCode) << run.out;
    }
}

// A folder line is checked as the lines it stands for, each finding at the folder line.
TEST(ScriptCheck, FolderLinesAreCheckedAsTheLinesTheyStandFor) {
    TempTree package;
    WritePackageFiles(package);
    WriteFile(package / "Data/a.txt", "a");
    WriteFile(package / "Data/sub/b.txt", "b");
    WriteFile(package / "Long" / (Long(236) + ".txt"), "long");
    WriteFile(package / "Odd/a|b.txt", "odd");
    WriteFile(package / "Broken/x\n[RegistryKeys]\nk=HKEY_CURRENT_USER\\Software\\Planted", "a name of three lines");
    std::filesystem::create_directories((package / "Empty").string());
    const std::string script = (package / "install.ini").string();
    const std::string line = "file2=%%INSTALLPATH%%\\Data\\data.db";
    const std::vector<std::tuple<std::string, std::string, int>> cases = {
        {"file2=%%INSTALLPATH%%\\Data\\**", "", 0},
        {"file2=%%INSTALLPATH%%\\Data\\*", "", 0},
        {"file2=%%INSTALLPATH%%\\Long\\**",
         "19: error: the destination reaches 270 characters on a usual machine; paths must stay under 260", 2},
        {"file2=%%INSTALLPATH%%\\Odd\\**",
         "19: error: the file name \"a|b.txt\" holds a character Windows does not allow in file names", 2},
        {"file2=%%INSTALLPATH%%\\Broken\\*",
         "19: error: \"%%INSTALLPATH%%\\Broken\\*\" takes \"x\\x0A[RegistryKeys]\\x0Ak=HKEY_CURRENT_USER\\Software\\"
         "Planted\", whose name holds a control character, which Windows does not allow in file names", 2},
        {"file2=%%INSTALLPATH%%\\Missing\\*",
         "19: error: \"%%INSTALLPATH%%\\Missing\\*\" takes the folder \"Missing\" of " + package.Path().string() +
             ", which is not there", 2},
        {"file2=%%WINSYS%%\\Data\\**",
         "19: error: \"%%WINSYS%%\\Data\\**\": setup makes folders only below %%INSTALLPATH%% or a folder written "
         "out in full; \\* takes one folder's files", 2},
        {"file2=%%INSTALLPATH%%\\Empty\\**", "19: warning: \"%%INSTALLPATH%%\\Empty\\**\" takes no file: the folder is empty", 1},
        {"file2=%%INSTALLPATH%%\\Long\\*",
         "19: error: destination \"%%INSTALLPATH%%\\Long\\" + Long(236) +
             ".txt\" goes into a folder setup does not make: list it in [InstallFolder] or [OtherFolders]", 2},
    };
    for (const auto& [folderLine, expected, exitCode] : cases) {
        SCOPED_TRACE(folderLine);
        WriteFile(package / "install.ini", Edited({{line, folderLine}}));
        const ToolRun run = RunTool({"check", script});
        if (!expected.empty()) {
            EXPECT_NE(run.out.find(script + ":" + expected + "\n"), std::string::npos) << run.out;
        }
        EXPECT_EQ(run.exitCode, exitCode) << run.out;
    }
}

// The licence setup looks for when its section is misspelt is told where the slip is.
TEST(ScriptCheck, AMissingLicenceIsToldAtTheSectionMeantForIt) {
    TempTree package;
    WritePackageFiles(package);
    std::filesystem::remove((package / "licence.txt").string());
    WriteFile(package / "terms.txt", "Terms.\n");
    WriteFile(package / "install.ini", Edited({{"[Licence]", "[License]"}, {"licence=licence.txt", "license=terms.txt"}}));
    const std::string script = (package / "install.ini").string();
    const ToolRun run = RunTool({"check", script});
    EXPECT_NE(run.out.find(script + ":4: error: [Licence] licence is missing ([License] is not [Licence]), so setup "
                                    "shows licence.txt, and the licence text \"licence.txt\" is not beside the script "
                                    "(licence=none for no licence page)\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(script + ":4: warning: [License] is not a section setup reads: setup reads [Licence]\n"),
              std::string::npos)
        << run.out;
}

// For a build that must be clean: a warning fails the check as an error does.
TEST(ScriptCheck, StrictMakesWarningsErrors) {
    TempTree package;
    WritePackageFiles(package);
    WriteFile(package / "install.ini", Edited({{"[Icons]", "[Icnos]"}}));
    const std::string script = (package / "install.ini").string();
    const ToolRun lenient = RunTool({"check", script});
    EXPECT_EQ(lenient.exitCode, 1) << lenient.out;
    const ToolRun strict = RunTool({"check", script, "--strict"});
    EXPECT_EQ(strict.exitCode, 2) << strict.out;
    EXPECT_NE(strict.out.find(script + ":33: error: [Icnos] is not a section setup reads"), std::string::npos)
        << strict.out;
    WriteFile(package / "install.ini", CleanScript);
    EXPECT_EQ(RunTool({"check", script, "--strict"}).exitCode, 0);
}

TEST(ScriptCheck, EachRuleFindsItsFaultAtItsLine) {
    for (const Rule& rule : Rules) {
        SCOPED_TRACE(rule.name);
        ExpectFinding(Edited(rule.edits), rule.expected);
    }
}

// A per-user package writes nowhere only administrators can, whatever the spelling; a machine-wide
// one is warned of the user's own keys and folders, which would be the administrator's.
TEST(ScriptCheck, ScopesKeepToWhatTheirRunCanWrite) {
    TempTree package;
    WritePackageFiles(package);
    WriteFile(package / "install.ini", PerUserScript());
    const ToolRun clean = RunTool({"check", (package / "install.ini").string()});
    EXPECT_EQ(clean.exitCode, 0) << clean.out;
    for (const Rule& rule : ScopeRules) {
        SCOPED_TRACE(rule.name);
        const ToolRun run = ExpectFinding(Edited(rule.edits, PerUserScript()), rule.expected);
        EXPECT_EQ(run.out.find("warning"), std::string::npos) << run.out;
    }
    for (const Rule& rule : MachineWideRules) {
        SCOPED_TRACE(rule.name);
        ExpectFinding(Edited(rule.edits), rule.expected);
    }
}

// Every form setup reads: a fault is found at the line an editor shows, and the clean script is clean.
TEST(ScriptCheck, ReadsEveryFormOfTheScriptAsSetupReadsIt) {
    const auto withLineEnds = [](const std::string& end) {
        std::string text;
        for (const char c : Edited({})) text += c == '\n' ? end : std::string(1, c);
        return text;
    };
    const std::vector<std::pair<const char*, std::string>> forms = {
        {"CR only", withLineEnds("\r")},
        {"CR LF", withLineEnds("\r\n")},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF" + Edited({})},
        {"UTF-16 byte-order mark", Utf16Of(Edited({}))},
        {"Ctrl+Z at the end", Edited({}) + "\x1A"},
    };
    for (const auto& [name, text] : forms) {
        SCOPED_TRACE(name);
        TempTree package;
        WritePackageFiles(package);
        WriteFile(package / "install.ini", text);
        const ToolRun clean = RunTool({"check", (package / "install.ini").string()});
        EXPECT_EQ(clean.exitCode, 0) << clean.out;
        std::string faulty = text;
        const bool wide = faulty.starts_with("\xFF\xFE");
        const std::string n = wide ? Utf16Of("n=1").substr(2) : "n=1";
        faulty.replace(faulty.find(n), n.size(), wide ? Utf16Of("n=x").substr(2) : "n=x");
        WriteFile(package / "install.ini", faulty);
        const ToolRun run = RunTool({"check", (package / "install.ini").string()});
        EXPECT_NE(run.out.find(":15: error: [Disks] n \"x\""), std::string::npos) << run.out;
    }
}

TEST(ScriptCheck, CleanScriptsPassAndAnUnreadableOneFails) {
    TempTree package;
    WritePackageFiles(package);
    WriteFile(package / "install.ini", CleanScript);
    const ToolRun clean = RunTool({"check", (package / "install.ini").string()});
    EXPECT_EQ(clean.exitCode, 0) << clean.out;
    EXPECT_EQ(clean.out, "");

    // Languages, the author's words in them, and a licence of one's own.
    WriteFile(package / "terms-en.txt", "Terms.\n");
    WriteFile(package / "install.ini",
              Edited({{"name=Checked Package", "name=Checked Package\nlanguages=all"},
                      {"licence=licence.txt", "licence=licence.txt\nlicence.en=terms-en.txt"},
                      {"", "[Messages]\nGreeting=Hello, %s!\\nWelcome\n[Messages.en]\nMainExit=&Quit"}}));
    const ToolRun languages = RunTool({"check", (package / "install.ini").string()});
    EXPECT_EQ(languages.exitCode, 0) << languages.out;
    EXPECT_EQ(languages.out, "");

    const ToolRun example = RunTool({"check", SETUP_REPO_ROOT "/examples/notes/install.ini"});
    EXPECT_EQ(example.exitCode, 0) << example.out;

    const ToolRun missing = RunTool({"check", (package / "absent.ini").string()});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);

    WriteFile(package / "install.ini", "");
    const ToolRun empty = RunTool({"check", (package / "install.ini").string()});
    EXPECT_NE(empty.out.find(":1: error: [Package] name is missing"), std::string::npos) << empty.err;
}
