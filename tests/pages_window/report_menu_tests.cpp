// "Copy report" and "Save report…" in the system menu of the real window.
#include <windows.h>
#include <gtest/gtest.h>

#include "RepairHelpers.h"
#include "ReportHelpers.h"
#include "app/WindowMessages.h"
#include "platform/Strings.h"
#include "report/Report.h"
#include "resources/resource.h"

using namespace qn;
using namespace qn::test;

namespace {

std::wstring MenuText(HMENU menu, UINT id) {
    WCHAR text[128] = {};
    ::GetMenuStringW(menu, id, text, 128, MF_BYCOMMAND);
    return text;
}

void ChooseSystemCommand(FormDriver& window, UINT id) {
    ::SendMessageW(window.hwnd(), WM_SYSCOMMAND, id, 0);
    window.Pump();
}

}  // namespace

TEST(ReportMenu, CopyPutsTheFreshReportWithTheRepairsOnTheClipboard) {
    const FixtureMachine machine;
    FormDriver window;
    const HMENU menu = ::GetSystemMenu(window.hwnd(), FALSE);
    EXPECT_EQ(MenuText(menu, kSysCmdCopyReport), L"Copy report");
    EXPECT_EQ(MenuText(menu, kSysCmdSaveReport), L"Save report\u2026");

    ChooseSystemCommand(window, kSysCmdCopyReport);
    const std::wstring before = ClipboardText();
    ExpectInOrder(before, {L"QNRepair 1.10.0043", L"MSADO15.DLL", L"Windows Settings", L"Other Components"});
    EXPECT_FALSE(Contains(before, L"Repairs since the program started"));

    // Computed afresh, not read from the pages: the Jet page was never shown.
    window.ChooseTab(1);
    window.Pump();
    ClickAndConfirm(window, Ctl::Command3);  // the refused server leaves a warning
    ChooseSystemCommand(window, kSysCmdCopyReport);
    ExpectInOrder(ClipboardText(),
                  {L"Repairs since the program started", L"Re-register MS Jet 4.0", L"msjet40.dll", L"registered",
                   L"msjtes40.dll", L"0x80070005"});
}

TEST(ReportMenu, SaveWritesUtf8WithByteOrderMarkUnderTheSuggestedName) {
    const FixtureMachine machine;
    TempDir dir;
    std::wstring suggested;
    std::optional<std::wstring> answer = dir.path() + L"\\chosen.txt";
    FormServices services;
    services.chooseReportFile = [&](HWND, const std::wstring& name) {
        suggested = name;
        return answer;
    };
    FormDriver window(services);
    ChooseSystemCommand(window, kSysCmdSaveReport);

    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    WCHAR date[16];
    ::wsprintfW(date, L"%04u-%02u-%02u", today.wYear, today.wMonth, today.wDay);
    EXPECT_EQ(suggested, L"QNRepair-" + ComputerName() + L"-" + date + L".txt");
    const std::string bytes = ReadBytes(*answer);
    ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    const std::wstring text = FromUtf8(bytes.substr(3));
    EXPECT_EQ(text.rfind(L"QNRepair 1.10.0043\r\n", 0), 0u);
    if (!machine.foreignTemp().empty()) {
        EXPECT_TRUE(Contains(text, machine.foreignTemp()));
    }

    // Cancelled: nothing written. Unwritable: a warning, and no file.
    answer = std::nullopt;
    ChooseSystemCommand(window, kSysCmdSaveReport);
    answer = dir.path() + L"\\missing folder\\r.txt";
    MessageBoxWatcher watcher;
    ChooseSystemCommand(window, kSysCmdSaveReport);
    const std::vector<SeenMessageBox> boxes = watcher.Stop();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(Contains(boxes[0].text, L"The report could not be saved."));
    EXPECT_TRUE(Contains(boxes[0].text, *answer));
    EXPECT_EQ(::GetFileAttributesW(answer->c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ReportMenu, GermanMenuItems) {
    FormDriver window;
    const HMENU menu = ::GetSystemMenu(window.hwnd(), FALSE);
    EXPECT_EQ(MenuText(menu, kSysCmdCopyReport), L"Bericht kopieren");
    EXPECT_EQ(MenuText(menu, kSysCmdSaveReport), L"Bericht speichern\u2026");
}
