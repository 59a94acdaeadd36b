// The program's command line: switches for scripts that want the findings without a window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "repair/RepairRunner.h"

namespace qn {

// Exit codes of a run from the command line.
enum ExitCode : int {
    kExitSuccess = 0,        // done; every registrable installed file registered
    kExitRepairFailed = 1,   // some file could not be registered
    kExitUsage = 2,          // wrong arguments, or an output could not be written
    kExitNeedsElevation = 3, // a registration failed for lack of rights: run it elevated
    kExitNotRegistered = 4,  // the registration check found a component not fully registered
};

// "-" as a file name: standard output.
inline constexpr wchar_t kStandardOutput[] = L"-";

struct CommandLine {
    std::optional<std::wstring> reportFile;  // /report FILE
    std::optional<std::wstring> jsonFile;    // /json FILE
    std::vector<RepairComponent> repairs;    // /repair mdac|jet|all, in the buttons' order
    bool check = false;                      // /check: the registration check, after any repair
    std::optional<std::wstring> restoreFile; // /restore FILE: a registry backup put back
    bool showUsage = false;                  // /?
};

struct ParsedCommandLine {
    std::optional<CommandLine> commandLine;  // none when the arguments are wrong
    std::wstring error;                      // what is wrong, in the user's language
};

// Switches begin with "/" or "-" and are matched without regard to letter case; so is the
// value of /repair. `arguments` excludes the program's own name.
ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& arguments);

// The arguments the program was started with, without its own name.
std::vector<std::wstring> ProgramArguments();

// The usage text in the user's language, lines separated by CR LF.
std::wstring UsageText();

}  // namespace qn
