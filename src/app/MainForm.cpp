#include "app/MainForm.h"

#include "app/AboutPicture.h"
#include "base/Texts.h"
#include "forms/MainFormLayout.h"
#include "toolkit/RowLayout.h"

using namespace MainFormLayout;

TMainForm::TMainForm()
    : Form(MainFormLayout::Form),
      PageControl1(*this, MainFormLayout::PageControl1),
      TabSheet1(PageControl1, Text(MainFormLayout::TabSheet1)),
      Label4(TabSheet1, MainFormLayout::Label4, GreetingDesign, LabelAlign::Center, &HeadingFont, ValueSizing),
      Label1(TabSheet1, MainFormLayout::Label1, Text(WelcomeText), LabelAlign::Center, &HeadingFont, CaptionSizing),
      Label2(TabSheet1, MainFormLayout::Label2, PackageDesign, LabelAlign::Center, &PackageFont, ValueSizing),
      Label3(TabSheet1, MainFormLayout::Label3, Text(InstallUtilityText), LabelAlign::Center, &HeadingFont, CaptionSizing),
      Button1(TabSheet1, MainFormLayout::Button1, Text(ContinueText), Bind<&TMainForm::Button1Click>(this)),
      Button2(TabSheet1, MainFormLayout::Button2, Text(ExitText), Bind<&TMainForm::Button2Click>(this)),
      TabSheet2(PageControl1, Text(MainFormLayout::TabSheet2)),
      Label5(TabSheet2, MainFormLayout::Label5, GreetingDesign, LabelAlign::Center, &HeadingFont, ValueSizing),
      Label6(TabSheet2, MainFormLayout::Label6, Text(WelcomeText), LabelAlign::Center, &HeadingFont, CaptionSizing),
      Label7(TabSheet2, MainFormLayout::Label7, PackageDesign, LabelAlign::Center, &PackageFont, ValueSizing),
      Label8(TabSheet2, MainFormLayout::Label8, Text(UninstallUtilityText), LabelAlign::Center, &HeadingFont, CaptionSizing),
      Button3(TabSheet2, MainFormLayout::Button3, Text(UninstallText), Bind<&TMainForm::Button3Click>(this)),
      Button4(TabSheet2, MainFormLayout::Button4, Text(ExitText), Bind<&TMainForm::Button4Click>(this)),
      TabSheet3(PageControl1, Text(MainFormLayout::TabSheet3)),
      Image1(TabSheet3, MainFormLayout::Image1, DrawAboutPicture()) {
    PageControl1.SetActivePage(TabSheet1);
    KeepRowApart({&Button1, &Button2});
    KeepRowApart({&Button3, &Button4});
    onDestroy_ = [](Form& form) { static_cast<TMainForm&>(form).FormDestroy(); };
}
