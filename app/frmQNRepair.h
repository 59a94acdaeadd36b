// The program's one window: its controls, its state, and what the user can do with it.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/FileInfo.h"
#include "app/ControlBehaviour.h"
#include "app/Layout.h"
#include "platform/BackgroundCall.h"
#include "platform/Handles.h"
#include "platform/WindowsVersion.h"
#include "repair/RegistrationCheck.h"
#include "repair/RegistrationReport.h"
#include "repair/RepairRunner.h"

namespace qn {

struct MdacFindings;
struct JetFindings;
struct WindowsFindings;
struct ComponentVersions;

// State of the window that several of its parts share.
struct FormState {
    std::wstring sSystemDir;          // system directory, no trailing backslash
    int lWinVersion = 0;              // Windows version code
    bool bQuillnestInstalled = false;
    int lLastTabFocus = 0;            // focused tab at the last page switch (0-based)
    Ctl oHoverLabel = Ctl::None;      // the underlined link label
    std::wstring sLinkUrl;            // what the link timer opens next
    FileList MDACFiles;
    FileList JetFiles;
    std::vector<RepairRun> repairs;   // every repair since the program started, in order
    bool TabTimerEnabled = false;
    bool ShellExecuteTimerEnabled = false;
};

// What the window does through the outside world; tests replace parts of it.
struct FormServices {
    std::function<void(const std::wstring& url)> openUrl;  // default: the shell's "open"
    std::function<OsVersion()> queryOsVersion;              // default: QueryOsVersion
    // The program that captures a component's registration (this program started again with
    // an internal switch); default: this process's own program file.
    std::wstring captureHost;
    // Asks where to save the report, suggesting `fileName`; none when the user cancels.
    // Default: the system's Save As dialog.
    std::function<std::optional<std::wstring>(HWND owner, const std::wstring& fileName)> chooseReportFile;
};

// True when the system's icon-title font is Tahoma, so that the window adopts it.
bool IsTahoma(const LOGFONTW& iconTitleFont);

class frmQNRepair {
public:
    explicit frmQNRepair(HINSTANCE instance, FormServices services = {});
    ~frmQNRepair();
    frmQNRepair(const frmQNRepair&) = delete;
    frmQNRepair& operator=(const frmQNRepair&) = delete;

    // Creates the window, runs the start-up steps and shows it. False when the window could
    // not be created.
    bool Create(int showCommand = SW_SHOWNORMAL);

    HWND Handle() const { return hwnd_; }
    HWND Control(Ctl id) const { return controls_[static_cast<size_t>(id)]; }
    const FormState& State() const { return state_; }
    UINT Dpi() const { return dpi_; }
    bool IsClosed() const { return hwnd_ == nullptr; }

    // Handles dialog keys (Tab in the designed focus order, Escape for Exit). True when
    // `msg` was consumed and must not be dispatched.
    bool PreTranslateMessage(MSG& msg);

    // Runs pending window messages once. False when the program is to end (WM_QUIT seen; it
    // is posted again for the main loop) or the window is closing.
    bool DoEvents();
    // As DoEvents, for a long piece of work between two of its steps: input, posted and sent
    // messages run every time, painting only when the last paint is a moment ago.
    bool DoEventsBetweenSteps();

    // Page analyses and their lists.
    void FillMDACPage();
    // For a repair or a check: one reader, beside the capture helper that is starting.
    void CollectMDACFiles();
    void FillJetPage();
    void CollectJetFiles();
    void FillWindowsPage();
    void FillComponentsPage();
    std::wstring GetFile(const std::wstring& sFile) const;
    std::wstring GetFile03(const std::wstring& sFile) const;

    // What the user does.
    void OnTabClick();
    void OnTabMouseDown();
    void OnTabTimer();
    void OnLinkHover(Ctl label);
    void OnSurfaceMouseMove(Ctl surface);
    void OnLinkClick(Ctl label);
    void OnShellExecuteTimer();
    void OnAbout();
    void OnQuit();
    void OnRepairMdac();
    void OnRepairJet();
    void OnColumnClick(Ctl listView, int column);
    void OnCheckRegistrations();

    // Results of the last registration check, by the file's path in upper case; empty until a
    // check ran.
    const RegistrationChecks& Registrations() const { return registrationChecks_; }
    // The registry backup the last repair saved, if any.
    std::optional<std::wstring> LastBackup() const {
        return state_.repairs.empty() ? std::nullopt : state_.repairs.back().backup;
    }
    void OnCopyReport();
    void OnSaveReport();

    // The report as it stands now: every page analysed afresh, and the repairs of this run.
    std::wstring CurrentReportText() const;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WORD id, WORD code, HWND control);
    LRESULT OnNotify(const NMHDR& header);
    LRESULT OnCtlColorStatic(HDC dc, HWND control);
    void OnSystemColoursChanged();
    bool OnSetCursor(HWND over);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnClose();
    // A close asked for while a repair or check ran, once that work has let go of the window.
    void CarryOutPendingClose();
    void OnActivate(bool active);
    bool OnSysCommand(UINT command);  // true when the command was one of the window's own


    // Start-up.
    void Load();
    void ChooseFontFace();   // Tahoma when the icon-title font is Tahoma
    void DetectQuillnest();
    void SetRepairButtonIcon(Ctl button);
    void AddSystemMenuItems();

