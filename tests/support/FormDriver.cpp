#include "support/FormDriver.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace qn::test {

namespace {
// The window's own default would start the test program as capture host.
FormServices WithProgramAsCaptureHost(FormServices services) {
    if (services.captureHost.empty()) services.captureHost = ProgramPath();
    return services;
}
}  // namespace

FormDriver::FormDriver(FormServices services)
    : form_(std::make_unique<frmQNRepair>(::GetModuleHandleW(nullptr), WithProgramAsCaptureHost(std::move(services)))) {
    if (!form_->Create(SW_SHOWNORMAL)) ADD_FAILURE() << "window could not be created";
    Pump();
}

FormDriver::~FormDriver() {
    form_.reset();
    PumpMessages();
}

std::wstring FormDriver::Caption() const {
    WCHAR text[512] = {};
    ::GetWindowTextW(hwnd(), text, 512);
    return text;
}

std::wstring FormDriver::Text(Ctl id) const {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(control(id))) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(control(id), text.data(), static_cast<int>(text.size()))));
    return text;
}

bool FormDriver::Visible(Ctl id) const { return (::GetWindowLongPtrW(control(id), GWL_STYLE) & WS_VISIBLE) != 0; }

RECT FormDriver::RectInParent(Ctl id) const {
    RECT r{};
    ::GetWindowRect(control(id), &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control(id)), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<std::wstring> FormDriver::Column(Ctl listView, int column) const {
    const HWND list = control(listView);
    const auto count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<std::wstring> cells;
    for (int i = 0; i < count; ++i) {
        WCHAR buffer[1024] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = 1024;
        ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        cells.push_back(buffer);
    }
    return cells;
}

std::vector<Row> FormDriver::Rows(Ctl listView) const {
    const std::vector<std::wstring> names = Column(listView, 0);
    const std::vector<std::wstring> versions = Column(listView, 1);
    const std::vector<std::wstring> paths = Column(listView, 2);
    std::vector<Row> rows;
    for (size_t i = 0; i < names.size(); ++i) rows.push_back({names[i], versions[i], paths[i]});
    return rows;
}

std::wstring FormDriver::TabCaption(int index) const {
    WCHAR buffer[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 256;
    ::SendMessageW(control(Ctl::TabStrip1), TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

std::wstring FormDriver::FontFace(Ctl id) const {
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control(id), WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font.lfFaceName;
}

bool FormDriver::Underlined(Ctl id) const {
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control(id), WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font.lfUnderline != 0;
}

void FormDriver::Click(Ctl id) {
    const HWND target = control(id);
    wchar_t className[32] = {};
    ::GetClassNameW(target, className, 32);
    if (std::wstring(className) == L"Button") {
        ::SendMessageW(target, BM_CLICK, 0, 0);
    } else {
        // A static control with SS_NOTIFY reports a click to its parent as STN_CLICKED.
        ::SendMessageW(::GetParent(target), WM_COMMAND,
                       MAKEWPARAM(::GetDlgCtrlID(target), STN_CLICKED), reinterpret_cast<LPARAM>(target));
    }
}

void FormDriver::ChooseTab(int index) {
    ::SendMessageW(control(Ctl::TabStrip1), TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
}

void FormDriver::ShowEveryPage() {
    for (const int tab : {1, 2, 3, 0}) ChooseTab(tab);
}

void FormDriver::ClickTab(int index) {
    const HWND tabs = control(Ctl::TabStrip1);
    RECT item{};
    ::SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(tabs, WM_LBUTTONUP, 0, at);
}

void FormDriver::ClickColumn(Ctl listView, int column) {
    // Through the real header control, which tells the list view, which tells the window.
    const auto header = reinterpret_cast<HWND>(::SendMessageW(control(listView), LVM_GETHEADER, 0, 0));
    RECT item{};
    ::SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(header, WM_LBUTTONUP, 0, at);
}

void FormDriver::MoveMouseOver(Ctl id) { ::SendMessageW(control(id), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1)); }

void FormDriver::MoveMouseOverWindowSurface() { ::SendMessageW(hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2)); }

void FormDriver::Pump() { PumpMessages(); }

bool FormDriver::PumpUntil(const std::function<bool()>& done, const char* what) {
    return qn::test::PumpUntil(done, what);
}

}  // namespace qn::test
