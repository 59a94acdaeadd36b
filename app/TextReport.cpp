#include "app/TextReport.h"

#include <algorithm>

#include "app/Layout.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "repair/RegistrationReport.h"
#include "report/FindingTexts.h"
#include "resources/resource.h"

namespace qn {

namespace {

constexpr wchar_t kLineBreak[] = L"\r\n";
constexpr wchar_t kIndent[] = L"  ";

class TextBuilder {
public:
    void Line(const std::wstring& text = {}) { text_ += text + kLineBreak; }
    void Value(const std::wstring& caption, const std::wstring& value) { Line(kIndent + caption + L" " + value); }
    // A frame's caption under the page's heading, unless it only repeats it.
    void Caption(const std::wstring& caption) {
        if (caption != lastHeading_) Line(caption);
    }
    void Heading(const std::wstring& title) {
        lastHeading_ = title;
        Line();
        Line(title);
        Line(std::wstring(title.size(), L'='));
    }
    // Rows of cells, each column as wide as its widest cell; the last column is not padded.
    void Table(const std::vector<std::vector<std::wstring>>& rows) {
        std::vector<size_t> widths;
        for (const auto& row : rows) {
            widths.resize(std::max(widths.size(), row.size()));
            for (size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
        }
        for (const auto& row : rows) {
            std::wstring line = kIndent;
            for (size_t i = 0; i < row.size(); ++i) {
                line += row[i];
                if (i + 1 < row.size()) line += std::wstring(widths[i] - row[i].size() + 2, L' ');
            }
            Line(line);
        }
    }
    const std::wstring& Text() const { return text_; }

private:
    std::wstring text_;
    std::wstring lastHeading_;
};

std::wstring DesignText(Ctl id) { return LayoutOf(id).designText; }

std::wstring TimeText(const SYSTEMTIME& utc) {
    SYSTEMTIME local = utc;
    ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    return DateText(local) + L" " + TimeOfDayText(local, L':');
}

void FileTable(TextBuilder& out, const FileList& files) {
    std::vector<std::vector<std::wstring>> rows{{kFileListColumns[0].header, kFileListColumns[1].header,
                                                 kFileListColumns[2].header}};
    // The full path even of a file without version information: support wants to know it is there.
    for (const FileInfo& file : files) rows.push_back({file.name, VersionCell(file), file.path.value_or(kFileNotFound)});
    out.Table(rows);
}

void MdacSection(TextBuilder& out, const MdacFindings& mdac) {
    out.Heading(kTabDesignCaptions[0]);
    out.Value(LoadResString(IDS_MDAC_INSTALLED), ShownVersionText(mdac.installedVersion));
    if (!mdac.installedIsNewer) out.Value(LoadResString(IDS_MDAC_AVAILABLE), kNewestMdacVersion);
    out.Line(LoadResString(IDS_MDAC_FILES));
    FileTable(out, mdac.files);
}

void JetSection(TextBuilder& out, const JetFindings& jet) {
    out.Heading(kTabDesignCaptions[1]);
    out.Value(LoadResString(IDS_JET_INSTALLED), TextOrNotAvailable(jet.installedVersion));
    out.Value(LoadResString(IDS_JET_AVAILABLE), kNewestJetVersion);
    out.Line(LoadResString(IDS_JET_FILES));
    FileTable(out, jet.files);
}

void WindowsSection(TextBuilder& out, const WindowsFindings& windows) {
    out.Heading(LoadResString(IDS_TAB_WINDOWS));
    out.Caption(LoadResString(IDS_WINDOWS_SETTINGS_FRAME));
    out.Value(LoadResString(IDS_WINDOWS_VERSION), TextOrNotAvailable(windows.name));
    out.Value(LoadResString(IDS_USER_LANGUAGE), UnsignedText(windows.userLanguage));
    out.Value(LoadResString(IDS_ANSI_CODEPAGE), UnsignedText(windows.ansiCodePage));
    out.Value(LoadResString(IDS_IE_VERSION), ShownVersionText(windows.internetExplorerVersion));
    out.Caption(LoadResString(IDS_FOLDER_FRAME));
    out.Value(LoadResString(IDS_MY_DOCUMENTS), FolderText(windows.folders.documents));
    out.Value(LoadResString(IDS_APPLICATION_DATA), FolderText(windows.folders.appData));
    out.Value(LoadResString(IDS_TEMPORARY_FILES), FolderText(windows.folders.temp));
    out.Value(LoadResString(IDS_HTML_HELP), FolderText(windows.folders.htmlHelp));
}

void ComponentsSection(TextBuilder& out, const ComponentVersions& components) {
    out.Heading(LoadResString(IDS_TAB_COMPONENTS));
    out.Caption(LoadResString(IDS_OTHER_COMPONENTS_FRAME));
    out.Value(LoadResString(IDS_VB6_RUNTIME), TextOrNotAvailable(components.vbRuntime));
    out.Value(LoadResString(IDS_VBSCRIPT_VERSION), TextOrNotAvailable(components.vbScript));
    out.Value(DesignText(Ctl::Label35), TextOrNotAvailable(components.activeBar2));
    out.Value(DesignText(Ctl::Label37), TextOrNotAvailable(components.gridEx20));
    out.Value(DesignText(Ctl::Label39), TextOrNotAvailable(components.msxml));
}

std::wstring OutcomeText(const FileOutcome& file) {
    switch (file.result.outcome) {
        case RegistrationOutcome::Registered: return LoadResString(IDS_OUTCOME_REGISTERED);
        case RegistrationOutcome::Skipped: return LoadResString(IDS_OUTCOME_SKIPPED);
        default: return DescribeFailure(file.path.value_or(file.name), file.result, UserTextLanguage());
    }
}

// Every checked file with the check's full text: each difference on a line of its own.
void RegistrationSection(TextBuilder& out, const Findings& findings, const RegistrationChecks& registrations) {
    if (registrations.empty()) return;
    out.Heading(LoadResString(IDS_CHECK_MENU));
    for (const FileList* files : {&findings.mdac.files, &findings.jet.files}) {
        for (const FileInfo& file : *files) {
            if (!file.path) continue;
            const RegistrationCheck* check = FindRegistrationCheck(registrations, *file.path);
            if (!check) continue;
            out.Line(kIndent + *file.path);
            const std::wstring indent = std::wstring(kIndent) + kIndent;
            out.Line(indent + RegistrationCheckText(*check, static_cast<size_t>(-1), (kLineBreak + indent).c_str()));
        }
    }
}

void RepairsSection(TextBuilder& out, const std::vector<RepairRun>& repairs) {
    if (repairs.empty()) return;
    out.Heading(LoadResString(IDS_REPORT_REPAIRS));
    for (const RepairRun& run : repairs) {
        out.Line(LoadResString(run.component == RepairComponent::Mdac ? IDS_REREGISTER_MDAC : IDS_REREGISTER_JET));
        std::vector<std::vector<std::wstring>> rows;
        for (const FileOutcome& file : run.files) {
            rows.push_back({file.name, file.path.value_or(kFileNotFound), OutcomeText(file)});
        }
        out.Table(rows);
        if (run.backup) out.Value(LoadResString(IDS_BACKUP_SAVED), *run.backup);
    }
}

}  // namespace

std::wstring ReportText(const Report& report) {
    TextBuilder out;
    out.Line(std::wstring(kProgramName) + L" " + kProgramVersion);
    out.Line(LoadResString(IDS_REPORT_DATE) + L" " + TimeText(report.generatedUtc));
    out.Line(LoadResString(IDS_REPORT_COMPUTER) + L" " + report.computer);
    MdacSection(out, report.findings.mdac);
    JetSection(out, report.findings.jet);
    WindowsSection(out, report.findings.windows);
    ComponentsSection(out, report.findings.components);
    RegistrationSection(out, report.findings, report.registrations);
    RepairsSection(out, report.repairs);
    return out.Text();
}

}  // namespace qn
