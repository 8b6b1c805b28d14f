#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>

#include "base/ContentDigest.h"
#include "base/Crc32.h"
#include "media/OneFile.h"
#include "support/RepositoryCatalogs.h"
#include "support/RunTool.h"
#include "support/StandInProgram.h"
#include "support/TempTree.h"

namespace fs = std::filesystem;

namespace {

const fs::path Sample = SETUP_REPO_ROOT "/examples/notes";

constexpr size_t SlotAt = StandInSlotAt;
constexpr size_t SlotSize = 8 + 64;

using Files = std::map<std::string, std::string>;

Files FilesBelow(const fs::path& folder) {
    Files files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files[entry.path().filename().string()] = ReadFile(entry.path());
    return files;
}

class OneFileTest : public ::testing::Test {
protected:
    OneFileTest() { WriteFile(setup_, StandInProgram("setup program")); }

    ToolRun Build(const fs::path& target, const fs::path& setup) {
        return RunTool({"build", Sample.string(), "--setup", setup.string(), "--one-file", target.string()});
    }
    ToolRun Unpack(const fs::path& oneFile) {
        fs::remove_all(temp_ / "unpacked");
        return RunTool({"unpack", oneFile.string(), "--out", (temp_ / "unpacked").string()});
    }
    // Runs a shell command line; true when it ends with 0.
    static bool Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

    TempTree temp_;
    fs::path setup_ = temp_ / "setup.exe";
};

}  // namespace

// Every disk's files in one executable, built the same way each time, that unpacks to what a
// folder build puts on its disks and checks clean as media.
TEST_F(OneFileTest, CarriesEveryDiskAndUnpacksToTheFolderBuild) {
    ASSERT_EQ(Build(temp_ / "one.exe", setup_).exitCode, 0);
    ASSERT_EQ(Build(temp_ / "again.exe", setup_).exitCode, 0);
    EXPECT_EQ(ReadFile(temp_ / "one.exe"), ReadFile(temp_ / "again.exe"));
    // The program runs as it is; only its checksum and the slot's digest changed.
    const std::string one = ReadFile(temp_ / "one.exe"), setup = ReadFile(setup_);
    EXPECT_EQ(one.substr(0x200, SlotAt - 0x200), setup.substr(0x200, SlotAt - 0x200));
    EXPECT_EQ(one.substr(SlotAt + SlotSize, 0x400 - SlotAt - SlotSize), setup.substr(SlotAt + SlotSize));
    EXPECT_NE(one.substr(SlotAt, SlotSize), setup.substr(SlotAt, SlotSize));
    ASSERT_EQ(RunTool({"build", Sample.string(), "--setup", setup_.string(), "--out", (temp_ / "media").string()})
                  .exitCode,
              0);
    ASSERT_EQ(Unpack(temp_ / "one.exe").exitCode, 0);
    EXPECT_TRUE(FilesBelow(temp_ / "unpacked/disk01") == FilesBelow(temp_ / "media"));
    EXPECT_EQ(FilesBelow(temp_ / "unpacked/disk01").size(), 10u + RepositoryCatalogTags().size() - 1);
    EXPECT_EQ(RunTool({"check", (Sample / "install.ini").string(), "--media", (temp_ / "one.exe").string()}).exitCode, 0);
}

