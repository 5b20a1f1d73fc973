// The folder browser's path rules over the portable Windows path functions.
#include "wizard/folder_browser_paths.h"

#include <algorithm>
#include <vector>

#include "vd/path_char_type.h"
#include "vd/win_path.h"

namespace wizard {

namespace {

using Elements = std::vector<std::wstring_view>;

// The last `count` elements of `path` equal the `count` elements of `tail` starting at `from`.
bool EndsWith(const Elements& path, const Elements& tail, std::size_t from, std::size_t count) {
    if (count > path.size()) return false;
    const std::size_t start = path.size() - count;
    for (std::size_t i = 0; i < count; ++i) {
        if (!vd::path::equal_ignore_case(path[start + i], tail[from + i])) return false;
    }
    return true;
}

std::wstring Joined(const Elements& elements, std::size_t from) {
    std::wstring out;
    for (std::size_t i = from; i < elements.size(); ++i) out = vd::path::join(out, elements[i]);
    return out;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::wstring SanitizeTail(std::wstring_view tail) {
    if (!std::all_of(tail.begin(), tail.end(), vd::path::is_valid_path_char)) return {};
    while (!tail.empty() && tail.back() == L'.') tail.remove_suffix(1);
    return std::wstring(tail);
}

std::wstring WithTail(std::wstring_view path, std::wstring_view tail) {
    const Elements tailElements = vd::path::elements(tail);
    if (tailElements.empty()) return std::wstring(path);
    const Elements pathElements = vd::path::elements(path);
    // The root ("D:\", "\\server\share\") is an element that can precede the tail.
    const std::size_t precedingRoot = vd::path::root(path).empty() ? 0 : 1;
    const std::size_t all = tailElements.size();
    if (EndsWith(pathElements, tailElements, 0, all) && pathElements.size() + precedingRoot > all) {
        return std::wstring(path);
    }
    std::size_t present = 0;
    for (std::size_t leading = all - 1; leading > 0; --leading) {
        if (EndsWith(pathElements, tailElements, 0, leading)) {
            present = leading;
            break;
        }
    }
    std::wstring appended = vd::path::append(path, Joined(tailElements, present));
    if (appended.size() >= vd::path::max_path) return std::wstring(path);
    return appended;
}

std::optional<std::wstring> RelativeBelow(std::wstring_view folder, std::wstring_view path) {
    if (!vd::path::is_absolute(path) || folder.empty()) return std::nullopt;
    const std::wstring relative = vd::path::relative_path(folder, true, path);
    if (relative.empty()) return std::nullopt;
    if (relative == L".") return std::wstring();
    // A path that climbs out of the folder is not below it; canonicalising would drop the climb.
    const Elements elements = vd::path::elements(relative);
    if (!elements.empty() && elements.front() == L"..") return std::nullopt;
    return vd::path::canonicalize(relative);
}

std::wstring TrimTypedPath(std::wstring_view typed) {
    while (!typed.empty() && IsBlank(typed.front())) typed.remove_prefix(1);
    while (!typed.empty() && IsBlank(typed.back())) typed.remove_suffix(1);
    if (!typed.empty() && typed.back() == L'\\' && vd::path::root(typed).size() != typed.size()) {
        typed.remove_suffix(1);
    }
    std::wstring text(typed);
    if (text.size() == 2 && vd::path::has_drive(text)) text += L'\\';
    return text;
}

bool HasOnlyFolderPathCharacters(std::wstring_view path) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (!vd::path::is_valid_path_char(path[i])) return false;
        if (path[i] == L':' && !(i == 1 && vd::path::has_drive(path))) return false;
    }
    return true;
}

}  // namespace wizard
