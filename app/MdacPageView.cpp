// The MDAC page: its analysis onto the controls.
#include "analysis/MdacPage.h"
#include "app/frmQNRepair.h"

namespace qn {

void frmQNRepair::FillMDACPage() { Apply(AnalyseMdacPage()); }

void frmQNRepair::CollectMDACFiles() { state_.MDACFiles = qn::CollectMDACFiles(); }

void frmQNRepair::Apply(const MdacPage& page) {
    SetText(Ctl::Label7, page.Label7);
    SetText(Ctl::Label8, page.Label8);
    SetText(Ctl::Command1, page.Command1);
    if (page.installedIsNewer) {
        // Once hidden, the link and the newest version stay hidden for the rest of the run.
        SetVisible(Ctl::Label19, false);
        SetVisible(Ctl::Label21, false);
    } else {
        SetText(Ctl::Label19, page.Label19);
    }
    SetText(Ctl::Label22, page.Label22);
    state_.MDACFiles = page.MDACFiles;
    FillFileList(Ctl::lvwMDACFiles, state_.MDACFiles);
}

}  // namespace qn
