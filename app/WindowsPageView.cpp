// The Windows settings page: what the analysis found, in the design's texts on the controls.
#include "analysis/WindowsPage.h"
#include "app/frmQNRepair.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "report/FindingTexts.h"
#include "resources/resource.h"

namespace qn {

void frmQNRepair::FillWindowsPage() {
    // The version code is the one recorded at start-up; the name also needs the true numbers.
    auto analyse = [version = state_.lWinVersion, os = services_.queryOsVersion()] {
        return AnalyseWindows(version, os);
    };
    Apply(AnalyseCreatingControls(Ctl::picWindows, analyse));
}

void frmQNRepair::Apply(const WindowsFindings& found) {
    const std::pair<Ctl, std::wstring> texts[] = {
        {Ctl::Label1, LoadResString(IDS_WINDOWS_VERSION)},
        {Ctl::Label2, TextOrNotAvailable(found.name)},
        {Ctl::Label3, LoadResString(IDS_USER_LANGUAGE)},
        {Ctl::Label4, UnsignedText(found.userLanguage)},
        {Ctl::Label6, LoadResString(IDS_ANSI_CODEPAGE)},
        {Ctl::Label5, UnsignedText(found.ansiCodePage)},
        {Ctl::Frame1, LoadResString(IDS_WINDOWS_SETTINGS_FRAME)},
        {Ctl::Label14, LoadResString(IDS_IE_VERSION)},
        {Ctl::Label13, ShownVersionText(found.internetExplorerVersion)},
        {Ctl::Frame2, LoadResString(IDS_FOLDER_FRAME)},
        {Ctl::Label28, LoadResString(IDS_MY_DOCUMENTS)},
        {Ctl::Label29, FolderText(found.folders.documents)},
        {Ctl::Label31, LoadResString(IDS_APPLICATION_DATA)},
        {Ctl::Label30, FolderText(found.folders.appData)},
        {Ctl::Label33, LoadResString(IDS_TEMPORARY_FILES)},
        {Ctl::Label32, FolderText(found.folders.temp)},
        {Ctl::Label26, LoadResString(IDS_HTML_HELP)},
        {Ctl::Label27, FolderText(found.folders.htmlHelp)},
    };
    for (const auto& [control, text] : texts) SetText(control, text);
}

}  // namespace qn
