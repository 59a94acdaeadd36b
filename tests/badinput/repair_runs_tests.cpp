// Repairs as users really start them: twice in a row, and with tab changes while one runs.
// Each run registers every file once; the window ends in the state it would after one quiet run.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "badinput/BadInput.h"
#include "platform/SystemLibrary.h"
#include "platform/ShellFolders.h"
#include "support/FormDriver.h"
#include "support/TestSupport.h"

using namespace qn;
using namespace qn::test;

namespace {

std::wstring SystemDir() { return SystemDirectory(); }

// The fixtures' DllRegisterServer appends its path to the log for the test's lifetime.
class RegistrationLog {
public:
    RegistrationLog() { ::SetEnvironmentVariableW(L"QN_FIXTURE_LOG", path().c_str()); }
    ~RegistrationLog() { ::SetEnvironmentVariableW(L"QN_FIXTURE_LOG", nullptr); }
    std::wstring path() const { return dir_.path() + L"\\calls.log"; }
    std::vector<std::wstring> Calls() const { return ReadLines(path()); }

private:
    TempDir dir_;
};

// The three Jet files the repair registers, as fixtures.
class JetComponents {
public:
    JetComponents()
        : engine_(SystemDir() + L"\\msjet40.dll", FixturePath(L"fx_ver_4_0_8618_0")),
          expressions_(SystemDir() + L"\\msjtes40.dll", FixturePath(L"fx_reg_ok")),
          provider_(SystemDir() + L"\\msjetoledb40.dll", FixturePath(L"fx_reg_false")) {}

private:
    ScopedFile engine_, expressions_, provider_;
};

// Tab changes sent from another thread: the window's thread serves them only while it lets
// messages run, which it does, with the button hidden, inside the repair between two files.
class TabChanger {
public:
    explicit TabChanger(const FormDriver& window)
        : tabs_(window.control(Ctl::TabStrip1)), button_(window.control(Ctl::Command3)), thread_([this] { Run(); }) {}
    ~TabChanger() { thread_.join(); }
    bool done() const { return done_; }
    int servedDuringRepair() const { return duringRepair_; }

private:
    void Run() {
        for (const int tab : {0, 2, 3, 1}) {
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(tabs_, TCM_SETCURFOCUS, static_cast<WPARAM>(tab), 0, SMTO_NORMAL, 10000, &result);
            if (!(::GetWindowLongPtrW(button_, GWL_STYLE) & WS_VISIBLE)) ++duringRepair_;
        }
        done_ = true;
    }
    HWND tabs_;
    HWND button_;
    std::atomic<int> duringRepair_{0};
    std::atomic<bool> done_{false};
    std::thread thread_;
};

void ExpectJetRepairFinished(const FormDriver& window) {
    EXPECT_TRUE(window.Visible(Ctl::Command3));
    EXPECT_FALSE(window.Visible(Ctl::ProgressBar3));
    EXPECT_TRUE(Responds(window.hwnd()));
}

}  // namespace

TEST(BadInput, JetRepairTwiceInARowRegistersEachFileOncePerRun) {
    const JetComponents components;
    const RegistrationLog log;
    FormDriver window;
    window.ChooseTab(1);
    window.Pump();
    MessageBoxWatcher boxes;
    window.Click(Ctl::Command3);
    window.Click(Ctl::Command3);
    window.Pump();
    const std::vector<std::wstring> once = {SystemDir() + L"\\msjet40.dll", SystemDir() + L"\\msjtes40.dll",
                                            SystemDir() + L"\\msjetoledb40.dll"};
    auto twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    // The loader is handed each path as the page found it.
    EXPECT_EQ(log.Calls(), twice);
    EXPECT_TRUE(boxes.Stop().empty());
    ExpectJetRepairFinished(window);
}

