#include "app/ButtonIcon.h"

namespace qn {

UniqueImageList SetButtonIcon(HWND button, HICON icon, int marginLeft, int marginTop) {
    UniqueImageList list{::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1)};
    if (!list) return list;
    ::ImageList_AddIcon(list.get(), icon);
    BUTTON_IMAGELIST image{};
    image.himl = list.get();
    image.margin = RECT{marginLeft, marginTop, 0, 0};
    image.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
    // Without version 6 of the common controls the message has no effect; nothing to report.
    ::SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image));
    return list;
}

}  // namespace qn
