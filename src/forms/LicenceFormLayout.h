#pragma once
#include "base/TextId.h"
#include "toolkit/Layout.h"

namespace LicenceFormLayout {

inline constexpr FormLayout Form{"TLicenceForm", "LicenceForm", {118, 48, 638, 478}, FormBorder::SingleNoMenu, {}};

inline constexpr Bounds Memo1{0, 0, 638, 385};
inline constexpr FontSpec MemoFont{"Fixedsys", -12, false, false, RGB(0, 0, 0)};
inline constexpr Bounds Label1{155, 400, 328, 24};
inline constexpr LabelSizing Label1Sizing = LabelSizing::GrowToCaption;
inline constexpr FontSpec LabelFont{"MS Sans Serif", -19, false, false, RGB(0, 0, 0)};
inline constexpr Bounds Button1{205, 440, 75, 25};
inline constexpr Bounds Button2{357, 440, 75, 25};

inline constexpr const char* MemoPlaceholder = "Memo1";
inline constexpr TextId AgreeNotice = TextId::LicenceMustAgree;
inline constexpr TextId AgreeText = TextId::LicenceAgree;
inline constexpr TextId ExitText = TextId::LicenceExit;

}  // namespace LicenceFormLayout
