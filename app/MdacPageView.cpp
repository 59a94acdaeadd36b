// The MDAC page: what the MDAC analysis found, in the design's texts on the controls.
#include "analysis/MdacPage.h"
#include "app/frmQNRepair.h"
#include "platform/Strings.h"
#include "report/FindingTexts.h"
#include "resources/resource.h"

namespace qn {

void frmQNRepair::FillMDACPage() {
    if (firstMdacAnalysis_) {
        const MdacFindings found = firstMdacAnalysis_->Take();
        firstMdacAnalysis_.reset();
        Apply(found);
        return;
    }
    Apply(AnalyseMdac());
}

void frmQNRepair::CollectMDACFiles() { state_.MDACFiles = qn::CollectMDACFiles(ListReaders::One); }

void frmQNRepair::Apply(const MdacFindings& found) {
    SetText(Ctl::Label7, LoadResString(IDS_MDAC_INSTALLED));
    SetText(Ctl::Label8, ShownVersionText(found.installedVersion));
    SetText(Ctl::Command1, LoadResString(IDS_REREGISTER_MDAC));
    if (found.installedIsNewer) {
        // Once hidden, the link and the newest version stay hidden for the rest of the run.
        SetVisible(Ctl::Label19, false);
        SetVisible(Ctl::Label21, false);
    } else {
        SetText(Ctl::Label19, LoadResString(IDS_MDAC_AVAILABLE));
    }
    SetText(Ctl::Label22, LoadResString(IDS_MDAC_FILES));
    state_.MDACFiles = found.files;
    FillFileList(Ctl::lvwMDACFiles, state_.MDACFiles);
}

}  // namespace qn
