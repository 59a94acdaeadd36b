// The report as JSON, for scripts: a stable shape whose names are never changed, only added to.
#pragma once

#include <string>

#include "report/Report.h"

namespace qn {

inline constexpr int kJsonSchema = 1;

// The whole report as UTF-8 JSON text without a byte-order mark. Failure messages are in
// `language`.
std::string ReportJson(const Report& report, LANGID language);

// "registered", "skipped", "loadFailed", "entryPointMissing" or "callFailed".
const char* OutcomeName(RegistrationOutcome outcome);

}  // namespace qn