TEST(BadInput, MdacRepairTwiceInARowRegistersEachFileOncePerRun) {
    const std::wstring common = GetSpecialFolderPath(CSIDL_PROGRAM_FILES_COMMON);
    // Wine's own files in the prefix are out of the way; two fixtures take part.
    const ScopedAbsence ado(common + L"\\System\\ado\\MSADO15.DLL");
    const ScopedAbsence oledb(common + L"\\System\\Ole DB\\OLEDB32.DLL");
    const ScopedAbsence odbc(common + L"\\System\\Ole DB\\MSDASQL.DLL");
    const ScopedAbsence shape(common + L"\\System\\Ole DB\\MSDAPS.DLL");
    const ScopedFile adox(common + L"\\System\\ado\\MSADOX.DLL", FixturePath(L"fx_reg_ok"));
    const ScopedFile oracle(common + L"\\System\\Ole DB\\MSDAORA.DLL", FixturePath(L"fx_reg_false"));
    // A file the repair lists but never registers.
    const ScopedFile errors(common + L"\\System\\Ole DB\\MSDAER.DLL", FixturePath(L"fx_reg_ok"));
    const RegistrationLog log;
    FormDriver window;
    const bool linkShown = window.Visible(Ctl::Label19);
    MessageBoxWatcher boxes;
    window.Click(Ctl::Command1);
    window.Click(Ctl::Command1);
    window.Pump();
    EXPECT_EQ(log.Calls().size(), 4u);
    EXPECT_TRUE(boxes.Stop().empty());
    EXPECT_TRUE(window.Visible(Ctl::Command1));
    EXPECT_FALSE(window.Visible(Ctl::ProgressBar1));
    EXPECT_EQ(window.Visible(Ctl::Label19), linkShown);
    EXPECT_EQ(window.Text(Ctl::Label11), L"");
    EXPECT_TRUE(Responds(window.hwnd()));
}

TEST(BadInput, TabChangesDuringARepairLeaveItWhole) {
    const JetComponents components;
    const RegistrationLog log;
    FormDriver window;
    window.ChooseTab(1);
    window.Pump();
    MessageBoxWatcher boxes;
    int servedDuringRepair = 0;
    {
        TabChanger changer(window);
        window.Click(Ctl::Command3);
        window.PumpUntil([&] { return changer.done(); }, "the tab changes end");
        servedDuringRepair = changer.servedDuringRepair();
    }
    window.Pump();

    EXPECT_GE(servedDuringRepair, 1) << "no tab change arrived during the repair";
    EXPECT_EQ(log.Calls().size(), 3u);
    EXPECT_TRUE(boxes.Stop().empty());
    ExpectJetRepairFinished(window);
    // The page of the selected tab is the one shown, filled.
    const int selected = static_cast<int>(::SendMessageW(window.control(Ctl::TabStrip1), TCM_GETCURSEL, 0, 0));
    const Ctl pages[] = {Ctl::picMDAC, Ctl::picJET, Ctl::picWindows, Ctl::picComponents};
    for (int tab = 0; tab < 4; ++tab) EXPECT_EQ(window.Visible(pages[tab]), tab == selected) << tab;
    window.ChooseTab(1);
    window.Pump();
    EXPECT_EQ(window.Text(Ctl::Label24), L"4.0.8618");
    EXPECT_EQ(window.Rows(Ctl::lvwJetFiles).size(), 6u);
}

TEST(BadInput, ComponentBeyondMaxPathIsRegisteredByItsPathOrReportedNeverSkipped) {
    // A common files folder the shell can give (under MAX_PATH), with a component path beyond it.
    TempDir dir;
    std::wstring common = dir.path();
    while (common.size() + 1 < 250) {
        common += L"\\" + std::wstring(std::min<size_t>(40, 250 - common.size() - 1), L'a');
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + common).c_str(), nullptr)) << ::GetLastError();
    }
    for (const wchar_t* sub : {L"\\System", L"\\System\\ado"}) {
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + common + sub).c_str(), nullptr)) << ::GetLastError();
    }
    const std::wstring adox = common + L"\\System\\ado\\MSADOX.DLL";
    ASSERT_GT(adox.size(), static_cast<size_t>(MAX_PATH));
    ASSERT_TRUE(::CopyFileW(FixturePath(L"fx_reg_ok").c_str(), (L"\\\\?\\" + adox).c_str(), FALSE));
    {
        const ScopedRegValue commonFiles(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion",
                                         L"CommonFilesDir", common);
        ASSERT_EQ(GetSpecialFolderPath(CSIDL_PROGRAM_FILES_COMMON), common) << "the shell did not take the folder";
        const RegistrationLog log;
        FormDriver window;
        ASSERT_EQ(window.Rows(Ctl::lvwMDACFiles).at(5).path, adox) << "the page does not list the component";

        MessageBoxWatcher watcher;
        window.Click(Ctl::Command1);
        const std::vector<SeenMessageBox> boxes = watcher.Stop();
        if (log.Calls().empty()) {
            ASSERT_EQ(boxes.size(), 1u) << "skipped without a word";
            EXPECT_NE(boxes[0].text.find(adox), std::wstring::npos);
        } else {
            EXPECT_EQ(log.Calls(), std::vector<std::wstring>{adox});
            EXPECT_TRUE(boxes.empty());
        }
    }
    RemoveTree(L"\\\\?\\" + dir.path());
}
