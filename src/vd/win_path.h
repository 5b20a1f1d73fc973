// Windows path functions on plain strings, the same on both builds: appending, removing the file
// name, canonicalising, relative paths, quoting, common prefixes and comparisons.
//
// They follow the shell's path functions (PathAppendW, PathRemoveFileSpecW, PathCanonicalizeW,
// PathRelativePathToW, PathQuoteSpacesW, PathCommonPrefixW) without their 260-character buffers:
// results are as long as they need to be.  Both '\' and '/' separate elements; results use '\'.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vd::path {

// MAX_PATH: the characters the shell's path functions and buffers hold, the terminator included.
inline constexpr std::size_t max_path = 260;

[[nodiscard]] constexpr bool is_separator(wchar_t c) noexcept { return c == L'\\' || c == L'/'; }

// "C:" followed by a separator, or the end ("C:").
[[nodiscard]] bool has_drive(std::wstring_view path) noexcept;
// A drive letter, a colon and a separator: "C:\x".
[[nodiscard]] bool is_drive_absolute(std::wstring_view path) noexcept;
// A network or device root: "\\server\share", "\\?\C:\x", "\\.\pipe".
[[nodiscard]] bool is_unc(std::wstring_view path) noexcept;
// Drive-absolute or UNC: the path does not depend on a current drive or folder.
[[nodiscard]] bool is_absolute(std::wstring_view path) noexcept;
// Begins with a separator or a drive ("\x", "C:x", "C:\x", UNC): not usable as a sub-path.
[[nodiscard]] bool is_rooted(std::wstring_view path) noexcept;

// The root part: "C:\" for "C:\a\b", "C:" for "C:a", "\\server\share\" for UNC, "\" for "\a", else "".
[[nodiscard]] std::wstring_view root(std::wstring_view path) noexcept;

// The elements after the root, without empty ones (runs of separators count as one).
[[nodiscard]] std::vector<std::wstring_view> elements(std::wstring_view path);

// The last element (PathFindFileNameW): what follows the final separator; "" for "C:\".
[[nodiscard]] std::wstring_view file_name(std::wstring_view path) noexcept;

// PathAppendW: `more` joined to `base` with exactly one separator between them.  Leading
// separators of `more` are skipped (unless it is UNC); a drive-absolute or UNC `more` replaces
// `base`; an empty side gives the other one.  The result is canonicalised.
[[nodiscard]] std::wstring append(std::wstring_view base, std::wstring_view more);

// Joins without canonicalising: `base` + one separator + `more` (either may be empty).
[[nodiscard]] std::wstring join(std::wstring_view base, std::wstring_view more);

// PathRemoveFileSpecW: drops the last element and its separator, keeping the root:
// "C:\a\b" -> "C:\a", "C:\a" -> "C:\", "C:\" -> "C:\", "\a" -> "\", "a" -> "".
[[nodiscard]] std::wstring remove_file_spec(std::wstring_view path);

// The parent folder as the file-system library sees it: "C:\a\b" -> "C:\a", "C:\a" -> "C:\",
// "C:\" -> "C:\" (the root is its own parent), "a" -> "".
[[nodiscard]] std::wstring parent(std::wstring_view path);

// PathCanonicalizeW: "." elements removed, ".." elements take away the element before them
// (never the root); separators become '\'; a trailing separator is kept only after a root.
[[nodiscard]] std::wstring canonicalize(std::wstring_view path);

// PathRelativePathToW: the path from `from` (a folder, or a file when from_is_folder is false)
// to `to`; empty when they share no root.  Element comparison ignores case.
[[nodiscard]] std::wstring relative_path(std::wstring_view from, bool from_is_folder, std::wstring_view to);

// PathQuoteSpacesW: the path in double quotes when it contains a space and is not quoted yet.
[[nodiscard]] std::wstring quote_spaces(std::wstring_view path);

// PathCommonPrefixW: the longest leading run of whole elements (root included) that both paths
// share, compared without regard to case; "" when they share nothing.
[[nodiscard]] std::wstring common_prefix(std::wstring_view a, std::wstring_view b);

// One character folded for case-insensitive comparison (Latin, Greek and Cyrillic letters).
[[nodiscard]] wchar_t fold_case(wchar_t c) noexcept;
// The two texts are equal when compared without regard to case.
[[nodiscard]] bool equal_ignore_case(std::wstring_view a, std::wstring_view b) noexcept;
// The text folded with fold_case, character by character.
[[nodiscard]] std::wstring folded(std::wstring_view text);

// The same root (compared without case) and the same elements compared exactly; separators of
// either kind and their runs count as one.
[[nodiscard]] bool equal_exact(std::wstring_view a, std::wstring_view b) noexcept;
// The same after canonicalising both, comparing roots and elements without regard to case: how
// the file system on Windows sees two spellings of one name.
[[nodiscard]] bool equal_ignore_case_canonical(std::wstring_view a, std::wstring_view b);

// `inner` is `outer` or lies below it (canonical, without regard to case).
[[nodiscard]] bool is_within(std::wstring_view outer, std::wstring_view inner);

}  // namespace vd::path
