// The About message and leaving the program, on the real window.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/MessageBoxWatcher.h"
#include "UserInput.h"
#include "support/FormDriver.h"
#include "support/TestSupport.h"

using namespace qn;
using namespace qn::test;

namespace {

SeenMessageBox ShowAbout(FormDriver& window) {
    MessageBoxWatcher watcher;
    window.Click(Ctl::cmdAbout);  // returns when the watcher has confirmed the box
    const std::vector<SeenMessageBox> boxes = watcher.Stop();
    EXPECT_EQ(boxes.size(), 1u);
    return boxes.empty() ? SeenMessageBox{} : boxes.front();
}

// The checks both languages share: a plain OK box whose lines are separated by a bare
// carriage return, the version line, then an empty line and the copyright line.
void ExpectAboutBox(const SeenMessageBox& box, const std::wstring& title, size_t lineCount) {
    EXPECT_EQ(box.title, title);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_FALSE(box.hasIcon);
    EXPECT_EQ(box.text.find(L'\n'), std::wstring::npos);
    const std::vector<std::wstring> lines = SplitLines(box.text, L'\r');
    ASSERT_EQ(lines.size(), lineCount) << std::string(box.text.begin(), box.text.end());
    EXPECT_EQ(lines[1], L"Version 1.1");
    EXPECT_EQ(lines[2], L"");
    EXPECT_EQ(lines[3].rfind(L"Copyright \u00A9 ", 0), 0u);
}

}  // namespace

TEST(About, WithQuillnestInstalledFourLines) {
    ScopedRegKey qna(HKEY_CLASSES_ROOT, L".qna", true);
    FormDriver window;
    const SeenMessageBox box = ShowAbout(window);
    ExpectAboutBox(box, L"About", 4);
    EXPECT_EQ(SplitLines(box.text, L'\r')[0], L"Quillnest Problem Analysis & Repair");
    EXPECT_FALSE(window.form().IsClosed());
}

TEST(About, WithoutQuillnestEightLinesEndingInTheAdvertising) {
    ScopedRegKey qna(HKEY_CLASSES_ROOT, L".qna", false);
    FormDriver window;
    const SeenMessageBox box = ShowAbout(window);
    ExpectAboutBox(box, L"About", 8);
    const std::vector<std::wstring> lines = SplitLines(box.text, L'\r');
    EXPECT_EQ(lines[0], L"MDAC and Microsoft JET Analysis and Repair Utility");
    EXPECT_EQ(lines[4], L"");
    EXPECT_EQ(lines[5], L"");
    EXPECT_EQ(lines[6], L"Quillnest - the software that enables you to do better researches on the Web:");
    EXPECT_EQ(lines[7], L"Download the free trial version at www.quillnest.example");
}

TEST(About, GermanUserGetsGermanTexts) {
    {
        ScopedRegKey qna(HKEY_CLASSES_ROOT, L".qna", true);
        FormDriver window;
        const SeenMessageBox box = ShowAbout(window);
        ExpectAboutBox(box, L"Info", 4);
        EXPECT_EQ(SplitLines(box.text, L'\r')[0], L"Analyse und Problembereinigung f\u00FCr Quillnest");
    }
    ScopedRegKey qna(HKEY_CLASSES_ROOT, L".qna", false);
    FormDriver window;
    const SeenMessageBox box = ShowAbout(window);
    ExpectAboutBox(box, L"Info", 8);
    const std::vector<std::wstring> lines = SplitLines(box.text, L'\r');
    EXPECT_EQ(lines[0], L"MDAC- und Microsoft JET-Analyse und Reparatur-Utility");
    EXPECT_EQ(lines[6], L"Quillnest - die Software, mit der Sie besser im Internet recherchieren k\u00F6nnen:");
    EXPECT_EQ(lines[7], L"Downloaden Sie die Testversion unter www.quillnest.de.example");
}

TEST(Exit, ButtonEndsTheProgram) {
    FormDriver window;
    window.Click(Ctl::cmdQuit);
    RunMessageLoopUntil(window.form(), [&] { return window.form().IsClosed(); }, "the window closes");
    EXPECT_TRUE(TakeQuitMessage());
}

TEST(Exit, EscapeKeyEndsTheProgram) {
    FormDriver window;
    window.ChooseTab(2);  // from any page, with the focus where a switch leaves it
    PressKey(window.form(), VK_ESCAPE);
    EXPECT_TRUE(window.form().IsClosed());
    EXPECT_TRUE(TakeQuitMessage());
}

TEST(Exit, ClosingTheWindowEndsTheProgram) {
    FormDriver window;
    ::PostMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    RunMessageLoopUntil(window.form(), [&] { return window.form().IsClosed(); }, "the window closes");
    EXPECT_TRUE(TakeQuitMessage());
}

TEST(About, FocusReturnsToTheControlThatHadIt) {
    // Closing a message box activates the window again; the focus must not be lost to the
    // window itself, or the keyboard stops working until the user clicks somewhere.
    FormDriver window;
    ::SetFocus(window.control(Ctl::cmdAbout));
    ShowAbout(window);
    window.PumpUntil([&] { return window.Focus() == window.control(Ctl::cmdAbout); },
                     "the focus returns to About");
}