// A changed byte anywhere, a cut tail or header, the payload of another setup, a part no media
// can hold (a name that climbs out, is absolute, drive-relative or a stream), two parts of one
// media name, a part unlike its CRC or an unknown format: every reader refuses the file as
// damaged, and nothing is written, inside --out or outside it. A check of sound media writes
// nothing at all.
TEST_F(OneFileTest, DamagedFileIsRefusedByEveryReaderAndNothingIsWritten) {
    ASSERT_EQ(Build(temp_ / "one.exe", setup_).exitCode, 0);
    WriteFile(temp_ / "other.exe", StandInProgram("another setup program"));
    ASSERT_EQ(Build(temp_ / "other-one.exe", temp_ / "other.exe").exitCode, 0);
    const std::string good = ReadFile(temp_ / "one.exe"), setup = ReadFile(setup_);
    const std::vector<PayloadPart> sound = ReadOneFile(good, "one.exe");
    const auto with = [&](std::vector<PayloadPart> extra) {
        std::vector<PayloadPart> parts = sound;
        parts.insert(parts.end(), extra.begin(), extra.end());
        return MakeOneFile(setup, parts);
    };
    const auto plain = [](const std::string& name) { return PayloadPart{name, PartKind::Plain, "text", {}}; };
    std::string changedPayload = good, changedProgram = good, unknownVersion = good;
    changedPayload[good.size() * 3 / 4] ^= 1;
    changedProgram[0x200] ^= 1;
    const size_t header = 0x400;
    unknownVersion[header + VersionAt] = PayloadVersion + 1;
    unknownVersion.replace(SlotAt + 8, 64, ContentDigest(unknownVersion.substr(header, 224)));
    const std::map<std::string, std::string> damaged = {
        {"changed payload byte", changedPayload},
        {"changed program byte", changedProgram},
        {"cut tail", good.substr(0, good.size() - 100)},
        {"cut header", good.substr(0, header + 20)},
        {"payload of another setup", good.substr(0, header) + ReadFile(temp_ / "other-one.exe").substr(header)},
        {"climbs out", with({plain("..\\..\\x")})},
        {"climbs out below a folder", with({plain("docs\\..\\..\\x")})},
        {"rooted", with({plain("\\x")})},
        {"absolute", with({plain("C:\\x")})},
        {"drive-relative", with({plain("C:x")})},
        {"stream", with({plain("readme.txt:x")})},
        {"two of one name", with({plain("Extra.TXT"), plain("extra.txt")})},
        {"a package file's media name", with({PayloadPart{"extra.exe", PartKind::Package, "program", {}}, plain("EXTRA.EX_")})},
        {"unlike its CRC", with({PayloadPart{"extra.txt", PartKind::Plain, "text", Crc32(0, "other", 5)}})},
        {"unknown format", unknownVersion},
    };
    const std::string script = (Sample / "install.ini").string();
    for (const auto& [name, content] : damaged) {
        SCOPED_TRACE(name);
        WriteFile(temp_ / "damaged.exe", content);
        const ToolRun unpacked = Unpack(temp_ / "damaged.exe");
        EXPECT_EQ(unpacked.exitCode, 2);
        EXPECT_NE(unpacked.err.find("damaged.exe is damaged"), std::string::npos) << unpacked.err;
        EXPECT_FALSE(fs::exists(temp_ / "unpacked"));
        EXPECT_FALSE(fs::exists(temp_ / "x"));
        EXPECT_EQ(RunTool({"check", script, "--media", (temp_ / "damaged.exe").string()}).exitCode, 2);
        EXPECT_EQ(RunTool({"manifest", (temp_ / "damaged.exe").string(), "--id", "A.B", "--url", "https://example.com/a",
                           "--out", (temp_ / "manifests").string()})
                      .exitCode,
                  2);
        EXPECT_FALSE(fs::exists(temp_ / "manifests"));
    }

    const fs::path tempFolder = temp_ / "tmp";
    fs::create_directories(tempFolder);
    const char* const oldTemp = std::getenv("TMPDIR");
    const std::string savedTemp = oldTemp ? oldTemp : "";
    setenv("TMPDIR", tempFolder.c_str(), 1);
    const std::set<fs::path> before = {fs::directory_iterator(temp_.Path()), fs::directory_iterator()};
    const int checked = RunTool({"check", script, "--media", (temp_ / "one.exe").string()}).exitCode;
    oldTemp ? setenv("TMPDIR", savedTemp.c_str(), 1) : unsetenv("TMPDIR");
    EXPECT_EQ(checked, 0);
    EXPECT_TRUE(fs::is_empty(tempFolder));
    EXPECT_EQ((std::set<fs::path>{fs::directory_iterator(temp_.Path()), fs::directory_iterator()}), before);
}

