#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "support/ScriptedUi.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/PageControl.h"
#include "toolkit/ProgressBar.h"

namespace {

constexpr FormLayout TestLayout{"TTestForm", "Test", {10, 10, 200, 100}, FormBorder::Dialog, {}};

class RecordingForm : public Form {
public:
    RecordingForm() : Form(TestLayout), Button1(*this, {10, 10, 75, 25}, "&Go", Bind<&RecordingForm::Button1Click>(this)) {}

    Status FormActivate() override {
        events.push_back(Visible() ? "activate visible" : "activate hidden");
        if (endAtActivation) SetModalResult(endAtActivation);
        return {};
    }
    Status Button1Click() {
        events.push_back("click");
        return failOnClick ? Status::Failed("Unable to write to C:\\x.ini") : Status();
    }

    Button Button1;
    std::vector<std::string> events;
    int endAtActivation = 0;
    bool failOnClick = false;
};

}  // namespace

TEST(Form, IsMadeHiddenAndActivationRunsOnceAfterItIsVisible) {
    RecordingForm form;
    EXPECT_FALSE(form.Visible());
    EXPECT_TRUE(form.events.empty());
    form.endAtActivation = ResultYes;
    EXPECT_EQ(form.ShowModal(), ResultYes);
    EXPECT_EQ(form.events, std::vector<std::string>{"activate visible"});
    EXPECT_FALSE(form.Visible()) << "a modal showing hides the form when it ends";
}

TEST(Form, ClickPostedDuringModalShowingEndsItThroughClose) {
    RecordingForm form;
    form.Show();
    // A press that waits in the queue is handled by the modal loop.
    PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form.ShowModal(), ResultCancel);
}

TEST(Form, QuitRequestEndsModalShowingWithCancelAndIsPassedOn) {
    RecordingForm form;
    PostQuitMessage(0);
    EXPECT_EQ(form.ShowModal(), ResultCancel);
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(Form, ErrorInHandlerReachesDefaultReportAndLoopGoesOn) {
    ScriptedUi ui;
    RecordingForm form;
    form.failOnClick = true;
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.Button1.Handle()));
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Unable to write to C:\\x.ini.");
    EXPECT_EQ(ui.Boxes()[0].caption, Application::Instance().Title());
    EXPECT_EQ(ui.Boxes()[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    form.Button1.Click();
    EXPECT_EQ(form.events, (std::vector<std::string>{"click", "click"}));
    EXPECT_EQ(ui.Boxes().size(), 2u);
}

TEST(Form, ClosingTheMainFormPostsTheQuitRequest) {
    RecordingForm form;
    Application::Instance().SetMainForm(&form);
    form.Close();
    Application::Instance().SetMainForm(nullptr);
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(Form, ModalScriptAnswersWithoutShowing) {
    ScriptedUi ui;
    RecordingForm form;
    ui.AnswerModal(form, {ResultNo});
    EXPECT_EQ(form.ShowModal(), ResultNo);
    EXPECT_TRUE(form.events.empty());
    ASSERT_EQ(ui.ModalShown().size(), 1u);
}

TEST(Application, TitleIsTheExecutableBaseNameWithTheRestLowerCase) {
    // The test executable is setup_tests.exe.
    EXPECT_EQ(Application::Instance().Title(), "setup_tests");
}

TEST(Application, APauseLastsAsLongAsAskedWhileTheWindowsAnswer) {
    RecordingForm form;
    PostMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(form.Button1.Handle()));
    const auto start = std::chrono::steady_clock::now();
    Application::Instance().Pause(150);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));
    EXPECT_EQ(form.events, std::vector<std::string>{"click"});
}

TEST(Application, WorkBetweenTheHalvesOfAPauseRunsInsideIt) {
    using std::chrono::milliseconds;
    const auto start = std::chrono::steady_clock::now();
    Application::Instance().BeginPause(300);
    Sleep(200);
    Application::Instance().EndPause();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, milliseconds(300));
    EXPECT_LT(elapsed, milliseconds(450));
    // Work longer than the pause leaves nothing of it to wait for.
    Application::Instance().BeginPause(50);
    Sleep(120);
    const auto late = std::chrono::steady_clock::now();
    Application::Instance().EndPause();
    EXPECT_LT(std::chrono::steady_clock::now() - late, milliseconds(40));
}

TEST(ProgressBar, StepsByItsStepAndStaysWithinItsRange) {
    RecordingForm form;
    ProgressBar bar(form, {0, 50, 100, 17}, 3);
    bar.StepIt();
    EXPECT_EQ(bar.Position(), 3);
    bar.SetStep(23);
    bar.StepIt();
    bar.StepIt();
    EXPECT_EQ(bar.Position(), 49);
    EXPECT_EQ(SendMessageA(bar.Handle(), PBM_GETPOS, 0, 0), 49);
    bar.SetPosition(100);
    bar.StepIt();
    EXPECT_EQ(bar.Position(), 100);
    bar.SetStep(0);
    bar.SetPosition(0);
    bar.StepIt();
    EXPECT_EQ(bar.Position(), 0);
}

TEST(PageControl, HiddenTabsAreNotOfferedAndTheActivePageIsShown) {
    RecordingForm form;
    PageControl pages(form, {0, 0, 200, 100});
    TabSheet install(pages, "&Install");
    TabSheet uninstall(pages, "&Uninstall");
    TabSheet about(pages, "&About");
    EXPECT_EQ(pages.ActivePage(), &install);
    install.SetTabVisible(false);
    pages.SetActivePage(uninstall);
    EXPECT_EQ(pages.VisibleTabCaptions(), (std::vector<std::string>{"&Uninstall", "&About"}));
    EXPECT_EQ(TabCtrl_GetItemCount(pages.Handle()), 2);
    EXPECT_EQ(TabCtrl_GetCurSel(pages.Handle()), 0);
    EXPECT_TRUE(IsWindowVisible(uninstall.ContainerHandle()) || !form.Visible());
    EXPECT_TRUE(GetWindowLongPtrA(uninstall.ContainerHandle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongPtrA(install.ContainerHandle(), GWL_STYLE) & WS_VISIBLE);
}
