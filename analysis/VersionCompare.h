// Comparing an installed version text with the newest version known to the program.
#pragma once

#include <string>

namespace qn {

// True when `text` is dotted decimal: digits in one or more parts separated by single dots.
bool IsDottedDecimal(const std::wstring& text);

// <0, 0 or >0 as `installed` is older than, equal to or newer than `newest`. Two dotted
// decimal versions compare part by part as numbers (a missing part is smaller); anything
// else compares as text, code unit by code unit.
int CompareVersions(const std::wstring& installed, const std::wstring& newest);

}  // namespace qn