// A signed setup program is carried whole for the uninstall; the one-file setup signs and
// verifies, and a byte changed after signing fails both the signature and the file's own check.
TEST_F(OneFileTest, SignedProgramIsCarriedWholeAndTheOneFileSigns) {
    const std::string key = (temp_ / "key.pem").string(), cert = (temp_ / "cert.pem").string();
    ASSERT_TRUE(Shell("openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=Test -keyout " + key + " -out " + cert));
    const auto sign = [&](const fs::path& in, const fs::path& out) {
        return Shell("osslsigncode sign -certs " + cert + " -key " + key + " -in " + in.string() + " -out " + out.string());
    };
    const auto verifies = [&](const fs::path& file) {
        return Shell("osslsigncode verify -CAfile " + cert + " -in " + file.string());
    };
    ASSERT_TRUE(sign(setup_, temp_ / "signed-setup.exe"));
    ASSERT_EQ(Build(temp_ / "one.exe", temp_ / "signed-setup.exe").exitCode, 0);
    ASSERT_TRUE(sign(temp_ / "one.exe", temp_ / "signed-one.exe"));
    EXPECT_TRUE(verifies(temp_ / "signed-one.exe"));
    ASSERT_EQ(Unpack(temp_ / "signed-one.exe").exitCode, 0);
    EXPECT_EQ(ReadFile(temp_ / "unpacked/disk01/setup.exe"), ReadFile(temp_ / "signed-setup.exe"));
    EXPECT_TRUE(verifies(temp_ / "unpacked/disk01/setup.exe"));

    std::string changed = ReadFile(temp_ / "signed-one.exe");
    changed[0x400 + 200] ^= 1;
    WriteFile(temp_ / "changed.exe", changed);
    EXPECT_FALSE(verifies(temp_ / "changed.exe"));
    EXPECT_EQ(Unpack(temp_ / "changed.exe").exitCode, 2);
}

// winget's manifests of a one-file setup pass winget's own schemas, name the file by its
// SHA-256, say the package's scope (a machine-wide setup elevates itself, a per-user one claims
// nothing), and need the script's version and publisher.
TEST_F(OneFileTest, ManifestsPassWingetsSchemas) {
    fs::copy(Sample, temp_ / "package", fs::copy_options::recursive);
    const std::string script = ReadFile(Sample / "install.ini");
    const std::string named = "name=Example Notes\n";
    const std::string entry = "version=2.4.1\npublisher=Example Co.\nuninstallentry=yes\n";
    std::string withEntry = script, perUser = script;
    withEntry.replace(script.find(named), named.size(), named + entry);
    // The sample made per user: its folder and its keys the user's own.
    perUser.replace(script.find(named), named.size(), named + entry + "scope=user\n");
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"%%PROGPATH%%", "%%USERPROGRAMS%%"},
                                   {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER"}})
        perUser.replace(perUser.find(from), from.size(), to);
    const std::string oneFile = (temp_ / "notes.exe").string();
    std::vector<std::string> manifest = {"manifest", oneFile, "--id", "Example.Notes", "--url",
                                               "https://example.com/notes.exe", "--out", (temp_ / "manifests").string()};
    // winget's schemas, as its repository publishes them (MIT).
    const std::string schemas = SETUP_REPO_ROOT "/tools/setup-media/tests/winget-schemas/";
    const auto installerManifest = [&](const std::string& text) {
        WriteFile(temp_ / "package/install.ini", text);
        const std::string package = (temp_ / "package").string();
        const std::string setup = setup_.string();
        EXPECT_EQ(RunTool({"build", package, "--setup", setup, "--one-file", oneFile, "--force"}).exitCode, 0);
        EXPECT_EQ(RunTool(manifest).exitCode, 0);
        EXPECT_TRUE(Shell("/usr/bin/python3 -c \"import json, sys, yaml, jsonschema\n"
                          "for name, kind in (('', 'version'), ('.installer', 'installer'), ('.locale.en-US', 'defaultLocale')):\n"
                          "    jsonschema.validate(yaml.safe_load(open('" + (temp_ / "manifests/Example.Notes").string() +
                          "' + name + '.yaml')), json.load(open('" + schemas + "manifest.' + kind + '.1.10.0.json')))\""));
        return ReadFile(temp_ / "manifests/Example.Notes.installer.yaml");
    };
    std::string installer = installerManifest(perUser);
    EXPECT_NE(installer.find("\nScope: user\nElevationRequirement: elevationProhibited\n"), std::string::npos)
        << installer;
    installer = installerManifest(withEntry);
    EXPECT_NE(installer.find("\nScope: machine\nElevationRequirement: elevatesSelf\n"), std::string::npos) << installer;
    std::string sha = Sha256sum(oneFile);
    for (char& c : sha) c = static_cast<char>(std::toupper(c));
    EXPECT_NE(installer.find("InstallerSha256: " + sha), std::string::npos) << installer;
    EXPECT_NE(installer.find("DisplayVersion: '2.4.1'"), std::string::npos) << installer;
    // An older version over a newer one ends with the platform's ERROR_PRODUCT_VERSION, which winget's
    // schema (checked above) knows as a downgrade.
    EXPECT_NE(installer.find("- InstallerReturnCode: 1638\n  ReturnResponse: downgrade\n"), std::string::npos) << installer;

    ASSERT_EQ(Build(temp_ / "plain.exe", setup_).exitCode, 0);
    manifest[1] = (temp_ / "plain.exe").string();
    const ToolRun refused = RunTool(manifest);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("uninstallentry=yes"), std::string::npos) << refused.err;
}

