#pragma once
#include "toolkit/Layout.h"

namespace NewFolderFormLayout {

inline constexpr FormLayout Form{"TNewFolderForm", "Create New Folder", {243, 242, 364, 44}, FormBorder::Dialog, {}};

inline constexpr Bounds Edit1{8, 10, 169, 24};
inline constexpr Bounds Button1{192, 8, 75, 25};
inline constexpr Bounds Button2{280, 8, 75, 25};

inline constexpr const char* CreateText = "&Create";
inline constexpr const char* DoneText = "&Done";

}  // namespace NewFolderFormLayout
