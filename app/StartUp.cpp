// What happens between the creation of the window and its first appearance.
#include <windows.h>
#include <commctrl.h>

#include "app/frmQNRepair.h"
#include "platform/Registry.h"
#include "platform/Strings.h"
#include "resources/resource.h"

namespace qn {

void frmQNRepair::Load() {
    // The font follows the icon-title font from the first control on (Create), and a page's
    // controls are created when the page is first shown: the button icons and list styles go
    // onto each control as it is created (CreateControl).
    WCHAR systemDir[261] = {};
    ::GetSystemDirectoryW(systemDir, 260);
    state_.sSystemDir = systemDir;  // up to the first NUL

    state_.lWinVersion = windowsVersion_.GetWindowsVersion();

    DetectQuillnest();

    SetText(Ctl::cmdQuit, LoadResString(IDS_EXIT));
    SetText(Ctl::cmdAbout, LoadResString(IDS_ABOUT));

    AddSystemMenuItems();

    SetTabCaption(2, LoadResString(IDS_TAB_WINDOWS));
    SetTabCaption(3, LoadResString(IDS_TAB_COMPONENTS));

    // picComponents stays as it is: picMDAC covers it.
    CreateControls(Ctl::picMDAC);
    SetVisible(Ctl::picMDAC, true);
    BringToFront(Ctl::picMDAC);
    SetVisible(Ctl::picJET, false);
    SetVisible(Ctl::picWindows, false);

    FillMDACPage();
}

bool IsTahoma(const LOGFONTW& iconTitleFont) {
    // Only the first six characters count, exactly: "Tahoma Bold" counts, "tahoma" does not.
    return std::wstring(iconTitleFont.lfFaceName, 6) == L"Tahoma";
}

void frmQNRepair::ChooseFontFace() {
    LOGFONTW iconTitle{};
    // On failure the record stays zeroed, the face name is empty and the design face stays.
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(iconTitle), &iconTitle, 0);
    faceName_ = IsTahoma(iconTitle) ? L"Tahoma" : kDesignFace;
}

void frmQNRepair::DetectQuillnest() {
    cRegistry registry;
    registry.ClassKey(kHKeyClassesRoot);
    registry.SectionKey(L".qna");
    if (registry.KeyExists()) {
        state_.bQuillnestInstalled = true;
        ::SetWindowTextW(hwnd_, LoadResString(IDS_CAPTION_INSTALLED).c_str());
        SetVisible(Ctl::lblQNAd, false);
        SetVisible(Ctl::lblQNAdLink, false);
    } else {
        ::SetWindowTextW(hwnd_, LoadResString(IDS_CAPTION_NOT_INSTALLED).c_str());
        SetText(Ctl::lblQNAd, LoadResString(IDS_AD_LINE));
        SetText(Ctl::lblQNAdLink, LoadResString(IDS_AD_DOWNLOAD));
    }
}

void frmQNRepair::SetRepairButtonIcon(Ctl button) {
    UniqueIcon icon{static_cast<HICON>(::LoadImageW(instance_, L"ICON_REPAIR_16", IMAGE_ICON, 16, 16, 0))};
    if (!icon) return;
    // The image list holds its own copy of the icon and lives as long as the window.
    buttonImages_.push_back(SetButtonIcon(Control(button), icon.get(), 1, 1));
}

}  // namespace qn
