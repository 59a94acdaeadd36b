// The report as plain text in the user's language: what every page shows, and the repairs.
#pragma once

#include <string>

#include "report/Report.h"

namespace qn {

// Program, date and time, computer; the four pages in the order of their tabs, each value
// with the caption the page shows beside it, the file lists as aligned columns with full
// paths; then each repair of the report with every file's outcome. Lines end with CR LF.
std::wstring ReportText(const Report& report);

}  // namespace qn
