// What screen readers and the clipboard get from the real window: the names of values and
// lists, and the file lists' rows as text.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <oleacc.h>
#include <gtest/gtest.h>

#include <string>

#include "UserInput.h"
#include "support/FormDriver.h"
#include "support/TestSupport.h"

using namespace qn;
using namespace qn::test;

namespace {

struct OleSession {
    OleSession() { EXPECT_TRUE(SUCCEEDED(::OleInitialize(nullptr))); }
    ~OleSession() { ::OleUninitialize(); }
};

// The name a screen reader reads for `control`, asked as a screen reader asks.
std::wstring AccessibleName(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&object))) || !object) {
        return L"(no accessible object)";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring result = L"(no name)";
    if (SUCCEEDED(object->get_accName(self, &name)) && name) result.assign(name, ::SysStringLen(name));
    ::SysFreeString(name);
    object->Release();
    return result;
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return L"(clipboard not opened)";
    if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

std::wstring AsText(const std::vector<Row>& rows) {
    // The registration column is empty until a check ran.
    std::wstring text = L"Dateiname\tDateiversion\tPfad\tRegistration\r\n";
    for (const Row& row : rows) text += row.name + L"\t" + row.version + L"\t" + row.path + L"\t\r\n";
    return text;
}

void Select(HWND list, int item) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
}

}  // namespace

TEST(ScreenReader, ValuesListsAndProgressBarsAreNamedByTheirCaptions) {
    OleSession ole;
    FormDriver window;
    EXPECT_EQ(AccessibleName(window.control(Ctl::lvwMDACFiles)), L"Available MDAC System files:");
    EXPECT_EQ(AccessibleName(window.control(Ctl::Label8)), L"According Windows Registry installed MDAC Version:");
    EXPECT_EQ(AccessibleName(window.control(Ctl::ProgressBar1)), L"Re-register MDAC");
    // A control without a caption keeps its own text as its name.
    EXPECT_EQ(AccessibleName(window.control(Ctl::Label7)), window.Text(Ctl::Label7));
    window.ChooseTab(1);
    EXPECT_EQ(AccessibleName(window.control(Ctl::lvwJetFiles)), L"Available Jet 4.0 System Files:");
    EXPECT_EQ(AccessibleName(window.control(Ctl::ProgressBar3)), L"Re-register MS Jet 4.0");
    window.ChooseTab(2);
    EXPECT_EQ(AccessibleName(window.control(Ctl::Label2)), L"Windows version:");
    EXPECT_EQ(AccessibleName(window.control(Ctl::Label27)), L"HTML Help Directory:");
}

TEST(FileListKeys, CtrlCCopiesTheSelectedRowsOrAllAsTabSeparatedText) {
    FormDriver window;
    const HWND list = window.control(Ctl::lvwMDACFiles);
    const std::vector<Row> rows = window.Rows(Ctl::lvwMDACFiles);
    ASSERT_EQ(rows.size(), 28u);
    ::SetFocus(list);
    PressKeys(window.form(), {VK_CONTROL, 'C'});
    EXPECT_EQ(ClipboardText(), AsText(rows)) << "nothing selected: every row";

    Select(list, 2);
    Select(list, 5);
    PressKeys(window.form(), {VK_CONTROL, 'C'});
    EXPECT_EQ(ClipboardText(), AsText({rows[2], rows[5]}));

    // Sorted by version, the rows go to the clipboard as the list shows them.
    window.ClickColumn(Ctl::lvwMDACFiles, 1);
    const std::vector<Row> sorted = window.Rows(Ctl::lvwMDACFiles);
    PressKeys(window.form(), {VK_CONTROL, 'A'});
    EXPECT_EQ(::SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 28);
    PressKeys(window.form(), {VK_CONTROL, 'C'});
    EXPECT_EQ(ClipboardText(), AsText(sorted));
}
