// Programs that hold the files an install replaces: through the Restart Manager's seam, with real
// programs the test starts that hold a package file (one closes when asked, one refuses); and a
// file held so that it can be neither replaced nor moved aside, under Wine itself.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/InstallUndo.h"
#include "base/Texts.h"
#include "install/InstallTestBed.h"
#include "support/FakeRestartManager.h"
#include "support/HeldOpenFile.h"
#include "support/SimulatedRestart.h"
#include "uninstall/ProgramsInUse.h"
#include "uninstall/UninstallRun.h"

using namespace installtests;

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// An install of two files over an earlier one: app.exe is there already (the old content), new.txt is not.
struct InstallOverEarlier {
    InstallTestBed bed;
    std::string app = bed.install / "app.exe";
    std::string added = bed.install / "new.txt";
    std::vector<MediaFile> files = {{"new.txt", SampleContent(300, 7)}, {"app.exe", SampleContent(900, 8)}};

    InstallOverEarlier() {
        WriteTextFile(app, "the old program, running");
        EXPECT_TRUE(PutCompressedOnMedia(bed.media.Path(), files));
        bed.PutDiskId(1);
        bed.WriteScript("[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\new.txt\nfile2=%%INSTALLPATH%%\\app.exe\n");
    }
    bool Replaced() const { return ReadTextFile(app) == files[1].second; }
};

// The run's choice for programs in use, put back when the test ends.
struct ChoiceScope {
    explicit ChoiceScope(HolderChoice choice) { HoldersChoice = choice; }
    ~ChoiceScope() { HoldersChoice = HolderChoice::Ask; }
};

}  // namespace

