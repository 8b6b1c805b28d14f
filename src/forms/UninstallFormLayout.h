#pragma once
#include "forms/ProgressWindowLayout.h"

namespace UninstallFormLayout {

inline constexpr FormLayout Form{"TUninstallForm", "", {226, 221, 381, 117}, FormBorder::Dialog, {}};

inline constexpr Bounds UProgramName{24, 16, 329, 11};
// The phase names the package: a longer text than the layout's widens the window.
inline constexpr LabelSizing UProgramNameSizing = LabelSizing::GrowToCaption;
inline constexpr Bounds UCurrentFile{24, 31, 3, 11};
inline constexpr LabelSizing UCurrentFileSizing = LabelSizing::FitText;
inline constexpr Bounds ProgressBar1{24, 56, 329, 17};
inline constexpr int ProgressBar1Step = 10;
inline constexpr Bounds Button1{157, 83, 75, 25};

inline constexpr const char* ProgramNameDesign = "Deleting Program Name Support Files:";

// No bar of the whole run: the uninstall is one phase after another on one bar.
inline constexpr ProgressWindowLayout Window{
    Form, TextId::UninstallProgressCaption, ProgramNameDesign, UProgramName, UProgramNameSizing, UCurrentFile, UCurrentFileSizing,
    ProgressBar1, ProgressBar1Step, Button1, TextId::ProgressCancel, nullptr};

}  // namespace UninstallFormLayout