// The id names the manifests and their files: one not of winget's form is refused before anything
// is written, so none reaches another folder; the licence says where it comes from.
TEST_F(OneFileTest, ManifestTakesOnlyWingetsIdsAndSaysWhereTheLicenceComesFrom) {
    fs::copy(Sample, temp_ / "package", fs::copy_options::recursive);
    const std::string named = "name=Example Notes\n";
    std::string script = ReadFile(Sample / "install.ini");
    script.replace(script.find(named), named.size(), named + "version=2.4.1\npublisher=Example Co.\nuninstallentry=yes\n");
    WriteFile(temp_ / "package/install.ini", script);
    const std::string oneFile = (temp_ / "notes.exe").string();
    ASSERT_EQ(RunTool({"build", (temp_ / "package").string(), "--setup", setup_.string(), "--one-file", oneFile}).exitCode,
              0);
    const auto manifest = [&](const std::string& id, std::vector<std::string> more = {}) {
        std::vector<std::string> arguments = {"manifest", oneFile, "--id", id, "--url", "https://example.com/n.exe",
                                              "--out", (temp_ / "manifests").string()};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return RunTool(arguments);
    };
    for (const char* id : {"Notes", "Example..Notes", ".Example.Notes", "Example.Notes.", "../Example.Notes",
                           "Example/x.Notes", "Example Co.Notes", "Example.No\\tes", "A.B.C.D.E.F.G.H.I",
                           "Example.NotesNotesNotesNotesNotesNotesNot"}) {
        SCOPED_TRACE(id);
        const ToolRun refused = manifest(id);
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_NE(refused.err.find("is not of winget's form Publisher.Package"), std::string::npos) << refused.err;
        EXPECT_FALSE(fs::exists(temp_ / "manifests"));
        EXPECT_FALSE(fs::exists(temp_ / "Example.Notes.yaml"));
    }
    for (const char* id : {"Example.Notes", "A.B.C.D.E.F.G.H", "\xC5\x81ukasz.Notatki"}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(manifest(id).exitCode, 0);
    }

    const ToolRun unnamed = manifest("Example.Notes");
    EXPECT_NE(unnamed.out.find("note: License is setup-media's default, Proprietary; --license gives the package's own"),
              std::string::npos)
        << unnamed.out;
    EXPECT_NE(ReadFile(temp_ / "manifests/Example.Notes.locale.en-US.yaml")
                  .find("# License: setup-media's default; the package's licence is not read from it: give it with "
                        "--license\nLicense: 'Proprietary'\n"),
              std::string::npos);
    const ToolRun given = manifest("Example.Notes", {"--license", "MIT"});
    EXPECT_EQ(given.out.find("note:"), std::string::npos) << given.out;
    EXPECT_NE(ReadFile(temp_ / "manifests/Example.Notes.locale.en-US.yaml")
                  .find("# License: as given with --license\nLicense: 'MIT'\n"),
              std::string::npos);
}

// The parts' CRC is the one zip and PNG use, so that any tool can check a part: its published
// check value, fed whole and in pieces.
TEST(Crc32, IsTheCrcOfZipAndPng) {
    EXPECT_EQ(Crc32(0, "123456789", 9), 0xCBF43926u);
    EXPECT_EQ(Crc32(Crc32(0, "1234", 4), "56789", 5), 0xCBF43926u);
    EXPECT_EQ(Crc32(0, "", 0), 0u);
}
