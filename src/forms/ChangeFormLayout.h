#pragma once
#include "base/TextId.h"
#include "toolkit/Layout.h"

namespace ChangeFormLayout {

inline constexpr FormLayout Form{"TChangeForm", "", {233, 146, 360, 234}, FormBorder::Dialog, {}};

inline constexpr Bounds Lable1{16, 8, 56, 11};
inline constexpr LabelSizing Lable1Sizing = LabelSizing::GrowToCaption;
// The folder shown: sized to its path, which is shortened beyond the list's right edge.
inline constexpr Bounds Label2{96, 8, 102, 11};
inline constexpr LabelSizing Label2Sizing = LabelSizing::FitText;
inline constexpr Bounds DriveComboBox1{16, 32, 329, 19};
inline constexpr FontSpec DriveFont{"MS Sans Serif", -12, false, false, RGB(0, 0, 0)};
inline constexpr Bounds DirectoryListBox1{16, 52, 329, 137};
inline constexpr int DirectoryItemHeight = 16;
inline constexpr Bounds Button1{78, 200, 75, 25};
inline constexpr Bounds Button2{206, 200, 75, 25};

inline constexpr TextId Caption = TextId::ChooserCaption;
inline constexpr TextId CurrentFolderText = TextId::CurrentFolder;
inline constexpr TextId OkText = TextId::ChooserOk;
inline constexpr TextId CancelText = TextId::ChooserCancel;
inline constexpr TextId NewFolderText = TextId::ChooserNewFolder;

}  // namespace ChangeFormLayout
