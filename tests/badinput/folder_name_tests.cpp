// Folders whose names hold letters outside the user's ANSI code page (Polish and Greek on a
// German user, code page 1252): shown and searched exactly, never replaced by "?".
#include <windows.h>
#include <gtest/gtest.h>

#include <shlobj.h>

#include "badinput/BadInput.h"
#include "platform/ShellFolders.h"
#include "support/FormDriver.h"
#include "support/TestSupport.h"

using namespace qn;
using namespace qn::test;

namespace {
constexpr wchar_t kForeignName[] = L"Dokumenty \u0141\u00f3d\u017a \u0394\u03b5\u03b4\u03bf\u03bc\u03ad\u03bd\u03b1";
}  // namespace

TEST(BadInput, GermanUserWithPolishAndGreekDocumentsFolder) {
    ASSERT_EQ(::GetACP(), 1252u);
    TempDir dir;
    const std::wstring documents = dir.path() + L"\\" + kForeignName;
    ASSERT_TRUE(::CreateDirectoryW(documents.c_str(), nullptr));
    // Wine takes the documents folder from the user's shell folder settings, as Windows does.
    const ScopedRegValue personal(HKEY_CURRENT_USER,
                                  L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                                  L"Personal", documents);
    ASSERT_EQ(GetSpecialFolderPath(CSIDL_PERSONAL), documents) << "the shell did not take the folder";
    FormDriver window;
    window.ChooseTab(2);
    window.Pump();
    EXPECT_EQ(window.Text(Ctl::Label29), documents + L"\\");
}

TEST(BadInput, GermanUserWithPolishAndGreekCommonFilesFolder) {
    TempDir dir;
    const std::wstring common = dir.path() + L"\\" + kForeignName;
    const std::wstring adox = common + L"\\System\\ado\\MSADOX.DLL";
    CreateDirectories(adox.substr(0, adox.rfind(L'\\')));
    ASSERT_TRUE(::CopyFileW(FixturePath(L"fx_ver_2_0_50727_42").c_str(), adox.c_str(), FALSE));
    // Wine takes the common files folder from the machine's CurrentVersion settings.
    const ScopedRegValue commonFiles(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion",
                                     L"CommonFilesDir", common);
    ASSERT_EQ(GetSpecialFolderPath(CSIDL_PROGRAM_FILES_COMMON), common) << "the shell did not take the folder";
    FormDriver window;
    const auto rows = window.Rows(Ctl::lvwMDACFiles);
    ASSERT_EQ(rows.size(), 28u);
    EXPECT_EQ(rows[5], (Row{L"MSADOX.DLL", L"2.0.50727", adox}));
    EXPECT_EQ(rows[0], (Row{L"MSADO15.DLL", L"N/A", L"Not found"}));
}
