#pragma once
#include "forms/ProgressWindowLayout.h"

namespace ProgressFormLayout {

// Where the dialogs open: centred where its twin, the uninstall progress window, is centred.
inline constexpr FormLayout Form{"TProgressForm", "", {226, 210, 381, 139}, FormBorder::Dialog, {}};

inline constexpr Bounds IProgramName{24, 16, 329, 11};
// The phase names the package: a longer text than the layout's widens the window.
inline constexpr LabelSizing IProgramNameSizing = LabelSizing::GrowToCaption;
inline constexpr Bounds ICurrentFile{24, 29, 3, 11};
inline constexpr LabelSizing ICurrentFileSizing = LabelSizing::FitText;
inline constexpr Bounds ProgressBar1{24, 56, 329, 17};
inline constexpr int ProgressBar1Step = 3;
inline constexpr Bounds Button1{157, 107, 75, 25};
inline constexpr Bounds TotalProgress{24, 80, 329, 17};
// Where the file at hand was shown: the tick box that starts the program once the install has ended.
inline constexpr Bounds StartProgram{24, 33, 60, 17};

inline constexpr const char* ProgramNameDesign = "Copying Program Name Support Files:";

inline constexpr ProgressWindowLayout Window{
    Form, TextId::InstallProgressCaption, ProgramNameDesign, IProgramName, IProgramNameSizing, ICurrentFile, ICurrentFileSizing,
    ProgressBar1, ProgressBar1Step, Button1, TextId::ProgressCancel, &TotalProgress};

}  // namespace ProgressFormLayout
