#include <gtest/gtest.h>

#include <cstdlib>

#include "support/Python.h"
#include "support/RunTool.h"
#include "support/StandInProgram.h"
#include "support/TempTree.h"
#include "support/TreePackage.h"

namespace fs = std::filesystem;

namespace {

const fs::path Sample = SETUP_REPO_ROOT "/examples/notes";
const std::string SpdxFolder = SETUP_REPO_ROOT "/tools/setup-media/tests/spdx/";

// The document's facts a test compares, one a line: its name and namespace, then each package as
// name|version|supplier|SHA1|SHA256, then each file as fileName|SHA1|SHA256.
constexpr const char* ReadFacts = R"(import json, sys
d = json.load(open(sys.argv[1], encoding='utf-8'))
print(d['name'])
print(d['documentNamespace'])
sums = lambda e: [{c['algorithm']: c['checksumValue'] for c in e.get('checksums', [])}.get(a, '') for a in ('SHA1', 'SHA256')]
for p in d['packages']:
    print('|'.join([p['name'], p.get('versionInfo', ''), p['supplier']] + sums(p)))
for f in d['files']:
    print('|'.join([f['fileName']] + sums(f)))
)";

class SbomTest : public ::testing::Test {
protected:
    SbomTest() {
        fs::copy(Sample, temp_ / "package", fs::copy_options::recursive);
        WriteFile(setup_, StandInProgram("setup program"));
    }
    ~SbomTest() override { unsetenv("SOURCE_DATE_EPOCH"); }

    // Writes the bill of materials of `input` and checks it against the SPDX schema and rules.
    std::vector<std::string> Sbom(const std::vector<std::string>& options, const fs::path& out) {
        const ToolRun run = RunTool(options);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_TRUE(PythonOutput("import runpy, sys; sys.argv = sys.argv[1:]; runpy.run_path(sys.argv[0], run_name='__main__')",
                                 {SpdxFolder + "check-spdx.py", SpdxFolder + "spdx-2.3-schema.json", out.string()}))
            << ReadFile(out);
        const std::optional<std::string> facts = PythonOutput(ReadFacts, {out.string()});
        EXPECT_TRUE(facts);
        std::vector<std::string> lines;
        std::istringstream in(facts.value_or(""));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    std::string Package() const { return (temp_ / "package").string(); }

    // fileName|SHA1|SHA256 of a file of the sample, from sha1sum and sha256sum.
    static std::string SampleFile(const std::string& installedName, const std::string& source) {
        return installedName + "|" + Sha1sum(Sample / source) + "|" + Sha256sum(Sample / source);
    }

    TempTree temp_;
    fs::path setup_ = temp_ / "setup.exe";
};

}  // namespace

// From a one-file setup: the package, the setup program as the payload keeps it (the program
// given to the build, byte for byte), and every file under its installed name, each with the
// digests Debian's sha1sum and sha256sum give; the document passes the SPDX schema and rules.
TEST_F(SbomTest, OneFileSetupsBillListsThePackageTheProgramAndEveryFile) {
    std::string script = ReadFile(temp_ / "package/install.ini");
    script.replace(script.find("name=Example Notes\n"), 19, "name=Example Notes\nversion=2.4.1\npublisher=Example Co.\n");
    WriteFile(temp_ / "package/install.ini", script);
    const std::string oneFile = (temp_ / "notes.exe").string();
    ASSERT_EQ(RunTool({"build", Package(), "--setup", setup_.string(), "--one-file", oneFile}).exitCode, 0);
    const fs::path out = temp_ / "notes.spdx.json";
    const std::vector<std::string> facts = Sbom({"sbom", oneFile, "--out", out.string()}, out);
    ASSERT_EQ(facts.size(), 2u + 2u + 5u);
    EXPECT_EQ(facts[0], "Example Notes 2.4.1");
    EXPECT_TRUE(facts[1].starts_with("https://")) << facts[1];
    EXPECT_EQ(facts[2], "Example Notes|2.4.1|Organization: Example Co.||");
    EXPECT_EQ(facts[3], "setup.exe||NOASSERTION|" + Sha1sum(setup_) + "|" + Sha256sum(setup_));
    const std::vector<std::string> files(facts.begin() + 4, facts.end());
    EXPECT_EQ(files, (std::vector<std::string>{SampleFile("./readme.txt", "disk01/readme.txt"),
                                               SampleFile("./notes.ini", "disk01/notes.ini"),
                                               SampleFile("./Samples/first.txt", "disk01/first.txt"),
                                               SampleFile("./Samples/second.txt", "disk02/second.txt"),
                                               SampleFile("./changes.log", "disk02/changes.log")}));
}

