// Re-registering the Jet 4.0 files from the real window.
#include <windows.h>
#include <gtest/gtest.h>

#include "RepairHelpers.h"

using namespace qn;
using namespace qn::test;

namespace {

constexpr int kJetTab = 1;
const Placement kAllRegistering(kJetCount, L"fx_reg_ok");

}  // namespace

TEST(JetRepair, RegistersTheThreeServersInListOrderAndUnloadsThem) {
    const ScopedComponents files = ScopedComponents::Jet(kAllRegistering);
    const RegistrationLog log;
    FormDriver window;
    window.ChooseTab(kJetTab);
    std::vector<RepairPageState> during;
    const ProgressProbe probe(window.control(Ctl::ProgressBar3), [&](int) {
        during.push_back(ReadRepairPage(window, Ctl::Command3, Ctl::ProgressBar3));
    });

    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command3).empty());

    EXPECT_EQ(log.LongCalls(), (std::vector<std::wstring>{LongPath(files.Path(0)), LongPath(files.Path(1)),
                                                           LongPath(files.Path(2))}));
    for (size_t i = 0; i < kJetCount; ++i) EXPECT_FALSE(IsLoaded(files.Path(i))) << Narrow(files.Path(i));
    const ProgressState progress = ReadProgress(window.control(Ctl::ProgressBar3));
    EXPECT_EQ(progress.minimum, 0);
    EXPECT_EQ(progress.maximum, 6);
    EXPECT_EQ(progress.position, 6);

    ASSERT_EQ(during.size(), kJetCount);
    for (const RepairPageState& state : during) {
        EXPECT_FALSE(state.buttonVisible);
        EXPECT_TRUE(state.barVisible);
        EXPECT_TRUE(state.hourglass);
        EXPECT_EQ(state.fileLabel, L"");  // the Jet repair names no files
    }
    ExpectRepairFinished(window, Ctl::Command3, Ctl::ProgressBar3);
    EXPECT_TRUE(window.Visible(Ctl::picJET));
}

TEST(JetRepair, WalksTheFilesAsTheLastJetAnalysisFoundThem) {
    Placement placement = kAllRegistering;
    placement[1] = L"";  // msjtes40.dll
    ScopedComponents files = ScopedComponents::Jet(placement);
    const RegistrationLog log;
    FormDriver window;
    window.ChooseTab(kJetTab);

    files.Place(1, L"fx_reg_ok");  // appeared after the analysis: not in the list
    files.Remove(0);               // gone since the analysis: nothing to load, nothing said
    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command3).empty());

    EXPECT_EQ(log.LongCalls(), std::vector<std::wstring>{LongPath(files.Path(2))});
    EXPECT_EQ(ReadProgress(window.control(Ctl::ProgressBar3)).position, 6);
    EXPECT_EQ(window.Rows(Ctl::lvwJetFiles).at(1).path, L"Not found");
    ExpectRepairFinished(window, Ctl::Command3, Ctl::ProgressBar3);
}

TEST(JetRepair, FailedServerIsReportedOnceTheOthersAreDone) {
    Placement placement = kAllRegistering;
    placement[0] = L"fx_reg_denied";
    const ScopedComponents files = ScopedComponents::Jet(placement);
    const RegistrationLog log;
    FormDriver window;
    window.ChooseTab(kJetTab);

    bool buttonBackBehindTheBox = false;
    const std::vector<SeenMessageBox> boxes =
        ClickAndConfirm(window, Ctl::Command3, [&] { buttonBackBehindTheBox = window.Visible(Ctl::Command3); });

    EXPECT_EQ(log.Calls().size(), 3u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, L"Re-registration failed");
    ExpectInOrder(boxes[0].text, {files.Path(0), L"0x80070005", L"administrator"});
    EXPECT_FALSE(Contains(boxes[0].text, files.Path(1)));
    EXPECT_TRUE(buttonBackBehindTheBox);
    ExpectRepairFinished(window, Ctl::Command3, Ctl::ProgressBar3);
}
