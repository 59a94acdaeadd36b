// The window's controls as designed: one row per control, positions in twips.
#pragma once

#include <windows.h>

#include <cstddef>

namespace qn {

// Every control of the window, by the name the rest of the program knows it under.
enum class Ctl : int {
    None = -1,
    cmdQuit, cmdAbout, lblQNAd, lblQNAdLink,
    picMDAC, picWindows, picComponents, picJET,
    // MDAC page
    Label8, Label7, Label21, Label19, Label22, lvwMDACFiles, Command1, Label11, ProgressBar1,
    // Jet 4.0 page
    Label24, Label25, Label10, Label23, Label9, Command3, lvwJetFiles, ProgressBar3,
    // Windows settings page
    Frame1, Label1, Label2, Label3, Label4, Label6, Label5, Label14, Label13,
    Frame2, Label28, Label29, Label31, Label30, Label33, Label32, Label26, Label27,
    // Other components page
    Frame3, Label18, Label17, Label15, Label16, Label35, Label34, Label37, Label36, Label39, Label38,
    TabStrip1,
    Count
};

inline constexpr size_t kControlCount = static_cast<size_t>(Ctl::Count);

enum class Kind { Page, TabStrip, Button, Label, LinkLabel, Frame, ListView, ProgressBar };

struct ControlLayout {
    Ctl id;
    const wchar_t* name;
    Kind kind;
    Ctl container;            // Ctl::None: the window itself
    int left, top, width, height;  // twips, relative to the container's client area
    const wchar_t* designText;
    bool visible;
    int tabIndex;             // -1: not a tab stop
};

// The rows in creation order; a control's index is its Ctl value.
const ControlLayout& LayoutOf(Ctl id);

// The window's font as designed: 8 point; the face may become Tahoma at start-up.
inline constexpr int kFontPoints = 8;
inline constexpr wchar_t kDesignFace[] = L"MS Sans Serif";
// Labels laid out taller than this hold two lines and wrap; the others keep one line.
inline constexpr int kSingleLineTwips = 255;

// Client area of the window, in twips.
inline constexpr int kClientWidthTwips = 7980;
inline constexpr int kClientHeightTwips = 5535;

// Twips to pixels at `dpi` (15 twips are one pixel at 96 DPI).
inline int TwipsToPixels(int twips, UINT dpi) { return ::MulDiv(twips, static_cast<int>(dpi), 1440); }

// The control's rectangle in its window parent's client coordinates, in twips: a frame does
// not parent its controls (group boxes do not pass on notifications), so their offsets add up.
RECT ParentRectTwips(Ctl id);

// The window parent of a control: the page it lies on, or Ctl::None for the window.
Ctl WindowParent(Ctl id);

// Columns of the two file lists: design header text and widths in twips; the registration
// column's header is set in the user's language when its list is created. The designed width is
// the least a column gets: a column grows to its widest text and header, up to its most (when it
// has one; the label tip shows the rest of a longer text), and the one that fills the rest takes
// whatever width of the list the others leave.
struct ColumnLayout {
    const wchar_t* key;
    const wchar_t* header;
    int widthTwips;
    bool fillsRest = false;
    int mostTwips = 0;  // 0: no limit
};
inline constexpr ColumnLayout kFileListColumns[] = {
    {L"FILENAME", L"Dateiname", 1000},
    {L"FILEVERSION", L"Dateiversion", 900},
    // The path gives up width to the registration column, which shows nothing until a check ran.
    {L"FILEPATH", L"Pfad", 3200, true},
    {L"REGISTRATION", L"Registrierung", 1300, false, 3600},
};
inline constexpr int kRegistrationColumn = 3;

// The control whose text names `id` for screen readers (a value's caption, a list's heading, a
// progress bar's action), or Ctl::None when the control's own text is its name.
Ctl CaptionOf(Ctl id);

// Tabs of TabStrip1 with their design captions; tabs 3 and 4 are localised at start-up.
inline constexpr const wchar_t* kTabDesignCaptions[] = {
    L"MDAC", L"JET", L"Windows-Einstellungen", L"Weitere Komponenten"};
inline constexpr Ctl kTabPages[] = {Ctl::picMDAC, Ctl::picJET, Ctl::picWindows, Ctl::picComponents};

}  // namespace qn
