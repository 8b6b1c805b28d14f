#include "support/TreePackage.h"

#include "support/TempTree.h"

namespace fs = std::filesystem;

void WriteTreePackage(const fs::path& folder) {
    WriteFile(folder / "install.ini", std::string("[Package]\nname=") + TreePackageName +
                                          "\n[Licence]\nlicence=none\n[InstallFolder]\ninstall=%%PROGPATH%%\\" +
                                          TreePackageName +
                                          "\n[Disks]\nn=1\n[ProgramFiles01]\napp=%%INSTALLPATH%%\\app.exe\n"
                                          "data=%%INSTALLPATH%%\\Data\\**\n[Desktop]\nlink=[ProgramFiles01]app\nname=" +
                                          TreePackageName + "\n");
    WriteFile(folder / "app.exe", "Stands in for the program the package installs.\r\n");
    WriteFile(folder / "Data/readme.txt", "The readme at the top of the data folder.\r\n");
    WriteFile(folder / "Data/set2/readme.txt", "Another readme, two folders down, which must not replace the first.\r\n");
    const char item[] = "Data three folders down, with bytes of no text: \0\x01\x02\xff";
    WriteFile(folder / "Data/set2/deep/item.dat", std::string(item, sizeof item - 1));
    fs::create_directories(folder / "Data/empty");
}
