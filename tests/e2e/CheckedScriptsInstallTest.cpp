#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <set>
#include <string>

#include "e2e/QuietRun.h"
#include "e2e/ScriptMutations.h"
#include "e2e/SetupMedia.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

// What `setup-media check` passes, setup installs as written: scripts made from the samples by
// an author's slips (e2e/ScriptMutations.h) are checked, and each one the check passes (warnings
// allowed) is built and installed unattended, which must not end in a refusal, then uninstalled.
// SETUP_MUTATION_CASES and SETUP_MUTATION_SEED run more cases, or others, by hand.

namespace {

constexpr DWORD Success = 0;
constexpr DWORD RestartNeeded = 3010;
constexpr unsigned DefaultCases = 16;
constexpr const char* RecordsKey = "Software\\qupsetup";

unsigned Setting(const char* name, unsigned fallback) {
    const char* value = std::getenv(name);
    return value && *value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : fallback;
}

// The logs installs recorded, for the machine and for this user.
std::set<std::string> RecordedLogs() {
    std::set<std::string> logs;
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY records;
        if (RegOpenKeyExA(root, RecordsKey, 0, KEY_READ, &records) != ERROR_SUCCESS) continue;
        char name[256];
        for (DWORD i = 0, size = sizeof name; RegEnumKeyExA(records, i, name, &size, nullptr, nullptr, nullptr, nullptr) ==
                                              ERROR_SUCCESS;
             ++i, size = sizeof name) {
            char log[1024] = {};
            DWORD logSize = sizeof log;
            if (RegGetValueA(records, name, "Log", RRF_RT_REG_SZ, nullptr, log, &logSize) == ERROR_SUCCESS)
                logs.insert(log);
        }
        RegCloseKey(records);
    }
    return logs;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

struct Tally {
    unsigned refusedByCheck = 0;
    unsigned notBuilt = 0;
    unsigned installed = 0;
};

class CheckedScripts : public ::testing::Test {
protected:
    // One script: checked, and when the check passes it, built from a copy of `sampleFolder`,
    // installed and uninstalled.
    void Try(const std::string& sampleFolder, const std::string& script, Tally& tally) {
        TempFolder package;
        const std::string packageUnix = UnixPathOf(package.Path());
        RunUnixScript("cp -r " + ShellQuoted(sampleFolder) + "/. " + ShellQuoted(packageUnix) + "\n");
        WriteTextFile(package / "install.ini", script);
        const UnixCommandResult check = RunUnixScript(Tool() + " check " + ShellQuoted(packageUnix + "/install.ini"));
        if (check.exitCode == 2) {
            ++tally.refusedByCheck;
            return;
        }
        const SetupMedia media(packageUnix);
        if (!media.Error().empty()) {
            // A package the script names a file of that it lacks: the build says which, at its line.
            std::printf("not built: %s\n", media.Error().c_str());
            ++tally.notBuilt;
            return;
        }
        for (int disk = 2; disk <= 9 && FolderExists(media.Disk(disk)); ++disk) media.InsertDisk(disk);
        const std::set<std::string> before = RecordedLogs();
        const SetupLogTail install;
        const DWORD code = RunQuietly("/S", media.First());
        if (code != Success && code != RestartNeeded) {
            ADD_FAILURE() << "setup refused a script the check passed (exit code " << code << ")\n--- script\n" << script
                          << "--- check\n" << check.output << "--- setup.log\n" << install.Text();
            return;
        }
        ++tally.installed;
        for (const std::string& log : RecordedLogs()) {
            if (before.count(log)) continue;
            const SetupLogTail uninstall;
            const DWORD removed = RunQuietly("/S " + log, media.First());
            EXPECT_TRUE(removed == Success || removed == RestartNeeded) << script << uninstall.Text();
        }
    }

    // Scripts made from `sample` (its package name replaced so that every case installs apart).
    void TryMutationsOf(const std::string& sampleFolder, const std::string& sample, const std::string& name,
                        unsigned seed) {
        const unsigned cases = Setting("SETUP_MUTATION_CASES", DefaultCases);
        ScriptMutations mutations(sample, Setting("SETUP_MUTATION_SEED", seed));
        Tally tally;
        for (unsigned i = 0; i < cases; ++i) {
            const std::string unique = "Mutant " + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(i);
            Try(sampleFolder, Replaced(mutations.Next(), name, unique), tally);
        }
        std::printf("%u scripts: %u refused by the check, %u not built, %u installed and uninstalled\n", cases,
                    tally.refusedByCheck, tally.notBuilt, tally.installed);
        EXPECT_GT(tally.installed, 0u) << "no script of the corpus reached setup";
    }

    static std::string Tool() {
        return "\"${SETUP_MEDIA:-" + std::string(SETUP_SOURCE_UNIX_DIR) + "/build-tools/setup-media}\"";
    }
};

// A flat package: files at the top and in a subfolder of one name, and a folder tree.
const std::string FlatSample = R"([Package]
name=Flat Sample
publisher=Sample Makers
version=1.0
uninstallentry=yes

[Licence]
licence=licence.txt

[InstallFolder]
install=%%PROGPATH%%\Flat Sample
sub1=Docs

[Disks]
n=1

[ProgramFiles01]
file1=%%INSTALLPATH%%\readme.txt
file2=%%INSTALLPATH%%\Docs\readme.txt
data=%%INSTALLPATH%%\Data\**

[RegistryKeys]
key1=HKEY_LOCAL_MACHINE\Software\Flat Sample

[KeyValues]
value1=Path
regkey1=key1
data1=%%INSTALLPATH%%
type1=string

[Group]
group=Flat Sample

[Icons]
target1=[ProgramFiles01]file1
title1=Read Me

[Desktop]
target1=[ProgramFiles01]file2
title1=Flat Sample Docs
)";

}  // namespace

TEST_F(CheckedScripts, SlipsInTheSampleNotesInstallAsCheckedOrAreRefusedByTheCheck) {
    const std::string sample = std::string(SETUP_SOURCE_UNIX_DIR) + "/examples/notes";
    TryMutationsOf(sample, ReadTextFile(WinePath(sample + "/install.ini")), "Example Notes", 1);
}

TEST_F(CheckedScripts, SlipsInAFlatPackageWithAFolderTreeInstallAsCheckedOrAreRefusedByTheCheck) {
    TempFolder sample;
    for (const char* folder : {"Docs", "Data", "Data\\sub"}) CreateDirectoryA((sample / folder).c_str(), nullptr);
    WriteTextFile(sample / "licence.txt", "The terms of the flat sample, which are long enough.\r\n");
    WriteTextFile(sample / "readme.txt", "The readme at the top of the flat sample.\r\n");
    WriteTextFile(sample / "Docs\\readme.txt", "The readme of the Docs folder, another file of that name.\r\n");
    WriteTextFile(sample / "Data\\a.txt", "A data file at the top of the tree, long enough.\r\n");
    WriteTextFile(sample / "Data\\sub\\b.txt", "A data file one folder down the tree, long enough.\r\n");
    TryMutationsOf(UnixPathOf(sample.Path()), FlatSample, "Flat Sample", 2);
}
