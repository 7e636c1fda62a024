// The dialog fonts and the free faces that stand in for them.
#pragma once

#include <QFont>

namespace romwise::ui {

// The main dialog's face, by its Chinese and its Latin name.
inline constexpr char kSongFaceName[] = "宋体";
inline constexpr char kSongFaceLatinName[] = "SimSun";
// A Song face from Debian's fonts-arphic-uming with SimSun's metrics class.
inline constexpr char kSongFaceStandIn[] = "AR PL UMing CN";
inline constexpr char kSansFaceName[] = "MS Sans Serif";

// Maps the dialog faces to installed free faces, so the layout never
// depends on whatever fallback the font configuration would pick.
void installFontSubstitutions();

// A font by face name and point size, with the substitutions applied.
QFont dialogFont(const char* faceName, int pointSize);

}  // namespace romwise::ui
