// Win32-only: the driver's output, one fact a line in UTF-8.
#pragma once

#include <string>

namespace e2e {

void print_line(const std::wstring& line);

// A text as the facts show it: between double quotes, with \r, \n and \t written as escapes, so
// that one control's text stays on one line.  Backslashes are written as they are.
[[nodiscard]] std::wstring quoted(const std::wstring& text);
[[nodiscard]] std::wstring escaped(const std::wstring& text);

// Prints "error WHAT"; returns false so that a step can end with `return fail(...)`.
bool fail(const std::wstring& what);

}  // namespace e2e
