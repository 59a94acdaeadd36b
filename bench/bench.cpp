// Measures the program under Wine against baselines taken in the same run, and prints one
// Markdown table. Each figure is the median of repeated runs; programs and baselines alternate,
// so a slower moment of the shared machine hits both alike.
//
// Components: the fixture DLL fx_reg_ok (a real version resource and a DllRegisterServer) is put
// at all 28 MDAC paths below the common files folder, so every read finds a file and the MDAC
// repair registers 21 of them; whatever was there is put back at the end.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/MdacPage.h"
#include "app/frmQNRepair.h"
#include "platform/SystemLibrary.h"
#include "platform/ShellFolders.h"
#include "repair/RegistryBackup.h"

namespace {

constexpr int kStartRuns = 9;
constexpr int kFillRuns = 41;
constexpr int kRepairRuns = 9;
constexpr int kVisitRuns = 7;

double Seconds() {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Time(const std::function<void()>& work) {
    const double start = Seconds();
    work();
    return Seconds() - start;
}

std::wstring ParentOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }
std::wstring ExeDir() {
    WCHAR path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return ParentOf(path);
}

void CreateFolders(const std::wstring& path) {
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
        ::CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    }
    ::CreateDirectoryW(path.c_str(), nullptr);
}

// Copies of a fixture at given paths for the benchmark's lifetime; what was there comes back.
class PlacedFiles {
public:
    PlacedFiles() = default;
    PlacedFiles(const PlacedFiles&) = delete;
    PlacedFiles& operator=(const PlacedFiles&) = delete;
    ~PlacedFiles() {
        for (const auto& [path, backup] : placed_) {
            ::DeleteFileW(path.c_str());
            if (!backup.empty()) ::MoveFileW(backup.c_str(), path.c_str());
        }
    }
    bool Place(const std::wstring& path, const std::wstring& source) {
        CreateFolders(ParentOf(path));
        std::wstring backup;
        if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            backup = path + L".qnbench-backup";
            ::DeleteFileW(backup.c_str());
            if (!::MoveFileW(path.c_str(), backup.c_str())) return false;
        }
        placed_.emplace_back(path, backup);
        return ::CopyFileW(source.c_str(), path.c_str(), FALSE) != 0;
    }

private:
    std::vector<std::pair<std::wstring, std::wstring>> placed_;
};

struct Launch {
    double seconds = 0;       // from CreateProcess to the window shown
    SIZE_T peakWorkingSet = 0;
    bool ok = false;
};

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    WCHAR name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (owner != search.processId || !::IsWindowVisible(window) || ::lstrcmpW(name, search.className) != 0) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

// Starts `program`, waits until it shows its window of `className`, reads its peak working set
// and closes it again.
Launch StartUntilWindowShown(const std::wstring& program, const wchar_t* className) {
    Launch launch;
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const double start = Seconds();
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return launch;
    }
    WindowSearch search{process.dwProcessId, className, nullptr};
    while (!search.found && Seconds() - start < 30) {
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) ::Sleep(1);
    }
    launch.seconds = Seconds() - start;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (::GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory))) launch.peakWorkingSet = memory.PeakWorkingSetSize;
    launch.ok = search.found != nullptr;
    if (search.found) ::PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.hProcess, 1);
        launch.ok = false;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return launch;
}

bool RunAndWait(const std::wstring& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return false;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code == 0;
}

// The bare reads the page fill does: size, data and root block of each file.
int ReadVersionsBare(const std::vector<std::wstring>& paths) {
    int read = 0;
    for (const auto& path : paths) {
        DWORD handle = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &handle);
        if (!size) continue;
        std::vector<BYTE> data(size);
        if (!::GetFileVersionInfoW(path.c_str(), handle, size, data.data())) continue;
        void* block = nullptr;
        UINT length = 0;
        if (::VerQueryValueW(data.data(), L"\\", &block, &length) && length) ++read;
    }
    return read;
}

// What the MDAC repair does per file and nothing else: load with the repair's flags, call
// DllRegisterServer, free.
int RegisterBare(const std::vector<std::wstring>& paths) {
    const DWORD flags = qn::SystemSupportsDllSearchFlags()
                            ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32
                            : LOAD_WITH_ALTERED_SEARCH_PATH;
    int registered = 0;
    for (const auto& path : paths) {
        const HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr, flags);
        if (!module) continue;
        using EntryPoint = HRESULT(STDAPICALLTYPE*)();
        const auto entry = qn::GetProc<EntryPoint>(module, "DllRegisterServer");
        if (entry && SUCCEEDED(entry())) ++registered;
        ::FreeLibrary(module);
    }
    return registered;
}

