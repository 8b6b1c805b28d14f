#include "e2e/StartedSetup.h"

StartedSetup::StartedSetup()
    : media_("[Package]\nname=Small Package\n[Licence]\nlicence=none\n[InstallFolder]\ninstall=c:\\Small Package\n"
             "[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\readme.txt\n",
             "", {{{"readme.txt", "The readme of the small package.\n"}}}),
      program_(std::make_unique<ProgramUnderTest>(SetupExeIn(media_.First()), "", media_.First())) {
    if (media_.Error().empty() && program_->Started())
        main_ = ui::WaitForWindow(program_->ProcessId(), "TMainForm");
}

StartedSetup::~StartedSetup() {
    if (main_ && IsWindow(main_)) PostMessageA(main_, WM_CLOSE, 0, 0);
    program_->WaitForExit(20000);
}
