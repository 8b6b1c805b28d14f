#pragma once
#include "toolkit/Layout.h"

namespace MainFormLayout {

inline constexpr FormLayout Form{"TMainForm", "MainForm", {251, 240, 429, 279}, FormBorder::Single, {}};

inline constexpr Bounds PageControl1{0, 0, 429, 279};
inline constexpr const char* TabSheet1 = "&Install";
inline constexpr const char* TabSheet2 = "&Uninstall";
inline constexpr const char* TabSheet3 = "&About";

inline constexpr FontSpec HeadingFont{"Arial", -23, true, false, RGB(0, 0, 0)};
inline constexpr FontSpec PackageFont{"Times New Roman", -32, true, true, RGB(255, 0, 0)};

// The greeting (Label4, Label5) and the package name (Label2, Label7) show values and keep their
// bounds; the other labels show fixed captions, which grow to be shown whole.
inline constexpr LabelSizing ValueSizing = LabelSizing::KeepBounds;
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
inline constexpr const char* WelcomeText = "Welcome To";
inline constexpr const char* PackageDesign = "Some Application";
inline constexpr const char* InstallUtilityText = "Install Utility";
inline constexpr const char* UninstallUtilityText = "Uninstall Utility";
inline constexpr const char* ContinueText = "&Continue";
inline constexpr const char* ExitText = "E&xit";
inline constexpr const char* UninstallText = "&Uninstall";

}  // namespace MainFormLayout
