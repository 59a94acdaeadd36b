// Output to whoever started the program from a script or a console. The program is a window
// program: it has standard handles only when its caller redirected them.
#pragma once

#include <string>

namespace qn {

// True when the caller gave the program a standard output to write to.
bool HasStandardOutput();

// Writes `bytes` to standard output; false when there is none or the write failed.
bool WriteStandardOutput(const std::string& bytes);

// Shows `text` (lines separated by CR LF) to the caller: on standard output (`toError` false)
// or standard error when the caller redirected it, else in the console the program was
// started from, else in a message box.
void TellCaller(const std::wstring& text, bool toError);

}  // namespace qn
