// A run from the command line: the findings written out, repairs made, no window.
#pragma once

#include <string>
#include <vector>

namespace qn {

// Runs what `arguments` (without the program's name) ask for and returns the exit code
// (ExitCode). No window and no message box appears, except a message box with the usage or
// error text when the caller has neither a redirected output nor a console.
int RunUnattended(const std::vector<std::wstring>& arguments);

}  // namespace qn
