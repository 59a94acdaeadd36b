// The Jet 4.0 page: what the Jet analysis found, in the design's texts on the controls.
#include "analysis/JetPage.h"
#include "app/frmQNRepair.h"
#include "platform/Strings.h"
#include "report/FindingTexts.h"
#include "resources/resource.h"

namespace qn {

void frmQNRepair::FillJetPage() {
    Apply(AnalyseCreatingControls(Ctl::picJET, [dir = state_.sSystemDir] { return AnalyseJet(dir); }));
}

void frmQNRepair::CollectJetFiles() { state_.JetFiles = qn::CollectJetFiles(state_.sSystemDir); }

void frmQNRepair::Apply(const JetFindings& found) {
    SetText(Ctl::Label25, LoadResString(IDS_JET_INSTALLED));
    SetText(Ctl::Label23, LoadResString(IDS_JET_AVAILABLE));
    SetText(Ctl::Label24, TextOrNotAvailable(found.installedVersion));
    SetText(Ctl::Command3, LoadResString(IDS_REREGISTER_JET));
    // The MDAC page titles its file list; the Jet list gets the matching heading.
    SetText(Ctl::Label9, LoadResString(IDS_JET_FILES));
    state_.JetFiles = found.files;
    FillFileList(Ctl::lvwJetFiles, state_.JetFiles);
}

}  // namespace qn
