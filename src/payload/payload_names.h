// The names a payload gives its files: every folder element and file name must name an ordinary
// file on Windows, and every folder must start at a destination token.  A name that does not (an
// alternate stream "x:y", a device such as NUL or COM1.txt, a name that Windows would silently cut
// at its trailing dots or blanks, a folder rooted anywhere the program did not choose) is refused
// before anything is written.
#pragma once

#include <string_view>

namespace payload {

// What is wrong with one folder element or file name, or nullptr when it can be used.
[[nodiscard]] const char* name_problem(std::wstring_view name);

// What is wrong with an entry's destination folder (its token, its elements) and its file name, or
// nullptr when both can be used.
[[nodiscard]] const char* destination_name_problem(std::wstring_view folder, std::wstring_view file_name);

// Throws compress_error(unexpected_error) with the problem of destination_name_problem.
void check_payload_names(std::wstring_view folder, std::wstring_view file_name);

}  // namespace payload
