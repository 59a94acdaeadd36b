// The Windows settings page: its analysis onto the controls.
#include "analysis/WindowsPage.h"
#include "app/frmQNRepair.h"

namespace qn {

void frmQNRepair::FillWindowsPage() {
    // The version code is the one recorded at start-up; the name also needs the true numbers.
    Apply(AnalyseWindowsPage(state_.lWinVersion, services_.queryOsVersion()));
}

void frmQNRepair::Apply(const WindowsPage& page) {
    const std::pair<Ctl, const std::wstring*> texts[] = {
        {Ctl::Label1, &page.Label1},   {Ctl::Label2, &page.Label2},   {Ctl::Label3, &page.Label3},
        {Ctl::Label4, &page.Label4},   {Ctl::Label6, &page.Label6},   {Ctl::Label5, &page.Label5},
        {Ctl::Frame1, &page.Frame1},   {Ctl::Label14, &page.Label14}, {Ctl::Label13, &page.Label13},
        {Ctl::Frame2, &page.Frame2},   {Ctl::Label28, &page.Label28}, {Ctl::Label29, &page.Label29},
        {Ctl::Label31, &page.Label31}, {Ctl::Label30, &page.Label30}, {Ctl::Label33, &page.Label33},
        {Ctl::Label32, &page.Label32}, {Ctl::Label26, &page.Label26}, {Ctl::Label27, &page.Label27},
    };
    for (const auto& [control, text] : texts) SetText(control, *text);
}

}  // namespace qn
