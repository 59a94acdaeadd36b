#include "ReportHelpers.h"

namespace qn::test {

namespace {

Placement MdacPlacement() {
    Placement placement(kMdacCount);
    placement[0] = L"fx_reg_ok";
    placement[1] = L"fx_no_version";
    return placement;
}

const Placement kJetPlacement = {L"fx_ver_4_0_8618_0", L"fx_reg_denied", L"fx_no_export", L"", L"", L""};

}  // namespace

FixtureMachine::FixtureMachine()
    : mdac_(ScopedComponents::Mdac(MdacPlacement())),
      jet_(ScopedComponents::Jet(kJetPlacement)),
      installed_(InstalledMdac(L"2.81.1117.0")) {
    const std::wstring folder = dir_.path() + L"\\Zażółć Ελληνικά";
    // Wine names files in the charset of the Unix locale; without that locale installed a
    // prefix cannot hold this folder, and the round trip is not tested.
    if (::CreateDirectoryW(folder.c_str(), nullptr)) {
        foreignTemp_ = folder + L"\\";
        tmp_ = std::make_unique<ScopedEnvironment>(L"TMP", folder);
    }
}

}  // namespace qn::test