    // Layout and controls. Controls are created per window parent: the window's own at
    // start-up, a page's when the page is first shown; a control not created yet is null.
    bool CreateControls(Ctl container);
    bool HasControlsToCreate(Ctl container) const;
    bool CreateControl(Ctl id);
    void CreateFonts();
    void ApplyLayout();      // everything, as after a DPI change
    void PlaceWindow();      // the window around its client area, centred on its monitor
    void ApplyFonts();       // the current fonts onto every control
    RECT PixelRect(Ctl id) const;
    // The width of a label for `text`: a link label's is its text's, a one-line label's
    // grows with its text; other controls keep their laid-out width.
    int FittedWidth(Ctl id, const std::wstring& text) const;
    void FitToText(Ctl id);   // a label's width, a list's columns
    // Fits the columns to their texts: all, or only `column` and the one that takes the rest.
    void FitFileListColumns(Ctl listView, std::optional<int> column = std::nullopt);
    void SetFileListColumnWidths(HWND list, std::optional<int> column);  // drawing held back
    void SetColumnWidthsAndDraw(HWND list, std::optional<int> column);   // drawing held back until then
    void FitFillingColumn(HWND list);  // the column that takes the rest of the width
    Ctl FromHandle(HWND control) const;

    // Control helpers.
    void SetText(Ctl id, const std::wstring& text);
    // As SetText, but the label is drawn with the window's next paint, not at once.
    void SetTextDrawnLater(Ctl id, const std::wstring& text);
    std::wstring Text(Ctl id) const;
    void SetVisible(Ctl id, bool visible);
    bool IsVisible(Ctl id) const;
    void SetUnderline(Ctl label, bool underline);
    bool IsUnderlined(Ctl label) const;
    void BringToFront(Ctl page);
    void SetTabCaption(int index, const std::wstring& caption);
    void FillFileList(Ctl listView, const FileList& files);
    void SortFileList(Ctl listView);
    std::wstring RegistrationCell(const std::wstring& path) const;
    void ShowRegistrationColumn(Ctl listView, const std::optional<std::wstring>& path = std::nullopt);

    // Models onto controls.
    void Apply(const MdacFindings& found);
    void Apply(const JetFindings& found);
    void Apply(const WindowsFindings& found);
    void Apply(const ComponentVersions& found);

    // Page switching.
    void ShowPage(int selectedTab);
    // What `analyse` finds, once the controls of `page` exist. On the page's first visit they
    // are created while the analysis runs on a thread of its own.
    template <typename Analyse>
    auto AnalyseCreatingControls(Ctl page, Analyse analyse) {
        if (!HasControlsToCreate(page)) return analyse();
        BackgroundCall<decltype(analyse())> analysis(std::move(analyse));
        CreateControls(page);
        return analysis.Take();
    }
    void MoveFocusInOrder(HWND from, bool backwards);
    bool RunPendingMessages(UINT filter);

    // Repairs.
    friend class RepairScope;
    // Registers the records of `files` that may be registered, advancing `progressBar` and, if
    // given, naming each file in `nameLabel`. Stops early when the window is closing.
    // Every run is kept in the window's state for the report, with `backup`, the file its
    // registry backup went to.
    std::vector<RegistrationFailure> RegisterFiles(RepairComponent component, const FileList& files, Ctl progressBar,
                                                   Ctl nameLabel, const std::optional<std::wstring>& backup);
    // After a repair: shows the failures, carries out a close asked for meanwhile and puts the
    // focus on Exit.
    void FinishRepair(const std::vector<RegistrationFailure>& failures);
    // Saves the live state of what `files` would register and names the file in `backup` (none
    // when it could not be saved); false when the window is closing.
    bool BackUpRegistrations(CaptureHost& host, const FileList& files, std::optional<std::wstring>& backup);

    HINSTANCE instance_;
    FormServices services_;
    WindowsVersion windowsVersion_;
    HWND hwnd_ = nullptr;
    std::array<HWND, kControlCount> controls_{};
    FormState state_;
    UINT dpi_ = 96;
    std::wstring faceName_;
    UniqueFont font_;
    UniqueFont underlinedFont_;
    UniqueDC measureDc_;
    std::array<bool, kControlCount> underlined_{};
    HCURSOR linkCursor_ = nullptr;   // shared resource cursor: not destroyed
    // The links' text colour, worked out again when the system's colours change (a link
    // repaints on every hover).
    COLORREF linkColour_ = SystemLinkColour();
    std::vector<UniqueImageList> buttonImages_;
    // Sort column of each file list once its header was clicked.
    std::optional<int> mdacSortColumn_;
    std::optional<int> jetSortColumn_;
    // Each file list's cells as last filled, row by row, in the order the rows were inserted.
    std::map<Ctl, std::vector<std::wstring>> fileListCells_;
    HWND focusOnDeactivate_ = nullptr;
    int repairDepth_ = 0;
    DWORD lastPaintTick_ = 0;
    bool progressMoving_ = false;  // a progress bar is taking a new position
    bool closePending_ = false;
    RegistrationChecks registrationChecks_;
    // The MDAC page's first analysis: it reads while the window and its controls are created.
    std::unique_ptr<BackgroundCall<MdacFindings>> firstMdacAnalysis_;
};

}  // namespace qn
