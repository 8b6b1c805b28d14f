#pragma once
#include "base/TextId.h"
#include "toolkit/Layout.h"

namespace InstallFormLayout {

inline constexpr FormLayout Form{"TInstallForm", "", {237, 231, 381, 86}, FormBorder::Dialog, {}};

inline constexpr Bounds Label1{8, 14, 34, 10};
inline constexpr LabelSizing Label1Sizing = LabelSizing::GrowToCaption;
inline constexpr Bounds Edit1{56, 10, 233, 21};
inline constexpr Bounds Button1{296, 8, 75, 25};
inline constexpr Bounds Button2{89, 48, 75, 25};
inline constexpr Bounds Button3{214, 48, 75, 25};

inline constexpr TextId Caption = TextId::DestinationCaption;
inline constexpr TextId InstallToText = TextId::InstallTo;
inline constexpr TextId ChangeFolderText = TextId::DestinationChangeFolder;
inline constexpr TextId InstallText = TextId::DestinationInstall;
inline constexpr TextId ExitText = TextId::DestinationExit;

}  // namespace InstallFormLayout
