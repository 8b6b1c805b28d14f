#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "shared/CompressionEdgeCases.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

constexpr DWORD Success = 0;
constexpr int TreeFiles = 200;

// The package's Data folder: files three levels deep, an empty folder, and two files named
// readme.txt with different content in different folders. Relative path ("\" between folders)
// and content.
std::map<std::string, std::string> DataTree() {
    std::map<std::string, std::string> tree;
    for (int i = 0; i < TreeFiles - 2; ++i) {
        const std::string folder = i % 4 == 0 ? "" : "set" + std::to_string(i % 5) + "\\part" + std::to_string(i % 3) + "\\";
        tree[folder + "item" + std::to_string(i) + ".dat"] = RandomBytes(16 + i * 37 % 3000, static_cast<unsigned>(i));
    }
    tree["readme.txt"] = "The readme at the top of the data folder.\r\n";
    tree["set2\\readme.txt"] = "Another readme, two folders down, which must not replace the first.\r\n";
    return tree;
}

void MakeFolders(const std::string& root, const std::string& relative) {
    std::string path = root;
    for (size_t start = 0; start < relative.size();) {
        const size_t end = relative.find('\\', start);
        if (end == std::string::npos) break;
        path = root + "\\" + relative.substr(0, end);
        CreateDirectoryA(path.c_str(), nullptr);
        start = end + 1;
    }
}

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

}  // namespace

// One line takes a whole folder tree: setup-media writes it out, gives the second readme.txt a
// name of its own on the media, and setup installs every file byte for byte, makes the empty
// folder, and the uninstall removes it all again.
TEST(FolderLines, ATreeOfTwoHundredFilesInstallsAndUninstallsByteForByte) {
    const std::string package = "Folder Lines " + std::to_string(GetCurrentProcessId());
    TempFolder source;
    const std::map<std::string, std::string> tree = DataTree();
    CreateDirectoryA((source / "Data").c_str(), nullptr);
    for (const auto& [path, content] : tree) {
        MakeFolders(source / "Data", path);
        WriteTextFile(source / "Data\\" + path, content);
    }
    CreateDirectoryA((source / "Data\\empty").c_str(), nullptr);
    WriteTextFile(source / "install.ini", "[Package]\r\nname=" + package +
                                              "\r\n[Licence]\r\nlicence=none\r\n[InstallFolder]\r\ninstall=%%PROGPATH%%\\" +
                                              package + "\r\n[Disks]\r\nn=1\r\n[ProgramFiles01]\r\ndata=%%INSTALLPATH%%\\Data\\**\r\n");
    const SetupMedia media(UnixPathOf(source.Path()));
    ASSERT_EQ(media.Error(), "");
    const std::vector<std::string> onMedia = NamesIn(media.First());
    for (const char* name : {"readme.tx_", "readme~2.tx_"})
        EXPECT_NE(std::find(onMedia.begin(), onMedia.end(), name), onMedia.end()) << name;

    char programFiles[MAX_PATH] = {};
    ASSERT_TRUE(ExpandEnvironmentStringsA("%ProgramFiles%", programFiles, MAX_PATH));
    const std::string folder = std::string(programFiles) + "\\" + package;
    const SetupLogTail install;
    ASSERT_EQ(RunQuietly("/S", media.First()), Success) << install.Text();
    size_t same = 0;
    for (const auto& [path, content] : tree) same += ReadTextFile(folder + "\\Data\\" + path) == content;
    EXPECT_EQ(same, tree.size());
    EXPECT_TRUE(FolderExists(folder + "\\Data\\empty"));

    const SetupLogTail uninstall;
    EXPECT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", media.First()), Success) << uninstall.Text();
    EXPECT_FALSE(FolderExists(folder)) << uninstall.Text();
}
