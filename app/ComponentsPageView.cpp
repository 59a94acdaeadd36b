// The other components page: its analysis onto the controls.
#include "analysis/ComponentsPage.h"
#include "app/frmQNRepair.h"

namespace qn {

void frmQNRepair::FillComponentsPage() { Apply(AnalyseComponentsPage(state_.sSystemDir)); }

void frmQNRepair::Apply(const ComponentsPage& page) {
    SetText(Ctl::Frame3, page.Frame3);
    SetText(Ctl::Label18, page.Label18);
    SetText(Ctl::Label17, page.Label17);
    SetText(Ctl::Label15, page.Label15);
    SetText(Ctl::Label16, page.Label16);
    SetText(Ctl::Label34, page.Label34);
    SetText(Ctl::Label36, page.Label36);
    SetText(Ctl::Label38, page.Label38);
}

}  // namespace qn
