// The window's artwork from the program's resources (written by
// tools/resgen at build time): icons, the two pictures, the logo animation.
#pragma once

#include <windows.h>

namespace romwise::ui::win32 {

// The application icon at the system's large or small icon size.
HICON loadApplicationIcon(HINSTANCE instance, bool small);

// A bitmap resource stretched to the client area of `picture`, shown there.
// Returns the bitmap, which the caller deletes once the control is gone.
HBITMAP showBitmap(HWND picture, HINSTANCE instance, int resourceId);

// An animation control filling the client area of `area`, as its child with
// the same id, playing the logo clip from the start over and over. Returns
// the control, or nullptr when it could not be made or the clip not opened.
HWND startLogoAnimation(HWND area, HINSTANCE instance);

}  // namespace romwise::ui::win32