TEST(ProgramsInUse, TheWindowsAskToCloseWhatHoldsTheFilesAndCloseItOrGoOnWithout) {
    {
        InstallOverEarlier run;
        FakeRestartManager manager;
        ASSERT_TRUE(manager.StartHolder(run.app, "close", "Example Program"));
        manager.AddService(run.app, "Example Service");
        run.bed.ui.AnswerBoxes({IDYES});
        run.bed.RunInstall();

        EXPECT_EQ(manager.registered, std::vector<std::string>{run.app}) << "only the files there already";
        ASSERT_EQ(run.bed.ui.Boxes().size(), 1u);
        const AskedBox& asked = run.bed.ui.Boxes()[0];
        EXPECT_EQ(asked.caption, Text(TextId::ProgramsInUseCaption));
        EXPECT_EQ(asked.style & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
        EXPECT_TRUE(Contains(asked.text, "Example Program") && Contains(asked.text, "Example Service")) << asked.text;
        EXPECT_LT(asked.text.find("Example Program"), asked.text.find(Text(TextId::ServicesInUse)))
            << "the service is named apart, as one that is not stopped";
        EXPECT_FALSE(manager.Running("Example Program")) << "asked to close, it closed";
        EXPECT_TRUE(run.Replaced());
        EXPECT_EQ(manager.restarts, 1) << "what closed is started again once the install ended";
    }
    {
        InstallOverEarlier run;
        FakeRestartManager manager;
        ASSERT_TRUE(manager.StartHolder(run.app, "close", "Example Program"));
        run.bed.ui.AnswerBoxes({IDNO});
        run.bed.RunInstall();

        EXPECT_EQ(run.bed.ui.Boxes().size(), 1u);
        EXPECT_EQ(manager.closeRequests, 0);
        EXPECT_TRUE(manager.Running("Example Program")) << "going on without closing leaves it running";
        EXPECT_TRUE(run.Replaced()) << "a running program's file is moved aside and replaced";
        EXPECT_EQ(run.bed.form.RunAborted, 0);
    }
}

TEST(ProgramsInUse, WhatWouldNotCloseIsNamedAndThePersonMayRetryOrGoOn) {
    InstallOverEarlier run;
    FakeRestartManager manager;
    ASSERT_TRUE(manager.StartHolder(run.app, "refuse", "Stubborn Program"));
    run.bed.ui.AnswerBoxes({IDYES, IDYES, IDNO});
    run.bed.RunInstall();

    const std::vector<AskedBox>& boxes = run.bed.ui.Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_TRUE(Contains(boxes[i].text, Text(TextId::ProgramsNotClosed)) && Contains(boxes[i].text, "Stubborn Program"))
            << boxes[i].text;
        EXPECT_EQ(boxes[i].style & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    }
    EXPECT_EQ(manager.closeRequests, 2) << "asked once, and once more on retry";
    EXPECT_TRUE(manager.Running("Stubborn Program"));
    EXPECT_TRUE(run.Replaced()) << "going on installs all the same";
}

TEST(ProgramsInUse, AnUnattendedRunClosesThemWithoutAskingUnlessToldNotTo) {
    for (const HolderChoice choice : {HolderChoice::Close, HolderChoice::Keep}) {
        const bool noClose = choice == HolderChoice::Keep;
        InstallOverEarlier run;
        run.bed.ui.attended = false;
        const ChoiceScope unattended(choice);
        FakeRestartManager manager;
        ASSERT_TRUE(manager.StartHolder(run.app, "close", "Example Program"));
        run.bed.RunInstall();
        EXPECT_TRUE(run.bed.ui.Boxes().empty());
        EXPECT_EQ(manager.closeRequests, noClose ? 0 : 1);
        EXPECT_EQ(manager.Running("Example Program"), noClose) << (noClose ? "/NOCLOSE" : "closed unasked");
        EXPECT_TRUE(run.Replaced());
    }
    {
        // A service alone is named for the log and left running: nothing here stops a service.
        InstallOverEarlier run;
        run.bed.ui.attended = false;
        const ChoiceScope unattended(HolderChoice::Close);
        FakeRestartManager manager;
        manager.AddService(run.app, "Example Service");
        run.bed.RunInstall();
        EXPECT_TRUE(run.bed.ui.Boxes().empty());
        EXPECT_EQ(manager.closeRequests, 0);
        const std::vector<std::string>& notes = run.bed.ui.notes;
        EXPECT_EQ(std::count_if(notes.begin(), notes.end(),
                                [](const std::string& note) {
                                    return Contains(note, Text(TextId::ServicesInUse)) && Contains(note, "Example Service");
                                }),
                  1);
        EXPECT_TRUE(run.Replaced());
    }
    {
        // The uninstall asks before it removes the files the log names.
        InstallOverEarlier run;
        run.bed.RunInstall();
        ASSERT_TRUE(run.Replaced());
        FakeRestartManager manager;
        ASSERT_TRUE(manager.StartHolder(run.app, "close", "Example Program"));
        run.bed.ui.AnswerBoxes({IDYES});
        UninstallRun(run.bed.form).UninstallFiles();
        ASSERT_EQ(run.bed.ui.Boxes().size(), 1u);
        EXPECT_TRUE(Contains(run.bed.ui.Boxes()[0].text, "Example Program"));
        EXPECT_FALSE(manager.Running("Example Program"));
        EXPECT_FALSE(FileExists(run.app)) << "closed, its file goes at once";
    }
}

TEST(HeldFile, TheWindowsNameItWithRetryAndCancelWhichUndoesTheInstall) {
    {
        // "/NOCLOSE" keeps programs running; the person is still asked about the held file.
        InstallOverEarlier run;
        const ChoiceScope noClose(HolderChoice::Keep);
        HeldOpenFile held(run.app);
        ASSERT_TRUE(held.IsOpen());
        run.bed.ui.onBox = [&](const AskedBox&) { held.Close(); };
        run.bed.ui.AnswerBoxes({IDRETRY});
        run.bed.RunInstall();
        ASSERT_EQ(run.bed.ui.Boxes().size(), 1u);
        const AskedBox& asked = run.bed.ui.Boxes()[0];
        EXPECT_EQ(asked.style & MB_TYPEMASK, static_cast<UINT>(MB_RETRYCANCEL));
        EXPECT_TRUE(Contains(asked.text, run.app)) << asked.text;
        EXPECT_TRUE(run.Replaced()) << "Retry after the holder ended installs it";
        EXPECT_EQ(run.bed.form.RunAborted, 0);
    }
    {
        InstallOverEarlier run;
        run.bed.form.UndoInstall = UndoFailedInstall;
        const HeldOpenFile held(run.app);
        run.bed.ui.AnswerBoxes({IDCANCEL});
        run.bed.RunInstall();
        EXPECT_EQ(run.bed.form.RunAborted, 1);
        EXPECT_EQ(ReadTextFile(run.app), "the old program, running");
        EXPECT_FALSE(FileExists(run.added)) << "Cancel undoes what the install made before";
        EXPECT_EQ(run.bed.ui.Boxes().size(), 1u) << "no error box after the person's own Cancel";
    }
}

TEST(HeldFile, AnUnattendedRunLeavesItToTheRestartOnlyWhereNoUnelevatedProgramCanRedirectThePath) {
    for (const bool uninstalledFirst : {false, true}) {
        // Elevated, for the machine, below the Program Files folder: the restart replaces it,
        // unless the package was uninstalled before.
        InstallOverEarlier run;
        run.bed.ui.attended = false;
        ::Setup.Elevated = true;
        ::Setup.RestartScheduled = false;
        const SimulatedRestart restart;
        {
            const HeldOpenFile held(run.app);
            run.bed.RunInstall();
        }
        EXPECT_TRUE(run.bed.ui.Boxes().empty());
        EXPECT_EQ(run.bed.form.RunAborted, 0);
        EXPECT_TRUE(::Setup.RestartScheduled);
        EXPECT_FALSE(run.Replaced()) << "not before the restart";
        if (uninstalledFirst) {
            UninstallRun(run.bed.form).UninstallFiles();
            EXPECT_FALSE(FileExists(run.app + ".new")) << "the waiting file is the package's too";
        }
        ASSERT_TRUE(restart.Restart());
        EXPECT_EQ(run.Replaced(), !uninstalledFirst) << (uninstalledFirst ? "nothing comes back" : "replaced");
        ::Setup.RestartScheduled = false;
    }
    {
        // Not elevated: an unelevated program could swap a folder on the way for a link first.
        InstallOverEarlier run;
        run.bed.ui.attended = false;
        ::Setup.Elevated = false;
        {
            const HeldOpenFile held(run.app);
            run.bed.RunInstall();
        }
        EXPECT_EQ(run.bed.form.RunAborted, 1);
        ASSERT_EQ(run.bed.ui.Boxes().size(), 1u);
        EXPECT_TRUE(Contains(run.bed.ui.Boxes()[0].text, run.app)) << run.bed.ui.Boxes()[0].text;
        EXPECT_EQ(ReadTextFile(run.app), "the old program, running");
        EXPECT_FALSE(::Setup.RestartScheduled);
    }
}