// A tab chosen as the keyboard chooses it, until everything it changed is painted.
double TimeTabVisit(qn::frmQNRepair& form, int tab) {
    return Time([&] {
        ::SendMessageW(form.Control(qn::Ctl::TabStrip1), TCM_SETCURFOCUS, static_cast<WPARAM>(tab), 0);
        ::RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    });
}

std::string Ms(double seconds) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f ms", seconds * 1000);
    return text;
}

std::string Ratio(double value, double baseline) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f×", value / baseline);
    return text;
}

std::string KiB(SIZE_T bytes) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.0f KiB", static_cast<double>(bytes) / 1024);
    return text;
}

}  // namespace

int wmain() {
    // As the program itself does first.
    qn::RestrictDllSearchToSystemDirectory();
    const std::wstring build = ParentOf(ExeDir());
    const std::wstring fixture = build + L"\\tests\\fx_reg_ok.dll";
    const std::wstring common = qn::GetSpecialFolderPath(CSIDL_PROGRAM_FILES_COMMON);
    std::vector<std::wstring> mdacPaths;
    std::vector<std::wstring> registered;
    PlacedFiles placed;
    for (const auto& [relative, registers] : qn::kMdacFiles) {
        const std::wstring path = common + relative;
        if (!placed.Place(path, fixture)) {
            std::fwprintf(stderr, L"cannot place %ls\n", path.c_str());
            return 1;
        }
        mdacPaths.push_back(path);
        if (registers) registered.push_back(path);
    }

    std::printf("| Measure | QNRepair | Baseline | Ratio | Target | Goal |\n|---|---|---|---|---|---|\n");

    // Start-up to the window shown (the MDAC page filled) against an empty window.
    std::vector<double> startProgram, startEmpty;
    std::vector<double> peakProgram, peakEmpty;
    for (int i = 0; i < kStartRuns; ++i) {
        const Launch program = StartUntilWindowShown(build + L"\\QNRepair.exe", L"QNRepairMainWindow");
        const Launch empty = StartUntilWindowShown(ExeDir() + L"\\qn_bench_empty_window.exe", L"QNBenchEmptyWindow");
        if (!program.ok || !empty.ok) {
            std::fprintf(stderr, "a program did not show its window\n");
            return 1;
        }
        startProgram.push_back(program.seconds);
        startEmpty.push_back(empty.seconds);
        peakProgram.push_back(static_cast<double>(program.peakWorkingSet));
        peakEmpty.push_back(static_cast<double>(empty.peakWorkingSet));
    }
    std::printf("| Start-up to window shown (MDAC page filled) vs empty window | %s | %s | %s | ≤ 1.5× | ≤ 1.15× |\n",
                Ms(Median(startProgram)).c_str(), Ms(Median(startEmpty)).c_str(),
                Ratio(Median(startProgram), Median(startEmpty)).c_str());
    std::printf("| Peak working set at window shown vs empty window | %s | %s | %s | — | — |\n",
                KiB(static_cast<SIZE_T>(Median(peakProgram))).c_str(),
                KiB(static_cast<SIZE_T>(Median(peakEmpty))).c_str(),
                Ratio(Median(peakProgram), Median(peakEmpty)).c_str());

    // Where start-up time goes, once, in this process: OLE, then the window's creation with
    // every start-up step including the first MDAC page fill.
    const double ole = Time([] { ::OleInitialize(nullptr); });
    qn::FormServices services;
    services.captureHost = build + L"\\QNRepair.exe";  // the repair's backup captures run there
    qn::frmQNRepair form(::GetModuleHandleW(nullptr), services);
    bool created = false;
    const double create = Time([&] { created = form.Create(SW_SHOWNORMAL); });
    if (!created) return 1;
    std::printf("| Start-up parts, first run in-process: OleInitialize / window created and loaded | %s / %s | — | — | — | — |\n",
                Ms(ole).c_str(), Ms(create).c_str());

    // One MDAC page fill on the real window against the same 28 reads alone.
    form.DoEvents();
    if (ReadVersionsBare(mdacPaths) != 28) {
        std::fprintf(stderr, "the fixtures' versions cannot be read\n");
        return 1;
    }
    // A fill that finds the rows as they were leaves the list alone; so that the list is filled
    // anew too, the last file is taken away and put back between fills.
    const std::wstring lastFile = mdacPaths.back();
    const std::wstring lastFileAway = lastFile + L".away";
    std::vector<double> fill, changed, bare, analysis;
    for (int i = 0; i < kFillRuns; ++i) {
        fill.push_back(Time([&] { form.FillMDACPage(); }));
        bare.push_back(Time([&] { ReadVersionsBare(mdacPaths); }));
        analysis.push_back(Time([] { qn::AnalyseMdac(); }));
        if (i % 2) {
            ::MoveFileW(lastFileAway.c_str(), lastFile.c_str());
        } else {
            ::MoveFileW(lastFile.c_str(), lastFileAway.c_str());
        }
        changed.push_back(Time([&] { form.FillMDACPage(); }));
        form.DoEvents();
    }
    ::MoveFileW(lastFileAway.c_str(), lastFile.c_str());
    std::printf("| One MDAC page fill vs 28 bare version reads | %s | %s | %s | ≤ 1.10× | ≤ 1.05× |\n", Ms(Median(fill)).c_str(),
                Ms(Median(bare)).c_str(), Ratio(Median(fill), Median(bare)).c_str());
    std::printf("| One MDAC page fill where a file changed (list filled anew) vs 28 bare version reads | %s | %s | %s | — | — |\n",
                Ms(Median(changed)).c_str(), Ms(Median(bare)).c_str(), Ratio(Median(changed), Median(bare)).c_str());
    std::printf("| One MDAC page fill, parts: the analysis alone vs 28 bare version reads | %s | %s | %s | — | — |\n",
                Ms(Median(analysis)).c_str(), Ms(Median(bare)).c_str(), Ratio(Median(analysis), Median(bare)).c_str());

    // The MDAC repair against the bare loop over the same files and against Wine's regsvr32,
    // once per file.
    const std::wstring regsvr32 = qn::SystemDirectory() + L"\\regsvr32.exe";
    std::vector<double> repair, loop, lookedUp, external, backup;
    for (int i = 0; i < kRepairRuns; ++i) {
        // What the last run left to paint is painted before, not inside, the next.
        form.DoEvents();
        ::RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        repair.push_back(Time([&] { form.OnRepairMdac(); }));
        backup.push_back(Time([&] {
            qn::CaptureHost host(services.captureHost);
            qn::BackUpRegistrations(host, registered);
        }));
        int loopRegistered = 0;
        loop.push_back(Time([&] { loopRegistered = RegisterBare(registered); }));
        if (loopRegistered != static_cast<int>(registered.size())) {
            std::fprintf(stderr, "the bare loop registered %d files\n", loopRegistered);
            return 1;
        }
        // The same loop after the lookup that every repair makes afresh: the 28 files' versions
        // (a file without one counts as missing).
        lookedUp.push_back(Time([&] {
            ReadVersionsBare(mdacPaths);
            RegisterBare(registered);
        }));
        bool allOk = true;
        external.push_back(Time([&] {
            for (const auto& path : registered) allOk = RunAndWait(regsvr32, L"/s \"" + path + L"\"") && allOk;
        }));
        if (!allOk) {
            std::fprintf(stderr, "regsvr32 failed\n");
            return 1;
        }
    }
    std::printf("| Re-register 21 components: MDAC repair vs 21 × regsvr32 /s | %s | %s | %s | ≤ 0.067× (15× faster) | ≤ 0.05× (20× faster) |\n",
                Ms(Median(repair)).c_str(), Ms(Median(external)).c_str(),
                Ratio(Median(repair), Median(external)).c_str());
    std::printf("| Re-register 21 components: MDAC repair vs bare loop (load, call, free ×21) | %s | %s | %s | ≤ 1.3× | ≤ 1.1× |\n",
                Ms(Median(repair)).c_str(), Ms(Median(loop)).c_str(), Ratio(Median(repair), Median(loop)).c_str());
    std::printf("| Re-register 21 components: MDAC repair vs the bare loop after 28 bare version reads | %s | %s | %s | — | — |\n",
                Ms(Median(repair)).c_str(), Ms(Median(lookedUp)).c_str(),
                Ratio(Median(repair), Median(lookedUp)).c_str());
    std::printf("| Re-register 21 components, parts: the registry backup before the repair vs the bare loop | %s | %s | %s | — | — |\n",
                Ms(Median(backup)).c_str(), Ms(Median(loop)).c_str(), Ratio(Median(backup), Median(loop)).c_str());

    // The first visit of each other page (its controls created, analysed, painted) against a
    // later visit of the same page in the same window (analysed and painted).
    const char* pageNames[] = {"", "JET", "Windows settings", "Other components"};
    for (int tab = 1; tab <= 3; ++tab) {
        std::vector<double> first, again;
        for (int i = 0; i < kVisitRuns; ++i) {
            qn::frmQNRepair fresh(::GetModuleHandleW(nullptr));
            if (!fresh.Create(SW_SHOWNORMAL)) return 1;
            fresh.DoEvents();
            first.push_back(TimeTabVisit(fresh, tab));
            TimeTabVisit(fresh, 0);
            again.push_back(TimeTabVisit(fresh, tab));
        }
        form.DoEvents();
        std::printf("| First visit of the %s page vs a later visit (tab chosen to page painted) | %s | %s | %s | ≤ 40 ms | — |\n",
                    pageNames[tab], Ms(Median(first)).c_str(), Ms(Median(again)).c_str(),
                    Ratio(Median(first), Median(again)).c_str());
    }
    return 0;
}
