// The text of the About message.
#pragma once

#include <string>

namespace qn {

// Lines separated by a single carriage return: four lines when Quillnest is installed, eight
// (with the advertising lines) when it is not.
std::wstring AboutText(bool quillnestInstalled);

}  // namespace qn
