#include "ui/win32/artwork.h"

#include <commctrl.h>

#include "ui/common/resource_ids.h"

namespace romwise::ui::win32 {

HICON loadApplicationIcon(HINSTANCE instance, bool small) {
    const int size = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(resource::kApplicationIcon),
                                         IMAGE_ICON, size, size, LR_SHARED));
}

HBITMAP showBitmap(HWND picture, HINSTANCE instance, int resourceId) {
    RECT client;
    GetClientRect(picture, &client);
    auto* bitmap = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId),
                                                   IMAGE_BITMAP, client.right, client.bottom, 0));
    if (bitmap != nullptr) {
        SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
    return bitmap;
}

HWND startLogoAnimation(HWND area, HINSTANCE instance) {
    RECT client;
    GetClientRect(area, &client);
    // Centred, so that a font with other dialog units only moves the clip.
    HWND animation = CreateWindowExW(
        0, ANIMATE_CLASSW, L"", WS_CHILD | WS_VISIBLE | ACS_AUTOPLAY | ACS_CENTER, 0, 0,
        client.right, client.bottom, area,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(area))), instance, nullptr);
    if (animation == nullptr) {
        return nullptr;
    }
    if (SendMessageW(animation, ACM_OPENW, reinterpret_cast<WPARAM>(instance),
                     reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(resource::kLogoClip))) == 0) {
        DestroyWindow(animation);
        return nullptr;
    }
    return animation;
}

}  // namespace romwise::ui::win32
