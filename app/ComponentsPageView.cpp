// The other components page: what the analysis found, in the design's texts on the controls.
#include "analysis/ComponentsPage.h"
#include "app/frmQNRepair.h"
#include "platform/Strings.h"
#include "report/FindingTexts.h"
#include "resources/resource.h"

namespace qn {

void frmQNRepair::FillComponentsPage() {
    Apply(AnalyseCreatingControls(Ctl::picComponents, [dir = state_.sSystemDir] { return AnalyseComponents(dir); }));
}

void frmQNRepair::Apply(const ComponentVersions& found) {
    SetText(Ctl::Frame3, LoadResString(IDS_OTHER_COMPONENTS_FRAME));
    SetText(Ctl::Label18, LoadResString(IDS_VB6_RUNTIME));
    SetText(Ctl::Label17, TextOrNotAvailable(found.vbRuntime));
    SetText(Ctl::Label15, LoadResString(IDS_VBSCRIPT_VERSION));
    SetText(Ctl::Label16, TextOrNotAvailable(found.vbScript));
    // The headings of the ActiveBar2, GridEx20 and XML rows are fixed captions of the layout.
    SetText(Ctl::Label34, TextOrNotAvailable(found.activeBar2));
    SetText(Ctl::Label36, TextOrNotAvailable(found.gridEx20));
    SetText(Ctl::Label38, TextOrNotAvailable(found.msxml));
}

}  // namespace qn
