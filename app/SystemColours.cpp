// The window's colours: the system's, so that a high-contrast theme reaches every control.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "app/ControlBehaviour.h"

namespace qn {

namespace {

// The link colour of the layout, for a system whose link colour cannot be read on the face
// colour (Wine's light theme gives a light grey there).
constexpr COLORREF kDesignedLinkBlue = RGB(0, 0, 255);
// Below this contrast ratio text on a background is hard to read (WCAG's minimum for large
// text and for the parts of a control).
constexpr double kReadableContrast = 3.0;

double Linear(BYTE channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(COLORREF colour) {
    return 0.2126 * Linear(GetRValue(colour)) + 0.7152 * Linear(GetGValue(colour)) + 0.0722 * Linear(GetBValue(colour));
}

bool Readable(COLORREF text, COLORREF background) {
    const double a = Luminance(text);
    const double b = Luminance(background);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05) >= kReadableContrast;
}

}  // namespace

COLORREF LinkColour(COLORREF hotlight, COLORREF face, COLORREF text, bool highContrast) {
    if (highContrast || Readable(hotlight, face)) return hotlight;
    return Readable(kDesignedLinkBlue, face) ? kDesignedLinkBlue : text;
}

COLORREF SystemLinkColour() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    const bool highContrast = ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
                              (contrast.dwFlags & HCF_HIGHCONTRASTON);
    return LinkColour(::GetSysColor(COLOR_HOTLIGHT), ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNTEXT),
                      highContrast);
}

void ApplyListColours(HWND list) {
    ::SendMessageW(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(::GetSysColor(COLOR_WINDOW)));
    ::SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(::GetSysColor(COLOR_WINDOW)));
    ::SendMessageW(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(::GetSysColor(COLOR_WINDOWTEXT)));
}

}  // namespace qn
