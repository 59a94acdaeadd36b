// The report from the window: copied to the clipboard or saved, through the system menu.
#include <windows.h>

#include "app/TextReport.h"
#include "app/WindowMessages.h"
#include "app/frmQNRepair.h"
#include "platform/AtomicFile.h"
#include "platform/Clipboard.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "platform/SystemMessage.h"
#include "platform/Utf8.h"
#include "resources/resource.h"

namespace qn {

namespace {

// QNRepair-<computer>-<yyyy-mm-dd>.txt, the date of today where the user is.
std::wstring SuggestedFileName() {
    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    return std::wstring(kProgramName) + L"-" + ComputerName() + L"-" + DateText(today) + L".txt";
}

}  // namespace

void frmQNRepair::AddSystemMenuItems() {
    const HMENU menu = ::GetSystemMenu(hwnd_, FALSE);
    if (!menu) return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, kSysCmdCopyReport, LoadResString(IDS_MENU_COPY_REPORT).c_str());
    ::AppendMenuW(menu, MF_STRING, kSysCmdSaveReport, LoadResString(IDS_MENU_SAVE_REPORT).c_str());
    ::AppendMenuW(menu, MF_STRING, kSysCmdCheckRegistrations, LoadResString(IDS_CHECK_MENU).c_str());
}

bool frmQNRepair::OnSysCommand(UINT command) {
    switch (command) {
        case kSysCmdCopyReport: OnCopyReport(); return true;
        case kSysCmdSaveReport: OnSaveReport(); return true;
        case kSysCmdCheckRegistrations: OnCheckRegistrations(); return true;
        default: return false;
    }
}

std::wstring frmQNRepair::CurrentReportText() const {
    Report report = MakeReport(state_.sSystemDir, services_.queryOsVersion(), state_.repairs);
    report.registrations = registrationChecks_;
    return ReportText(report);
}

void frmQNRepair::OnCopyReport() { PutTextOnClipboard(hwnd_, CurrentReportText()); }

void frmQNRepair::OnSaveReport() {
    const std::optional<std::wstring> file = services_.chooseReportFile(hwnd_, SuggestedFileName());
    if (!file) return;
    const DWORD error = WriteFileAtomically(*file, kUtf8ByteOrderMark + ToUtf8(CurrentReportText()));
    if (error == ERROR_SUCCESS) return;
    const std::wstring text = LoadResString(IDS_REPORT_NOT_SAVED) + L"\r\n\r\n" + *file + L"\r\n" + SystemMessage(error);
    ::MessageBoxW(hwnd_, text.c_str(), kProgramName, MB_OK | MB_ICONWARNING);
}

}  // namespace qn
