// The path rules of the folder browser, apart from the picker: the product's sub-folder kept at the
// end of a chosen folder (the tail), the clean-up of a path typed into the picker, and paths
// relative to the Start menu.
#pragma once

#include "vd/win_path.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wizard {

// The sub-folder to keep at the end of chosen folders: `tail` without its trailing dots, or empty
// when one of its characters is invalid in a path or a wildcard.
[[nodiscard]] std::wstring SanitizeTail(std::wstring_view tail);

// `path` ending with `tail`: unchanged when its last elements already are the tail's (compared
// without regard to case) and something precedes them; otherwise only what is missing of the tail
// is appended, after the longest leading part of the tail that `path` already ends with.  The
// append is skipped when the result would not fit a MAX_PATH buffer.  An empty tail changes nothing.
[[nodiscard]] std::wstring WithTail(std::wstring_view path, std::wstring_view tail);

// The path from `folder` down to `path` without a leading ".\" ("" for `folder` itself); none when
// `path` is not absolute or does not lie at or below `folder`.
[[nodiscard]] std::optional<std::wstring> RelativeBelow(std::wstring_view folder, std::wstring_view path);

// A typed path made ready for qualifying: blanks around it and one trailing backslash removed
// (a root keeps its backslash), and a bare drive "X:" made its root "X:\".
[[nodiscard]] std::wstring TrimTypedPath(std::wstring_view typed);

// Every character may stand in a folder path: none is invalid or a wildcard, and a colon appears
// only after a drive letter (elsewhere it would name an alternate data stream).
[[nodiscard]] bool HasOnlyFolderPathCharacters(std::wstring_view path);

}  // namespace wizard
