// The Jet 4.0 page: its analysis onto the controls.
#include "analysis/JetPage.h"
#include "app/frmQNRepair.h"

namespace qn {

void frmQNRepair::FillJetPage() { Apply(AnalyseJetPage(state_.sSystemDir)); }

void frmQNRepair::CollectJetFiles() { state_.JetFiles = qn::CollectJetFiles(state_.sSystemDir); }

void frmQNRepair::Apply(const JetPage& page) {
    SetText(Ctl::Label25, page.Label25);
    SetText(Ctl::Label23, page.Label23);
    SetText(Ctl::Label24, page.Label24);
    SetText(Ctl::Command3, page.Command3);
    SetText(Ctl::Label9, page.Label9);
    state_.JetFiles = page.JetFiles;
    FillFileList(Ctl::lvwJetFiles, state_.JetFiles);
}

}  // namespace qn