// From a package folder the setup program is what --setup gives; without it, the bill says
// nothing of it and a note says so.
TEST_F(SbomTest, APackageFoldersProgramIsWhatSetupGives) {
    const fs::path out = temp_ / "notes.spdx.json";
    std::vector<std::string> facts = Sbom({"sbom", Package(), "--out", out.string(), "--setup", setup_.string()}, out);
    ASSERT_EQ(facts.size(), 2u + 2u + 5u);
    EXPECT_EQ(facts[2], "Example Notes||NOASSERTION||");
    EXPECT_EQ(facts[3], "setup.exe||NOASSERTION|" + Sha1sum(setup_) + "|" + Sha256sum(setup_));
    const ToolRun without = RunTool({"sbom", Package(), "--out", out.string()});
    EXPECT_NE(without.err.find("the setup program is not in the bill of materials"), std::string::npos) << without.err;
    facts = Sbom({"sbom", Package(), "--out", out.string()}, out);
    ASSERT_EQ(facts.size(), 2u + 1u + 5u);
    EXPECT_EQ(facts[3], SampleFile("./readme.txt", "disk01/readme.txt"));
}

// With SOURCE_DATE_EPOCH the same package gives the same bytes; the namespace is unique to what
// the document says, so another content of the package, or another time, gives another one.
TEST_F(SbomTest, TheNamespaceIsUniqueToTheDocument) {
    setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    const fs::path first = temp_ / "first.json", again = temp_ / "again.json", changed = temp_ / "changed.json",
                   later = temp_ / "later.json";
    const std::vector<std::string> facts = Sbom({"sbom", Package(), "--out", first.string()}, first);
    Sbom({"sbom", Package(), "--out", again.string()}, again);
    EXPECT_EQ(ReadFile(first), ReadFile(again));
    EXPECT_NE(ReadFile(first).find("\"created\": \"2023-11-14T22:13:20Z\""), std::string::npos);
    WriteFile(temp_ / "package/disk01/readme.txt", "another read-me, at least sixteen bytes long");
    const std::vector<std::string> changedFacts = Sbom({"sbom", Package(), "--out", changed.string()}, changed);
    setenv("SOURCE_DATE_EPOCH", "1700000001", 1);
    const std::vector<std::string> laterFacts = Sbom({"sbom", Package(), "--out", later.string()}, later);
    ASSERT_FALSE(facts.size() < 2 || changedFacts.size() < 2 || laterFacts.size() < 2);
    EXPECT_NE(facts[1], changedFacts[1]);
    EXPECT_NE(changedFacts[1], laterFacts[1]);
}

// A package whose folder line takes a tree with two files named readme.txt: from the package
// folder and from its one-file setup, every file under its own installed name with the digests
// sha1sum and sha256sum give for its own source, and a document that passes the SPDX checks
// (the verification code among them).
TEST_F(SbomTest, ATreesBillListsEachFileOfOneNameWithItsOwnDigests) {
    const fs::path tree = temp_ / "tree";
    WriteTreePackage(tree);
    const std::string oneFile = (temp_ / "tree.exe").string();
    ASSERT_EQ(RunTool({"build", tree.string(), "--setup", setup_.string(), "--one-file", oneFile}).exitCode, 0);
    std::vector<std::string> expected;
    for (const char* source : {"app.exe", "Data/readme.txt", "Data/set2/readme.txt", "Data/set2/deep/item.dat"})
        expected.push_back(std::string("./") + source + "|" + Sha1sum(tree / source) + "|" + Sha256sum(tree / source));
    const fs::path out = temp_ / "tree.spdx.json";
    for (const std::string& input : {tree.string(), oneFile}) {
        SCOPED_TRACE(input);
        const std::vector<std::string> facts = Sbom({"sbom", input, "--out", out.string(), "--setup", setup_.string()}, out);
        ASSERT_EQ(facts.size(), 2u + 2u + expected.size());
        EXPECT_EQ(std::vector<std::string>(facts.begin() + 4, facts.end()), expected);
    }
}
