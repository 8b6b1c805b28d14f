#pragma once
#include "base/TextId.h"
#include "toolkit/Layout.h"

namespace NewFolderFormLayout {

inline constexpr FormLayout Form{"TNewFolderForm", "", {243, 242, 364, 44}, FormBorder::Dialog, {}};

inline constexpr Bounds Edit1{8, 10, 169, 24};
inline constexpr Bounds Button1{192, 8, 75, 25};
inline constexpr Bounds Button2{280, 8, 75, 25};

inline constexpr TextId Caption = TextId::NewFolderCaption;
inline constexpr TextId CreateText = TextId::NewFolderCreate;
inline constexpr TextId DoneText = TextId::NewFolderDone;

}  // namespace NewFolderFormLayout
