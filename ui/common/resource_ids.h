// The ids of the window's resources: the Win32 window loads them from the
// program file, and the resource generator (tools/resgen) writes the
// resource script that puts them there.
#pragma once

namespace romwise::ui::resource {

inline constexpr int kApplicationIcon = 128;
inline constexpr int kAboutIcon = 183;
// The left-hand picture (control 1028) and the decorative one below it.
inline constexpr int kDetailsBitmap = 196;
inline constexpr int kDecorativeBitmap = 189;
// The logo animation, a video clip for the animation control.
inline constexpr int kLogoClip = 179;
// The system menu's About item.
inline constexpr int kAboutCommandString = 101;

}  // namespace romwise::ui::resource
