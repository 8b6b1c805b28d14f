#pragma once
#include "base/TextId.h"
#include "toolkit/Layout.h"

namespace MainFormLayout {

inline constexpr FormLayout Form{"TMainForm", "MainForm", {251, 240, 429, 279}, FormBorder::Single, {}};

inline constexpr Bounds PageControl1{0, 0, 429, 279};
inline constexpr TextId TabSheet1 = TextId::TabInstall;
inline constexpr TextId TabSheet2 = TextId::TabUninstall;
inline constexpr TextId TabSheet3 = TextId::TabAbout;

inline constexpr FontSpec HeadingFont{"Arial", -23, true, false, RGB(0, 0, 0)};
inline constexpr FontSpec PackageFont{"Times New Roman", -32, true, true, RGB(255, 0, 0)};

// The greeting (Label4, Label5) and the package name (Label2, Label7) show values and keep their
// width, a longer value wrapping; the other labels show fixed captions, which grow to be shown whole.
inline constexpr LabelSizing ValueSizing = LabelSizing::KeepWidth;
inline constexpr LabelSizing CaptionSizing = LabelSizing::GrowToCaption;
// Install page
inline constexpr Bounds Label4{24, 8, 377, 29};
inline constexpr Bounds Label1{24, 56, 377, 29};
inline constexpr Bounds Label2{24, 104, 377, 37};
inline constexpr Bounds Label3{24, 152, 377, 29};
inline constexpr Bounds Button1{112, 208, 75, 25};
inline constexpr Bounds Button2{232, 208, 75, 25};
// Uninstall page
inline constexpr Bounds Label5{24, 8, 377, 29};
inline constexpr Bounds Label6{24, 56, 377, 29};
inline constexpr Bounds Label7{24, 104, 377, 36};
inline constexpr Bounds Label8{24, 152, 377, 29};
inline constexpr Bounds Button3{112, 208, 75, 25};
inline constexpr Bounds Button4{232, 208, 75, 25};
// About page
inline constexpr Bounds Image1{18, 23, 382, 182};

inline constexpr const char* GreetingDesign = "Hi Some Person";
inline constexpr TextId WelcomeText = TextId::WelcomeTo;
inline constexpr const char* PackageDesign = "Some Application";
inline constexpr TextId InstallUtilityText = TextId::InstallUtility;
inline constexpr TextId UninstallUtilityText = TextId::UninstallUtility;
inline constexpr TextId ContinueText = TextId::MainContinue;
inline constexpr TextId ExitText = TextId::MainExit;
inline constexpr TextId UninstallText = TextId::MainUninstall;

}  // namespace MainFormLayout
